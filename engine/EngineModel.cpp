#include "engine/EngineModel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double stoppedEngineRpm = 100.0;    // below it the intake sees ambient pressure
constexpr double stoppedEngineMap = 29.92;    // inHg, standard sea-level pressure
constexpr double maximumRpmTarget = 2400.0;   // governed red line
constexpr double oilPressureTargetCap = 60.0; // psi, relief valve setting
constexpr double chtFloor = 90.0;             // degrees F, a cold cylinder head
constexpr double pressureStepLimit = 2.3;     // psi per tick, oil and fuel pressure
constexpr double fuelFlowStepLimit = 0.3;     // gal/h per tick
constexpr float hoursPerSecond = 0.00027777778f;
constexpr double burnFactor = 0.25;
constexpr float rpmToHorsepowerScale = 0.00041666668f; // 1/2400
constexpr float mapToTorqueScale = 0.03448276f;        // 1/29

float stored(double value) {
    return static_cast<float>(value);
}

} // namespace

double approachTarget(double value, double target, double k, double p) {
    const double d = std::pow(std::fabs(target - value), p) * k * modelTimeStep;
    return value < target ? value + d : value - d;
}

double approachLimited(double value, double target, double limit) {
    const double d = std::min(std::fabs(target - value), limit);
    return value < target ? value + d : value - d;
}

void stepEngine(EngineState& record, DemoSweep& sweep) {
    if (record.demoMode)
        stepDemoSweep(record, sweep);
    else
        stepEngineModel(record);
}

void stepEngineModel(EngineState& e) {
    // A propeller pulled towards coarse pitch loads the engine: less rpm, more boost.
    const float q = stored(1.0 - double(e.propeller));

    double mapTarget = 23.961 * double(e.throttle) + 4.7103 + 0.76 * double(q);
    if (double(e.rpm) < stoppedEngineRpm)
        mapTarget = stoppedEngineMap;
    e.manifoldPressure = stored(approachTarget(e.manifoldPressure, mapTarget, 2.1871, 0.8065));

    double rpmBase = 2625.0 * double(e.throttle) + 938.8;
    if (rpmBase >= maximumRpmTarget)
        rpmBase = maximumRpmTarget;
    double rpmTarget = rpmBase - 0.2 * double(q) * rpmBase;
    if (e.leftFuel <= 0.0f && e.rightFuel <= 0.0f)
        rpmTarget = 0.0; // both tanks dry: the engine starves
    e.rpm = stored(approachTarget(e.rpm, rpmTarget, 0.2838, 1.2433));

    const double oilPressureTarget =
        std::min(0.0433 * double(e.rpm) + 2.3154, oilPressureTargetCap);
    e.oilPressure = stored(approachLimited(e.oilPressure, oilPressureTarget, pressureStepLimit));

    const double egtTarget =
        56.322 * double(e.manifoldPressure) + 370.17 + 71.0 * (1.0 - double(e.mixture));
    e.egtRankine = stored(approachTarget(e.egtRankine, egtTarget, 2.256, 0.8622));

    const double chtTarget =
        std::max(1.7703 * std::pow(double(e.egtRankine) - 459.0, 0.7414), chtFloor);
    e.cht = stored(approachTarget(e.cht, chtTarget, 0.0099, 1.0805));
    if (double(e.cht) < chtFloor)
        e.cht = stored(chtFloor);

    const double oilTempTarget = 0.2756 * double(e.cht) + 82.368;
    e.oilTemp = stored(approachTarget(e.oilTemp, oilTempTarget, 0.0099, 1.0805));

    const double fuelPressureTarget = 0.0035 * double(e.rpm) + 7.2021;
    e.fuelPressure = stored(approachLimited(e.fuelPressure, fuelPressureTarget, pressureStepLimit));

    const double fuelFlowTarget = 0.0065 * double(e.rpm) - 5.1134 + 8.0 * double(e.mixture);
    e.fuelFlow = stored(approachLimited(e.fuelFlow, fuelFlowTarget, fuelFlowStepLimit));

    // Both tanks feed the engine equally. A lean mixture at very low rpm gives
    // a negative flow figure, but burning never puts fuel back into a tank.
    const double burn = std::max(double(e.fuelFlow) * double(hoursPerSecond) * burnFactor, 0.0);
    e.leftFuel = stored(double(e.leftFuel) - burn);
    e.rightFuel = stored(double(e.rightFuel) - burn);
    if (e.leftFuel <= 0.0f)
        e.leftFuel = 0.0f;
    if (e.rightFuel <= 0.0f)
        e.rightFuel = 0.0f;

    e.torque = stored(double(e.rpm) * double(rpmToHorsepowerScale) * 550.0 -
                      (29.0 - double(e.manifoldPressure)) * double(mapToTorqueScale) * 140.0);
}
