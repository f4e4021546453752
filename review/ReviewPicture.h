#pragma once

#include "aircraft/AircraftProfile.h"
#include "review/FlightReview.h"

namespace gfx {
class Graphics;
}

// The size a review is drawn at without --size: a laptop screen's worth,
// and an A4 page's in print.
inline constexpr int reviewWidth = 1600;
inline constexpr int reviewHeight = 1200;

// The width the plots take in a picture `width` pixels wide: the columns the
// log is reduced to.
int reviewPlotColumns(int width);

// Draws the review on a white page of `width` x `height` pixels: the header
// of figures, then the plots one under another over one time axis.
void drawReview(gfx::Graphics& graphics, int width, int height, const FlightReview& review,
                const AircraftProfile& profile);
