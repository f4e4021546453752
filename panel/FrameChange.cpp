#include "panel/FrameChange.h"

#include <algorithm>
#include <cstddef>

bool overlaps(const gfx::Rect& a, const gfx::Rect& b) {
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 && a.x < b.x + b.width &&
           b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

void mergeOverlapping(std::vector<gfx::Rect>& areas) {
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < areas.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < areas.size() && !merged; ++j)
                if (overlaps(areas[i], areas[j])) {
                    areas[i] = gfx::united(areas[i], areas[j]);
                    areas.erase(areas.begin() + std::ptrdiff_t(j));
                    merged = true;
                }
    }
}

std::vector<gfx::Rect> clientAreasOf(const FrameChange& change, gfx::Size panel, gfx::Size client) {
    std::vector<gfx::Rect> reached;
    if (change.whole || !gfx::stretchDrawsInParts(panel, client))
        return reached;
    for (const gfx::Rect& area : change.areas) {
        const gfx::Rect onClient = gfx::stretchReach(area, panel, client);
        if (onClient.width > 0 && onClient.height > 0)
            reached.push_back(onClient);
    }
    return reached;
}
