#pragma once

// The smooth stretch of a whole bitmap over a rectangle, in fewer steps than
// the painter takes for it but to the same pixels.

#include "gfx/Graphics.h"

class QImage;
class QRect;
class QSize;

namespace gfx {

// Draws `image` (32-bit, opaque or premultiplied) stretched over `target`, a
// rectangle of the painter's current frame, exactly as the painter's smooth
// stretch would draw it, within the clip in force. Returns false, having
// drawn nothing, where it cannot promise that: rotated or fractional
// placement, path clips, other blend settings, shrinking the width to less
// than half, a processor without the vector passes. The painter draws it then.
bool drawSmoothStretch(Graphics::Impl& d, const QImage& image, QRect target);

// Whether drawSmoothStretch draws a `source`-sized picture stretched over a
// `target`-sized rectangle at the origin of a 32-bit bitmap or window, or the
// picture is merely copied: then any part of the stretch drawn as a whole
// (Graphics::setStretchAsWhole) is exactly the whole stretch's pixels there.
bool ownStretchCovers(QSize source, QSize target);

// Off, the painter draws every stretch, so that benchmarks and tests can set
// the two side by side; on by default.
void setOwnStretch(bool on);
// How many stretches drawSmoothStretch has drawn since the program started.
long long ownStretchesDrawn();

} // namespace gfx
