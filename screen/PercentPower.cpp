#include "screen/DrawnFrom.h"
#include "screen/Readouts.h"
#include "screen/ScreenSections.h"
#include "screen/ScreenTables.h"

#include "engine/Engine.h"
#include "engine/EnginePower.h"

namespace {

// Right-aligned so the digits end near x = 45, the caption just after them.
constexpr gfx::RectF readoutBox{.x = -15, .y = 215, .width = 60, .height = 26};
constexpr TextBox caption[] = {
    {.text = u"% HP", .x = 43, .y = 220, .width = 55, .height = 17, .alignment = Align::near}};

// Power needs both torque and speed; without either there is no figure.
std::u16string powerReadout(const EngineState& engine) {
    if (engine.lacks(Quantity::torque) || engine.lacks(Quantity::rpm))
        return noDataReadout(fixed3_0);
    return formatReadout(percentOfRatedPower(engine.torque, engine.rpm), fixed3_0);
}

} // namespace

void drawPercentPower(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt&,
                      const EngineState& engine) {
    drawTextBox(powerReadout(engine), readoutBox.x, readoutBox.y, readoutBox.width,
                readoutBox.height, &kit.boldFont26, &kit.whiteBrush, graphics,
                gfx::StringAlignment::far);
    drawTextBoxes(graphics, kit, caption, &ScreenKit::boldFont14, &ScreenKit::whiteBrush);
}

DrawnFrom percentPowerInputs(const ScreenArt&, const EngineState& engine) {
    DrawnFrom inputs;
    inputs << engine.torque << engine.rpm << engine.lacks(Quantity::torque)
           << engine.lacks(Quantity::rpm);
    return inputs;
}
