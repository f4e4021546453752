#pragma once

#include <vector>

namespace zentor::art {

// A second-order section run over a loop as if it repeated for ever: one pass
// settles the filter's state, the second writes the output, so the filtered
// loop still joins without a step.
struct Biquad {
    double b0, b1, b2, a1, a2;

    static Biquad lowPass(double cutoff, double q, double sampleRate);
    static Biquad bandPass(double centre, double q, double sampleRate);
    static Biquad highPass(double cutoff, double q, double sampleRate);
};

void filterCyclic(std::vector<double>& signal, const Biquad& filter);

} // namespace zentor::art
