#include "resources/generators/CyclicFilter.h"

#include <cmath>
#include <numbers>

namespace zentor::art {

namespace {

// Audio EQ cookbook coefficients, normalised by a0.
Biquad normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

} // namespace

Biquad Biquad::lowPass(double cutoff, double q, double sampleRate) {
    const double w = 2 * std::numbers::pi * cutoff / sampleRate, alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    return normalised((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::bandPass(double centre, double q, double sampleRate) {
    const double w = 2 * std::numbers::pi * centre / sampleRate, alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    return normalised(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::highPass(double cutoff, double q, double sampleRate) {
    const double w = 2 * std::numbers::pi * cutoff / sampleRate, alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    return normalised((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void filterCyclic(std::vector<double>& signal, const Biquad& f) {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    std::vector<double> out(signal.size());
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t n = 0; n < signal.size(); ++n) {
            const double x = signal[n];
            const double y = f.b0 * x + f.b1 * x1 + f.b2 * x2 - f.a1 * y1 - f.a2 * y2;
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            out[n] = y;
        }
    signal.swap(out);
}

} // namespace zentor::art
