#pragma once

// Renders the monitor screen, or single elements of it, for pixel probes.

#include "gfx/Graphics.h"
#include "screen/ScreenKit.h"
#include "tests/gfx/Probes.h"

#include <QImage>
#include <QString>

#include <functional>

// The opening state with every cylinder spread 1.0.
void resetEngine();
// "field=value;field=value" on the engine record; values may be nan or inf.
void setEngine(const QString& assignments);

// The 630 x 483 screen drawn on `background` with the renderer's logo.
QImage renderScreen(QRgb background = 0xFF000000);

// Draws elements alone on black in the screen's state, from a local origin,
// to compare with what the screen drew there.
QImage renderAlone(QPointF origin, const std::function<void(gfx::Graphics&, ScreenKit&)>& steps);

// The text box drawn alone in a colour, for comparison with the screen.
QImage renderTextBox(QPointF origin, const QString& text, gfx::RectF box,
                     gfx::Font ScreenKit::*font, gfx::Argb colour, gfx::StringAlignment alignment);
