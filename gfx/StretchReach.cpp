#include "gfx/StretchReach.h"

#include "gfx/SmoothStretch.h"

#include <QSize>

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {

struct Span {
    int from; // first pixel
    int to;   // one past the last
};

// Along one axis: target pixel t samples at s = (t + 0.5) * length / target
// - 0.5 and reads pixels floor(s) and floor(s) + 1, clamped to the picture.
// It reads [from, to) when s >= from - 1 and s < to.
Span reachAlong(Span area, int length, int target) {
    if (area.to <= area.from || length <= 0 || target <= 0)
        return {0, 0};
    const double scale = double(target) / double(length);
    int first = int(std::ceil((area.from - 0.5) * scale - 0.5)) - 1;
    int last = int(std::ceil((area.to + 0.5) * scale - 0.5)) + 1;
    if (area.from <= 1)
        first = 0;
    if (area.to >= length - 1)
        last = target;
    return {std::clamp(first, 0, target), std::clamp(last, 0, target)};
}

} // namespace

Rect stretchReach(Rect sourceArea, Size source, Size target) {
    const Span x =
        reachAlong({sourceArea.x, sourceArea.x + sourceArea.width}, source.width, target.width);
    const Span y =
        reachAlong({sourceArea.y, sourceArea.y + sourceArea.height}, source.height, target.height);
    if (x.to <= x.from || y.to <= y.from)
        return {};
    return {x.from, y.from, x.to - x.from, y.to - y.from};
}

bool stretchDrawsInParts(Size source, Size target) {
    return ownStretchCovers(QSize(source.width, source.height), QSize(target.width, target.height));
}

} // namespace gfx
