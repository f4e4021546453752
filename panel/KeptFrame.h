#pragma once

#include "gfx/Bitmap.h"
#include "panel/FrameChange.h"
#include "panel/FrameParts.h"

#include <array>
#include <optional>
#include <vector>

struct ClientRect;
struct PanelScene;

// The panel frame a window shows, kept from one tick to the next with what
// each part was drawn from. A refresh draws again only the parts whose inputs
// changed, over the panel picture's pixels under them, together with every
// part overlapping what is drawn again, in drawing order; so the kept frame
// is always byte for byte the frame a complete rebuild would give. A new
// client size, other artwork, the screen powered up or down, or redrawAll
// rebuild it whole. A part drawn in layers keeps the pixels of its area as
// its fixed layer left them, the first time it is drawn again, and from then
// on only its moving layer is drawn over a copy of them; where the part
// names its moving layer's cells (a pointer, a bar, a readout), only the
// pixels of the cells that changed are drawn again. Parts are drawn again
// in a bitmap of their own, and only what came out different, pixel for
// pixel, is copied into the frame: a needle that moved by less than a
// pixel's worth of colour changes nothing.
// Each part's panel pixels drawn again in a refresh; none where it is not.
using PartRegions = PartRects;

class KeptFrame {
public:
    // Brings the frame up to date; what changed since the last refresh.
    FrameChange refresh(const ClientRect& client, const PanelScene& scene);
    // The next refresh rebuilds the whole frame (a change of source, a seek,
    // the window shown again).
    void redrawAll() { wholeNext = true; }
    // Lets the frame go, as the window closes.
    void release();

    bool valid() const { return frame_.valid(); }
    // At the panel's own size.
    const gfx::Bitmap& frame() const { return frame_; }

    // For tests that prove the tracking matters: the part's inputs are no
    // longer looked at, so it is drawn again only with a whole frame or with
    // an overlapping part.
    void setUntracked(std::optional<std::size_t> part) { untracked = part; }

private:
    void rebuild(const PanelScene& scene);
    FramePartSet changedParts(const PanelScene& scene);
    PartRegions regionsOf(const FramePartSet& changed, const PanelScene& scene);
    void redraw(const PanelScene& scene, const PartRegions& regions, FrameChange& change);
    void keepDrawnFrom(std::size_t part, const PanelScene& scene);
    void keepFixedLayers(const PanelScene& scene, const FramePartSet& parts);

    gfx::Bitmap frame_;
    DrawnFrom wholeDrawnFrom;
    std::array<DrawnFrom, framePartCount> drawnFrom;
    // Each part's area and the parts whose fixed layer can be kept, for the
    // artwork the frame was last rebuilt with (other artwork rebuilds it).
    PartRects areas;
    FramePartSet keepable;
    std::array<FramePartSet, framePartCount> neighbours; // whose areas overlap
    // Where each part in withCells drew its moving layer, cell by cell.
    std::array<MovingCells, framePartCount> cellsDrawn;
    FramePartSet withCells;
    // The cells of this refresh's changed parts, worked out once for their
    // regions and kept as drawn.
    std::array<MovingCells, framePartCount> cellsNow;
    FramePartSet cellsNowKnown;
    // Each layered part's area as its fixed layer left it, for the parts in
    // fixedKept; the rest of these pixels mean nothing.
    gfx::Bitmap fixedLayers;
    FramePartSet fixedKept;
    // Where the parts are drawn again, at the frame's size; only the pixels
    // that came out different are copied into the frame, so a redraw that
    // came out the same is not shown again. Outside the areas being drawn
    // these pixels mean nothing.
    gfx::Bitmap drawing;
    bool wholeNext = true;
    std::optional<std::size_t> untracked;
};
