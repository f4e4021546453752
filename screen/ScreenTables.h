#pragma once

#include "gfx/Types.h"
#include "screen/ScreenKit.h"

#include <string_view>

// Row types of the screen's layout tables. Positions are in the local frame
// of the section or gauge that draws them; kit members are named by pointer.

using KitBrush = gfx::SolidBrush ScreenKit::*;
using KitPen = gfx::Pen ScreenKit::*;
using KitFont = gfx::Font ScreenKit::*;
using Align = gfx::StringAlignment;

struct TickMark {
    float y;
    bool major;
};

struct ScaleLabel {
    std::u16string_view text;
    float y;
};

struct TextBox {
    std::u16string_view text;
    float x;
    float y;
    float width;
    float height;
    gfx::StringAlignment alignment;
};

struct FilledBox {
    KitBrush brush;
    float x;
    float y;
    float width;
    float height;
};

// Draws a row of `boxes` in one font and brush.
void drawTextBoxes(gfx::Graphics& graphics, ScreenKit& kit, const TextBox* first,
                   const TextBox* last, KitFont font, KitBrush brush);

template <class Boxes>
void drawTextBoxes(gfx::Graphics& graphics, ScreenKit& kit, const Boxes& boxes, KitFont font,
                   KitBrush brush) {
    drawTextBoxes(graphics, kit, std::data(boxes), std::data(boxes) + std::size(boxes), font,
                  brush);
}
