#pragma once

#include "gfx/Font.h"
#include "gfx/Graphics.h"
#include "gfx/GraphicsPath.h"
#include "gfx/ImageAttributes.h"
#include "gfx/Pen.h"
#include "gfx/SolidBrush.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

// The screen draws with smoothed shapes and smoothed text everywhere.
void setAntiAliased(gfx::Graphics& graphics);

// A font of the family asked for, or of the generic sans-serif family at the
// same size and style when the system has neither it nor a metric twin.
gfx::Font makeKitFont(std::u16string_view family, float pixels, gfx::FontStyle style);

using Triangle = std::array<gfx::PointF, 3>;
inline constexpr Triangle pointerTriangle{{{19, -6}, {-4, 0}, {19, 6}}};
inline constexpr Triangle needleTriangle{{{-7.5f, -55}, {0, -80}, {7.5f, -55}}};

// The box round a triangle's corners.
constexpr gfx::RectF boundsOf(const Triangle& corners) {
    float left = corners[0].x, top = corners[0].y, right = left, bottom = top;
    for (const gfx::PointF& corner : corners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    return {.x = left, .y = top, .width = right - left, .height = bottom - top};
}

// The drawing objects of one screen frame, made in the order below and
// released in reverse when the frame is done. Pens are 1 pixel wide and
// solid between elements.
struct ScreenKit {
    explicit ScreenKit(gfx::Graphics& graphics);

    gfx::GraphicsPath pointerPath; // strip and fuel pointers: tip at (-4, 0), base at x = 19
    gfx::GraphicsPath needlePath;  // dial needle tips: tip at (0, -80), base at y = -55

    // The context turns anti-aliased once the paths exist, before the paints.
    struct AntiAliasing {
        explicit AntiAliasing(gfx::Graphics& graphics) { setAntiAliased(graphics); }
    } antiAliasing;

    gfx::SolidBrush blackBrush{0xFF000000};
    gfx::SolidBrush greenBrush{0xFF00FF00};
    gfx::SolidBrush redBrush{0xFFFF0000};
    gfx::SolidBrush whiteBrush{0xFFFFFFFF};
    gfx::SolidBrush yellowBrush{0xFFFFFF00};
    gfx::SolidBrush cyanBrush{0xFF00FFFF};
    gfx::SolidBrush shadeBrush{0xB4000000}; // pointer drop shadows

    gfx::Pen greenPen{0xFF00FF00};
    gfx::Pen redPen{0xFFFF0000};
    gfx::Pen whitePen{0xFFFFFFFF};
    gfx::Pen yellowPen{0xFFFFFF00};
    gfx::Pen greyPen{0xFF505050}; // dial needle shafts

    gfx::Font boldFont13 = makeKitFont(u"Arial", 13, gfx::FontStyle::bold);
    gfx::Font boldFont14 = makeKitFont(u"Arial", 14, gfx::FontStyle::bold);
    gfx::Font boldFont26 = makeKitFont(u"Arial", 26, gfx::FontStyle::bold);
    gfx::Font italicFont17 = makeKitFont(u"Arial", 17, gfx::FontStyle::italic);
    gfx::Font boldFont32 = makeKitFont(u"Arial", 32, gfx::FontStyle::bold);

    // The logo's colour key, made by the logo section, released first.
    std::optional<gfx::ImageAttributes> logoAttributes;
};

// A string in a layout rectangle, aligned across it and centred vertically.
void drawTextBox(std::u16string_view text, float x, float y, float width, float height,
                 const gfx::Font* font, const gfx::SolidBrush* brush, gfx::Graphics& graphics,
                 gfx::StringAlignment alignment);
