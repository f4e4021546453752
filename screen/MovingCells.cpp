#include "screen/MovingCells.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool finite(const gfx::RectF& r) {
    return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) &&
           std::isfinite(r.height);
}

bool same(const gfx::RectF& a, const gfx::RectF& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
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
    if (gfx::isEmpty(a) || gfx::isEmpty(b))
        return gfx::united(a, b);
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
    return gfx::united(a, b);
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
        // A place that is not a number cannot be bounded.
        if (!finite(was.area) || !finite(is.area))
            return std::nullopt;
        if (!(was.from == is.from) || was.solid != is.solid)
            moved = gfx::united(moved, gfx::united(was.area, is.area));
        else if (!same(was.area, is.area))
            moved = gfx::united(moved, is.solid ? movedSolid(was.area, is.area)
                                                : gfx::united(was.area, is.area));
    }
    if (gfx::isEmpty(moved))
        return gfx::Rect{};
    return roundedOut(moved);
}
