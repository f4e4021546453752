#pragma once

#include <algorithm>
#include <concepts>
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
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// A rectangle without width or height (or with either not a number) holds
// nothing.
template <class R>
requires std::same_as<R, Rect> || std::same_as<R, RectF>
constexpr bool isEmpty(const R& r) {
    return !(r.width > 0 && r.height > 0);
}

// The smallest rectangle holding both; an empty one adds nothing.
template <class R>
requires std::same_as<R, Rect> || std::same_as<R, RectF>
constexpr R united(const R& a, const R& b) {
    if (isEmpty(a))
        return b;
    if (isEmpty(b))
        return a;
    const auto left = std::min(a.x, b.x);
    const auto top = std::min(a.y, b.y);
    const auto right = std::max(a.x + a.width, b.x + b.width);
    const auto bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}

// The pixels both hold; empty where they share none.
constexpr Rect intersected(const Rect& a, const Rect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    if (right <= left || bottom <= top)
        return {};
    return {left, top, right - left, bottom - top};
}

// Edge smoothing of shapes; text has its own hint.
enum class SmoothingMode { defaultMode, antiAlias };
enum class TextRenderingHint { systemDefault, antiAlias };
// Resampling of stretched bitmaps; the default is bilinear.
enum class InterpolationMode { defaultMode, nearestNeighbor, bilinear };

enum class StringAlignment { near, center, far };
enum class FontStyle { regular, bold, italic, boldItalic };
enum class FillMode { alternate, winding };

} // namespace gfx
