#include "screen/ScreenSections.h"
#include "screen/ScreenTables.h"

namespace {

// 30 rows from y = 465 and 703 wide: the screen's edges cut it to 630 x 18.
constexpr gfx::Rect statusBar{0, 465, 703, 30};

// The captions of the instrument's bottom line and the registration.
constexpr TextBox statusLabels[] = {
    {u"Step", 80, 466, 40, 16, gfx::StringAlignment::center},
    {u"LF", 140, 466, 40, 16, gfx::StringAlignment::center},
    {u"GMT", 205, 466, 40, 16, gfx::StringAlignment::center},
    {u"EGT/FF", 260, 466, 55, 16, gfx::StringAlignment::center},
    {u"N5038K", 533, 466, 80, 16, gfx::StringAlignment::far},
};
static_assert(std::size(statusLabels) == 5);

constexpr gfx::PointF logoCorner{15, 15};
// Only pure opaque black around the logo's artwork is left out.
constexpr gfx::Argb logoKey = 0xFF000000;

} // namespace

void drawStatusBar(gfx::Graphics& graphics, ScreenKit& kit) {
    graphics.fillRectangle(&kit.whiteBrush, statusBar);
    drawTextBoxes(graphics, kit, statusLabels, &ScreenKit::boldFont13, &ScreenKit::blackBrush);
}

void drawLogo(gfx::Graphics& graphics, ScreenKit& kit, const gfx::Bitmap& logo) {
    gfx::ImageAttributes& key = kit.logoAttributes.emplace();
    key.setColorKey(logoKey, logoKey);
    const auto width = float(logo.width());
    const auto height = float(logo.height());
    graphics.drawImage(&logo, {logoCorner.x, logoCorner.y, width, height}, {0, 0, width, height},
                       &key);
}
