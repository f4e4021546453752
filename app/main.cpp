#include "engine/Engine.h"

#include <cstdio>

// Stand-in for the window until it exists: runs the model for ten seconds of
// engine time with the knobs where the window would put them.
int main() {
    engineState.throttle = 0.0f;
    engineState.propeller = 1.0f;
    engineState.mixture = 1.0f;
    generateCylinderSpreads();
    for (int tick = 1; tick <= 154; ++tick) {
        stepEngine();
        if (tick % 15 == 0)
            std::printf("tick %3d  rpm %7.1f  map %5.2f  oil %5.1f psi  egt %6.1f R  cht %5.1f F\n",
                        tick, engineState.rpm, engineState.manifoldPressure,
                        engineState.oilPressure, engineState.egtRankine, engineState.cht);
    }
    return 0;
}
