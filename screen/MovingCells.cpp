#include "screen/MovingCells.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool empty(const gfx::RectF& r) {
    return !(r.width > 0 && r.height > 0);
}

bool same(const gfx::RectF& a, const gfx::RectF& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

gfx::RectF bounding(const gfx::RectF& a, const gfx::RectF& b) {
    if (empty(a))
        return b;
    if (empty(b))
        return a;
    const float left = std::min(a.x, b.x);
    const float top = std::min(a.y, b.y);
    const float right = std::max(a.x + a.width, b.x + b.width);
    const float bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}

// The band between two edges at `a` and `b`, across [from, from + length).
gfx::RectF rows(float a, float b, float from, float length) {
    return {from, std::min(a, b), length, std::abs(a - b)};
}
gfx::RectF columns(float a, float b, float from, float length) {
    return {std::min(a, b), from, std::abs(a - b), length};
}

// A solid rectangle that moved one edge changes only the pixels the two
// edges cross; a smoothed edge colours the row or column it lies in.
gfx::RectF movedSolid(const gfx::RectF& a, const gfx::RectF& b) {
    if (empty(a) || empty(b))
        return bounding(a, b);
    const float aRight = a.x + a.width;
    const float bRight = b.x + b.width;
    const float aBottom = a.y + a.height;
    const float bBottom = b.y + b.height;
    if (a.x == b.x && aRight == bRight) {
        if (aBottom == bBottom)
            return rows(a.y, b.y, a.x, a.width);
        if (a.y == b.y)
            return rows(aBottom, bBottom, a.x, a.width);
    }
    if (a.y == b.y && aBottom == bBottom) {
        if (aRight == bRight)
            return columns(a.x, b.x, a.y, a.height);
        if (a.x == b.x)
            return columns(aRight, bRight, a.y, a.height);
    }
    return bounding(a, b);
}

// Whole pixels round a box, one more each way for the smoothing; far off
// the screen is as good as anywhere off it.
gfx::Rect roundedOut(const gfx::RectF& r) {
    const auto near = [](float v) { return std::clamp(v, -1.0e6f, 1.0e6f); };
    const int left = int(std::floor(near(r.x))) - 1;
    const int top = int(std::floor(near(r.y))) - 1;
    const int right = int(std::ceil(near(r.x + r.width))) + 1;
    const int bottom = int(std::ceil(near(r.y + r.height))) + 1;
    return {left, top, right - left, bottom - top};
}

} // namespace

void MovingCells::add(gfx::RectF area, const CellFrom& from, bool solid) {
    if (size_ == capacity) {
        overflowed_ = true;
        return;
    }
    cells_[size_++] = {.area = area, .from = from, .solid = solid};
}

std::optional<gfx::Rect> movedBetween(const MovingCells& before, const MovingCells& now) {
    if (before.overflowed() || now.overflowed() || before.size() != now.size())
        return std::nullopt;
    gfx::RectF moved;
    for (std::size_t cell = 0; cell < now.size(); ++cell) {
        const MovingCell& was = before[cell];
        const MovingCell& is = now[cell];
        if (!(was.from == is.from) || was.solid != is.solid)
            moved = bounding(moved, bounding(was.area, is.area));
        else if (!same(was.area, is.area))
            moved = bounding(moved, is.solid ? movedSolid(was.area, is.area)
                                             : bounding(was.area, is.area));
    }
    if (empty(moved))
        return gfx::Rect{};
    // Non-finite places cannot be bounded.
    if (!std::isfinite(moved.x) || !std::isfinite(moved.y) || !std::isfinite(moved.width) ||
        !std::isfinite(moved.height))
        return std::nullopt;
    return roundedOut(moved);
}
