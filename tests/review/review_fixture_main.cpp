// review-fixture: writes one of the fixture flights to standard output.

#include "FlightFixture.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    constexpr struct {
        std::string_view name;
        FlightKind kind;
    } kinds[] = {{"lean-sweep", FlightKind::leanSweep},
                 {"enriched-halfway", FlightKind::enrichedHalfway},
                 {"stuck-probe", FlightKind::stuckProbe},
                 {"gaps", FlightKind::gaps}};
    for (const auto& kind : kinds)
        if (argc == 2 && kind.name == argv[1]) {
            const std::string log = flightLog(flightPlan(kind.kind));
            return std::fwrite(log.data(), 1, log.size(), stdout) == log.size() ? 0 : 1;
        }
    std::fputs("usage: review-fixture lean-sweep|enriched-halfway|stuck-probe|gaps\n", stderr);
    return 2;
}
