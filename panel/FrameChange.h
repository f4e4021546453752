#pragma once

#include "gfx/StretchReach.h"
#include "gfx/Types.h"

#include <vector>

// What differs between a kept frame and the frame a window showed last.
struct FrameChange {
    // Every pixel may have changed: the window draws all of itself again.
    bool whole = false;
    // Otherwise these panel pixels, in areas that may overlap.
    std::vector<gfx::Rect> areas;

    bool none() const { return !whole && areas.empty(); }
};

// Whether two rectangles share a pixel.
bool overlaps(const gfx::Rect& a, const gfx::Rect& b);
// Rectangles that overlap become their bounding box, until none do.
void mergeOverlapping(std::vector<gfx::Rect>& areas);

// The client pixels a change reaches once its frame, `panel` pixels large, is
// stretched over a `client` area, in areas that may overlap; none where the
// whole area must be drawn again (a whole change, or a stretch that cannot be
// drawn in parts).
std::vector<gfx::Rect> clientAreasOf(const FrameChange& change, gfx::Size panel, gfx::Size client);
