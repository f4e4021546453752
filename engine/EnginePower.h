#pragma once

// Horsepower as a percentage of the engine's rating, from torque (lb-ft) and
// speed (rev/min); never below 0.
inline constexpr double ratedHorsepower = 260;
inline constexpr double horsepowerConstant = 5252; // lb-ft x rev/min per horsepower

constexpr double percentOfRatedPower(double torque, double rpm) {
    const double percent = torque * rpm * (1 / horsepowerConstant) * (1 / ratedHorsepower) * 100;
    return percent < 0 ? 0 : percent;
}

// The torque that gives `percent` of the rating at `rpm` (above 0).
constexpr double torqueForPercentPower(double percent, double rpm) {
    return percent / 100 * ratedHorsepower * horsepowerConstant / rpm;
}
