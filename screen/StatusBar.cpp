#include "screen/ScreenSections.h"
#include "screen/ScreenTables.h"

#include <algorithm>
#include <iterator>

namespace {

// 30 rows from y = 465 and 703 wide: the screen's edges cut it to 630 x 18.
constexpr gfx::Rect statusBar{.x = 0, .y = 465, .width = 703, .height = 30};

// The captions of the instrument's bottom line, then its registration, which
// a replayed log naming its aircraft replaces.
constexpr TextBox statusLabels[] = {
    {.text = u"Step", .x = 80, .y = 466, .width = 40, .height = 16, .alignment = Align::center},
    {.text = u"LF", .x = 140, .y = 466, .width = 40, .height = 16, .alignment = Align::center},
    {.text = u"GMT", .x = 205, .y = 466, .width = 40, .height = 16, .alignment = Align::center},
    {.text = u"EGT/FF", .x = 260, .y = 466, .width = 55, .height = 16, .alignment = Align::center},
    {.text = u"N5038K", .x = 533, .y = 466, .width = 80, .height = 16, .alignment = Align::far},
};
static_assert(std::size(statusLabels) == 5);

constexpr gfx::PointF logoCorner{.x = 15, .y = 15};
// Only pure opaque black around the logo's artwork is left out.
constexpr gfx::Argb logoKey = 0xFF000000;

} // namespace

void drawStatusBar(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art) {
    graphics.fillRectangle(&kit.whiteBrush, statusBar);
    TextBox labels[std::size(statusLabels)];
    std::copy(std::begin(statusLabels), std::end(statusLabels), labels);
    if (!art.registration.empty())
        labels[std::size(labels) - 1].text = art.registration;
    drawTextBoxes(graphics, kit, labels, &ScreenKit::boldFont13, &ScreenKit::blackBrush);
}

void drawLogo(gfx::Graphics& graphics, ScreenKit& kit, const gfx::Bitmap& logo) {
    gfx::ImageAttributes& key = kit.logoAttributes.emplace();
    key.setColorKey(logoKey, logoKey);
    const auto width = float(logo.width());
    const auto height = float(logo.height());
    graphics.drawImage(&logo, {logoCorner.x, logoCorner.y, width, height}, {0, 0, width, height},
                       &key);
}
