#include "screen/Readouts.h"
#include "screen/ScreenSections.h"
#include "screen/ScreenTables.h"

#include "engine/Engine.h"

namespace {

constexpr double ratedHorsepower = 260;
constexpr double horsepowerConstant = 5252; // lb-ft x rev/min per horsepower

// Right-aligned so the digits end near x = 45, the caption just after them.
constexpr gfx::RectF readoutBox{.x = -15, .y = 215, .width = 60, .height = 26};
constexpr TextBox caption[] = {
    {.text = u"% HP", .x = 43, .y = 220, .width = 55, .height = 17, .alignment = Align::near}};

// Horsepower as a percentage of the engine's rating; never below 0.
double percentPower() {
    const double percent = double(engineState.torque) * double(engineState.rpm) *
                           (1 / horsepowerConstant) * (1 / ratedHorsepower) * 100;
    return percent < 0 ? 0 : percent;
}

} // namespace

void drawPercentPower(gfx::Graphics& graphics, ScreenKit& kit) {
    drawTextBox(formatReadout(percentPower(), fixed3_0), readoutBox.x, readoutBox.y,
                readoutBox.width, readoutBox.height, &kit.boldFont26, &kit.whiteBrush, graphics,
                gfx::StringAlignment::far);
    drawTextBoxes(graphics, kit, caption, &ScreenKit::boldFont14, &ScreenKit::whiteBrush);
}
