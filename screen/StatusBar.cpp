#include "screen/StatusBar.h"

#include "screen/LeanReadouts.h"
#include "screen/ScreenSections.h"
#include "screen/ScreenTables.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <string>

namespace {

// 30 rows from y = 465 and 703 wide: the screen's edges cut it to 630 x 18.
constexpr gfx::Rect statusBar{.x = 0, .y = 465, .width = 703, .height = 30};

// The captions of the instrument's bottom line, then its registration.
constexpr TextBox statusLabels[] = {
    {.text = u"Step", .x = 80, .y = 466, .width = 40, .height = 16, .alignment = Align::center},
    {.text = u"LF", .x = 140, .y = 466, .width = 40, .height = 16, .alignment = Align::center},
    {.text = u"GMT", .x = 205, .y = 466, .width = 40, .height = 16, .alignment = Align::center},
    {.text = u"EGT/FF", .x = 260, .y = 466, .width = 55, .height = 16, .alignment = Align::center},
    {.text = u"N5038K", .x = 533, .y = 466, .width = 80, .height = 16, .alignment = Align::far},
};
static_assert(std::size(statusLabels) == 5);
constexpr std::size_t registrationLabel = std::size(statusLabels) - 1;

// An alarm's message takes the place of the captions, on a band of its
// colour that ends short of the registration: the pilot reads what is
// wrong and on which aircraft's limits at once.
constexpr gfx::RectF messageBand{.x = 70, .y = 466, .width = 455, .height = 16};

struct MessageLook {
    Severity severity;
    KitBrush band;
    KitBrush text;
};

constexpr MessageLook messageLooks[] = {
    {.severity = Severity::caution,
     .band = &ScreenKit::yellowBrush,
     .text = &ScreenKit::blackBrush},
    {.severity = Severity::warning, .band = &ScreenKit::redBrush, .text = &ScreenKit::whiteBrush},
};
static_assert(std::size(messageLooks) == 2 && messageLooks[1].severity == Severity::warning);

const MessageLook& messageLook(Severity severity) {
    return severity == Severity::warning ? messageLooks[1] : messageLooks[0];
}

constexpr gfx::PointF logoCorner{.x = 15, .y = 15};
// Only pure opaque black around the logo's artwork is left out.
constexpr gfx::Argb logoKey = 0xFF000000;

// While the pilot leans, the lean search's words take the captions' place,
// black on the bar as they are; an alarm's message goes before them.
void drawLeanWords(gfx::Graphics& graphics, ScreenKit& kit, const LeanView& lean) {
    drawTextBox(leanStatus(lean), messageBand.x, messageBand.y, messageBand.width,
                messageBand.height, &kit.boldFont13, &kit.blackBrush, graphics,
                gfx::StringAlignment::near);
}

void drawMessage(gfx::Graphics& graphics, ScreenKit& kit, const ScreenAlarms& alarms) {
    const MessageLook& look = messageLook(alarms.severity);
    graphics.fillRectangle(&(kit.*look.band), messageBand);
    drawTextBox(statusBarMessage(alarms), messageBand.x, messageBand.y, messageBand.width,
                messageBand.height, &kit.boldFont13, &(kit.*look.text), graphics,
                gfx::StringAlignment::center);
}

} // namespace

std::u16string statusBarTailNumber(const ScreenArt& art) {
    if (!art.registration.empty())
        return std::u16string(art.registration);
    if (art.profile.tailNumber.empty())
        return std::u16string(statusLabels[registrationLabel].text);
    std::u16string text;
    for (const char letter : art.profile.tailNumber.view())
        text += char16_t(static_cast<unsigned char>(letter));
    return text;
}

std::u16string statusBarMessage(const ScreenAlarms& alarms) {
    if (alarms.message.empty() || alarms.count < 2)
        return alarms.message;
    const std::string count = std::to_string(alarms.count);
    return alarms.message + u"  (" + std::u16string(count.begin(), count.end()) + u")";
}

DrawnFrom statusBarInputs(const ScreenArt& art) {
    DrawnFrom inputs;
    inputs << std::u16string_view(statusBarTailNumber(art))
           << std::u16string_view(statusBarMessage(art.alarms)) << art.alarms.severity;
    addLeanStatusInputs(inputs, art.lean);
    return inputs;
}

void drawStatusBar(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art) {
    graphics.fillRectangle(&kit.whiteBrush, statusBar);
    const std::u16string tailNumber = statusBarTailNumber(art);
    TextBox labels[std::size(statusLabels)];
    std::copy(std::begin(statusLabels), std::end(statusLabels), labels);
    labels[registrationLabel].text = tailNumber;
    std::span<const TextBox> shown = labels;
    if (!art.alarms.message.empty()) {
        drawMessage(graphics, kit, art.alarms);
        shown = shown.subspan(registrationLabel);
    } else if (art.lean) {
        drawLeanWords(graphics, kit, *art.lean);
        shown = shown.subspan(registrationLabel);
    }
    drawTextBoxes(graphics, kit, shown, &ScreenKit::boldFont13, &ScreenKit::blackBrush);
}

void drawLogo(gfx::Graphics& graphics, ScreenKit& kit, const gfx::Bitmap& logo) {
    gfx::ImageAttributes& key = kit.logoAttributes.emplace();
    key.setColorKey(logoKey, logoKey);
    const auto width = float(logo.width());
    const auto height = float(logo.height());
    graphics.drawImage(&logo, {logoCorner.x, logoCorner.y, width, height}, {0, 0, width, height},
                       &key);
}
