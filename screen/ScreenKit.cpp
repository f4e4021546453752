#include "screen/ScreenKit.h"

#include "gfx/StringFormat.h"

#include <array>

namespace {

// An outline through the three corners and back to the first.
gfx::GraphicsPath makeTriangle(const Triangle& corners) {
    gfx::GraphicsPath path(gfx::FillMode::alternate);
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const gfx::PointF from = corners[i];
        const gfx::PointF to = corners[(i + 1) % corners.size()];
        path.addLine(from.x, from.y, to.x, to.y);
    }
    return path;
}

} // namespace

void setAntiAliased(gfx::Graphics& graphics) {
    graphics.setSmoothingMode(gfx::SmoothingMode::antiAlias);
    graphics.setTextRenderingHint(gfx::TextRenderingHint::antiAlias);
}

gfx::Font makeKitFont(std::u16string_view family, float pixels, gfx::FontStyle style) {
    gfx::FontFamily chosen(family);
    if (!chosen.valid())
        chosen = gfx::FontFamily::genericSansSerif();
    gfx::Font font(&chosen, pixels, style);
    if (!font.valid()) {
        const gfx::FontFamily generic = gfx::FontFamily::genericSansSerif();
        font = gfx::Font(&generic, pixels, style);
    }
    return font;
}

ScreenKit::ScreenKit(gfx::Graphics& graphics)
    : pointerPath(makeTriangle(pointerTriangle)), needlePath(makeTriangle(needleTriangle)),
      antiAliasing(graphics) {}

void drawTextBox(std::u16string_view text, float x, float y, float width, float height,
                 const gfx::Font* font, const gfx::SolidBrush* brush, gfx::Graphics& graphics,
                 gfx::StringAlignment alignment) {
    gfx::StringFormat format;
    format.setAlignment(alignment);
    format.setLineAlignment(gfx::StringAlignment::center);
    graphics.drawString(text, font, {x, y, width, height}, &format, brush);
}
