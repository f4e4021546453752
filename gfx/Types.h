#pragma once

#include <cstdint>

namespace gfx {

// Colours are 32-bit ARGB values, alpha in the top byte.
using Argb = std::uint32_t;

// Outcome of a drawing-layer call. Every object keeps the status of its last
// failed call; nothing throws.
enum class Status {
    ok,
    genericError,
    invalidParameter,
    outOfMemory,
    wrongState,
    notImplemented,
    fontFamilyNotFound,
};

struct PointF {
    float x = 0;
    float y = 0;
};

struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Edge smoothing of shapes; text has its own hint.
enum class SmoothingMode { defaultMode, antiAlias };
enum class TextRenderingHint { systemDefault, antiAlias };
// Resampling of stretched bitmaps; the default is bilinear.
enum class InterpolationMode { defaultMode, nearestNeighbor, bilinear };

enum class StringAlignment { near, center, far };
enum class FontStyle { regular, bold, italic, boldItalic };
enum class FillMode { alternate, winding };

} // namespace gfx
