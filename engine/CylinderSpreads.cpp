#include "engine/EngineModel.h"

namespace {

// The portable C library generator (multiplier 1103515245, increment 12345,
// bits 16..30 returned), so a seed gives the same factors on every platform.
class SpreadRandom {
public:
    explicit SpreadRandom(std::uint32_t seed) : state(seed) {}
    int next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state / 65536u) % 32768u);
    }

private:
    std::uint32_t state;
};

constexpr double reciprocalOfMaxDraw = 1.0 / 32767.0;
constexpr double maximumSpread = 0.08; // cylinders differ by up to 8 %

double spreadFactor(int magnitudeDraw, int signDraw) {
    const double m = double(magnitudeDraw) * reciprocalOfMaxDraw * maximumSpread;
    return signDraw % 2 == 0 ? 1.0 - m : 1.0 + m;
}

} // namespace

void fillCylinderSpreads(EngineState& record, std::span<const int, 24> draws) {
    for (int i = 0; i < 6; ++i)
        record.egtSpread[i] = spreadFactor(draws[2 * i], draws[2 * i + 1]);
    for (int i = 0; i < 6; ++i)
        record.chtSpread[i] = spreadFactor(draws[12 + 2 * i], draws[12 + 2 * i + 1]);
}

void generateCylinderSpreadsFromSeed(EngineState& record, std::uint32_t seed) {
    SpreadRandom random(seed);
    int draws[24];
    for (int& draw : draws)
        draw = random.next();
    fillCylinderSpreads(record, draws);
}
