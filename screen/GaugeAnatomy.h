#pragma once

#include "screen/MovingCells.h"
#include "screen/ScreenTables.h"

#include <optional>
#include <span>
#include <string_view>

// The vertical strip gauge shared by the engine strips and the fuel tanks, in
// the gauge's own frame: the scale runs 75 pixels from its maximum at y = 0
// down to its minimum at y = 75, the strip hangs from the origin to the right.

inline constexpr float stripScaleLength = 75;

// A scale value's place on the strip; the strip maps min..max onto 75..0.
constexpr float stripY(float value, float min, float max) {
    return stripScaleLength - (value - min) * stripScaleLength / (max - min);
}

// The pointer stops at the scale's ends; a value that is not a number rests
// at the bottom.
double clampToScale(double value, double min, double max);

// Where the pointer's tip sits for a value already clamped to the scale.
float stripPointerY(double clamped, float min, float max);

void drawGaugeTitle(gfx::Graphics& graphics, ScreenKit& kit, std::u16string_view title);
// The strip in its base colour, with an optional zone painted over it.
void drawStrip(gfx::Graphics& graphics, const gfx::SolidBrush& base);
void drawZone(gfx::Graphics& graphics, const gfx::SolidBrush& colour, float top, float height);
// Ticks, then scale labels, each from the top down.
void drawStripScale(gfx::Graphics& graphics, ScreenKit& kit, std::span<const TickMark> ticks,
                    std::span<const ScaleLabel> labels);
// Red limit lines across the strip, their labels to its right.
void drawStripLimits(gfx::Graphics& graphics, ScreenKit& kit, std::span<const float> lines,
                     std::span<const ScaleLabel> labels);
// The large number under the strip and its unit beside it, in one colour.
void drawStripReadout(gfx::Graphics& graphics, ScreenKit& kit, std::u16string_view readout,
                      std::u16string_view unit, const gfx::SolidBrush& colour);
// The readout and unit in inverse video: the readout's box filled in
// `colour`, the digits black over it, the unit beside it in `colour`.
void drawInverseStripReadout(gfx::Graphics& graphics, ScreenKit& kit, std::u16string_view readout,
                             std::u16string_view unit, const gfx::SolidBrush& colour);
// The white pointer with its shadow 3 pixels right and below.
void drawStripPointer(gfx::Graphics& graphics, ScreenKit& kit, float pointerY);

// The pointer and its shadow as the one cell of a strip's moving layer, its
// tip at `pointerY` below the gauge's origin (none without data).
void addStripPointerCell(MovingCells& cells, gfx::PointF origin, std::optional<float> pointerY);
