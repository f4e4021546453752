#include "FlightFixture.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

// The same noise on every run and machine.
class Noise {
public:
    double next(double size) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return (double(state % 2001) / 1000.0 - 1.0) * size;
    }

private:
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
};

struct At {
    const Phase* phase = nullptr;
    double into = 0;  // seconds into it
    double start = 0; // the phase's own start
};

At phaseAt(const FlightPlan& plan, double t) {
    double start = 0;
    for (const Phase& phase : plan.phases) {
        if (t < start + phase.seconds || &phase == &plan.phases.back())
            return {&phase, t - start, start};
        start += phase.seconds;
    }
    return {};
}

double chtBase(const FlightPlan& plan, double t) {
    double start = 0;
    double from = 150; // a cold engine
    for (const Phase& phase : plan.phases) {
        if (t < start + phase.seconds)
            return from + (phase.chtTo - from) * (t - start) / phase.seconds;
        start += phase.seconds;
        from = phase.chtTo;
    }
    return from;
}

bool inGap(const FlightPlan& plan, int row) {
    return std::any_of(plan.gaps.begin(), plan.gaps.end(), [&](const std::array<int, 2>& gap) {
        return row >= gap[0] && row < gap[1];
    });
}

constexpr Phase taxi{300, 1000, 14, 4.0, 4.0, false, 1150, 260};
constexpr Phase climb{600, 2550, 27, 20.0, 20.0, false, 1260, 380};
constexpr Phase cruise{600, 2400, 23, 13.0, 13.0, true, 0, 360};
constexpr Phase cruiseAfter{600, 2400, 23, 12.5, 12.5, true, 0, 350};
constexpr Phase descent{600, 2200, 18, 8.0, 8.0, false, 1200, 300};
constexpr Phase landing{180, 1000, 14, 4.0, 4.0, false, 1150, 280};

} // namespace

int FlightPlan::rows() const {
    double seconds = 0;
    for (const Phase& phase : phases)
        seconds += phase.seconds;
    return int(seconds);
}

FlightPlan flightPlan(FlightKind kind) {
    FlightPlan plan;
    // Leaning at 0.02 gal/h a second: from 13 to 9.4 in three minutes.
    const Phase lean{180, 2400, 23, 13.0, 9.4, true, 0, 355};
    const Phase enrich{90, 2400, 23, 9.4, 12.5, true, 0, 350};
    const Phase leanHalf{95, 2400, 23, 13.0, 11.1, true, 0, 355};
    const Phase enrichHalf{85, 2400, 23, 11.1, 12.5, true, 0, 350};
    if (kind == FlightKind::enrichedHalfway)
        plan.phases = {taxi, climb, cruise, leanHalf, enrichHalf, cruiseAfter, descent, landing};
    else
        plan.phases = {taxi, climb, cruise, lean, enrich, cruiseAfter, descent, landing};
    plan.egt3Stuck = kind == FlightKind::stuckProbe;
    if (kind == FlightKind::gaps)
        plan.gaps = {{1500, 1620}, {2700, 2730}};
    return plan;
}

double planFlow(const FlightPlan& plan, double t) {
    const At at = phaseAt(plan, t);
    return at.phase->flowFrom +
           (at.phase->flowTo - at.phase->flowFrom) * at.into / at.phase->seconds;
}

double planEgt(const FlightPlan& plan, int c, double t) {
    const At at = phaseAt(plan, t);
    if (!at.phase->onCurve)
        return at.phase->egt + plan.egtOffset[std::size_t(c)];
    const double off = planFlow(plan, t) - plan.peakFlow[std::size_t(c)];
    return plan.peakEgt[std::size_t(c)] - plan.curve * off * off;
}

std::string flightLog(const FlightPlan& plan) {
    std::string text = "#airframe_info, log_version=\"1.00\", airframe_name=\"Test Six\", "
                       "aircraft_ident=\"" +
                       plan.tail + "\", system_id=\"REVIEW\"\n";
    std::string longNames = "  Lcl Date, Lcl Time, UTCOfst, RPM, Manifold Press (inch Hg), "
                            "Oil Temp (deg F), Oil Press (PSI), Fuel Press (PSI), "
                            "Fuel Flow (gal/hour), Volts 1, Outside Air Temp (deg C)";
    std::string shortNames = "  Lcl Date, Lcl Time, UTCOfst, E1 RPM, E1 MAP, E1 OilT, E1 OilP, "
                             "E1 FPres, E1 FFlow, volt1, OAT";
    for (int c = 1; c <= 6; ++c) {
        longNames += ", CHT" + std::to_string(c) + " (deg F)";
        shortNames += ", E1 CHT" + std::to_string(c);
    }
    for (int c = 1; c <= 6; ++c) {
        longNames += ", EGT" + std::to_string(c) + " (deg F)";
        shortNames += ", E1 EGT" + std::to_string(c);
    }
    text += longNames + ", Fuel Qty Left (gal), Fuel Qty Right (gal)\n";
    text += shortNames + ", FQtyL, FQtyR\n";
    Noise noise;
    double burnt = 0;
    char cell[96];
    for (int row = 0; row < plan.rows(); ++row) {
        const double t = row;
        const At at = phaseAt(plan, t);
        const int clock = 9 * 3600 + 12 * 60 + row; // local, five hours behind UTC
        std::snprintf(cell, sizeof cell, "2026-06-14, %02d:%02d:%02d, -05:00", clock / 3600,
                      clock / 60 % 60, clock % 60);
        text += cell;
        const double flow = planFlow(plan, t);
        if (row > 0)
            burnt += (planFlow(plan, t - 1) + flow) / 2 / 3600 * plan.tankBurnOverFlow;
        // The first gap loses every engine value, the others the probes only.
        if (!plan.gaps.empty() && row >= plan.gaps[0][0] && row < plan.gaps[0][1]) {
            text += std::string(22, ',') + "\n";
            continue;
        }
        const double warm = std::min(1.0, t / 900);
        std::snprintf(cell, sizeof cell, ", %.0f, %.1f, %.0f, %.0f, 14.5, %.1f, 14.1, 15",
                      at.phase->rpm + 5 * ((row % 7) - 3) / 3.0, at.phase->map, 110 + 80 * warm,
                      78 - 8 * warm, flow);
        text += cell;
        const bool probesOut = inGap(plan, row);
        for (int c = 0; c < 6; ++c) {
            double cht = chtBase(plan, t) + plan.chtOffset[std::size_t(c)];
            if (c == 2 && t >= plan.hotFrom && t < plan.hotTo)
                cht = plan.hotCht;
            std::snprintf(cell, sizeof cell, ", %.0f", cht + noise.next(plan.chtNoise));
            text += probesOut ? ", " : cell;
        }
        for (int c = 0; c < 6; ++c) {
            const double egt =
                c == 2 && plan.egt3Stuck ? 154.0 : planEgt(plan, c, t) + noise.next(plan.egtNoise);
            std::snprintf(cell, sizeof cell, ", %.0f", egt);
            text += probesOut ? ", " : cell;
        }
        const double tanks = plan.tanksAtStart - burnt;
        std::snprintf(cell, sizeof cell, ", %.2f, %.2f\n", tanks / 2, tanks / 2);
        text += cell;
    }
    return text;
}
