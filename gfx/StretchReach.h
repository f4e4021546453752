#pragma once

// Which window pixels a part of a stretched frame reaches, so that a window
// redraws only the pixels a changed part of its frame can alter.

#include "gfx/Types.h"

namespace gfx {

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// The target pixels of a smooth stretch of `source` over `target` whose value
// reads any pixel of `sourceArea`: each target pixel blends the two source
// columns and the two rows either side of where its centre falls, so a source
// pixel reaches the target pixels whose centres fall less than one source
// pixel from it, one pixel more on each side for the stretch's fixed-point
// rounding. Clipped to the target; empty for an empty area.
Rect stretchReach(Rect sourceArea, Size source, Size target);

// Whether a part of that stretch, drawn as a whole (Graphics::setStretchAsWhole)
// on a 32-bit bitmap or window, is exactly the whole stretch's pixels there.
bool stretchDrawsInParts(Size source, Size target);

} // namespace gfx
