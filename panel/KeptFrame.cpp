#include "panel/KeptFrame.h"

#include "gfx/Graphics.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelLayout.h"
#include "panel/PanelScene.h"
#include "screen/ProfileScale.h"
#include "screen/ScreenRenderer.h"

#include <functional>
#include <string>

namespace {

// The parts whose fixed layer can be kept: drawn in layers, with no part
// drawn before them over their area, so that the pixels under their moving
// layer are the panel picture's and their fixed layer's alone.
FramePartSet keepableParts(const PartRects& areas) {
    FramePartSet keepable;
    for (std::size_t part = 0; part < framePartCount; ++part) {
        if (!framePartLayered(part))
            continue;
        bool drawnOver = false;
        for (std::size_t earlier = 0; earlier < part; ++earlier)
            drawnOver = drawnOver || overlaps(areas[earlier], areas[part]);
        keepable[part] = !drawnOver;
    }
    return keepable;
}

// The artwork, the screen's power, the registration, the aircraft profile
// and the client size: a change of any rebuilds the whole frame.
DrawnFrom wholeFrameInputs(const ClientRect& client, const PanelScene& scene) {
    const PanelArtwork& artwork = scene.artwork;
    const ScreenRenderer& renderer = scene.renderer;
    DrawnFrom inputs;
    inputs << client.width() << client.height() << artwork.panel.contentKey()
           << artwork.checkMark.contentKey() << renderer.powered << renderer.logoImage.contentKey()
           << std::hash<std::u16string>{}(renderer.registration) << renderer.aircraftKey();
    for (std::size_t knob = 0; knob < knobCount; ++knob)
        inputs << knobImage(artwork, knob).contentKey();
    return inputs;
}

} // namespace

FrameChange KeptFrame::refresh(const ClientRect& client, const PanelScene& scene) {
    FrameChange change;
    const DrawnFrom whole = wholeFrameInputs(client, scene);
    // A frame without the panel picture starts black; it is simply rebuilt.
    if (wholeNext || !frame_.valid() || !scene.artwork.panel.valid() ||
        !(whole == wholeDrawnFrom)) {
        wholeNext = false;
        wholeDrawnFrom = whole;
        rebuild(scene);
        change.whole = true;
        return change;
    }
    const FramePartSet changed = changedParts(scene);
    if (changed.any())
        redraw(scene, regionsOf(changed, scene), change);
    return change;
}

void KeptFrame::release() {
    frame_ = gfx::Bitmap();
    fixedLayers = gfx::Bitmap();
    fixedKept.reset();
    drawing = gfx::Bitmap();
    wholeNext = true;
}

void KeptFrame::rebuild(const PanelScene& scene) {
    frame_ = composePanelFrame(scene);
    cellsNowKnown.reset();
    for (std::size_t part = 0; part < framePartCount; ++part)
        areas[part] = framePartArea(part, scene.artwork);
    keepable = keepableParts(areas);
    for (std::size_t part = 0; part < framePartCount; ++part)
        for (std::size_t other = 0; other < framePartCount; ++other)
            neighbours[part][other] = other != part && overlaps(areas[part], areas[other]);
    fixedKept.reset();
    for (std::size_t part = 0; part < framePartCount; ++part)
        keepDrawnFrom(part, scene);
}

void KeptFrame::keepDrawnFrom(std::size_t part, const PanelScene& scene) {
    drawnFrom[part] = framePartInputs(part, scene);
    if (cellsNowKnown.test(part)) {
        cellsDrawn[part] = cellsNow[part];
        withCells.set(part);
        return;
    }
    cellsDrawn[part] = MovingCells();
    withCells[part] = framePartCells(part, scene, cellsDrawn[part]);
}

// A changed part whose fixed layer is kept is drawn again only where its
// moving layer changed. Drawn again over a region, a part changes the pixels
// there of every part overlapping it, which must be drawn again there too
// (whole, unless its fixed layer is kept), and so on.
PartRegions KeptFrame::regionsOf(const FramePartSet& changed, const PanelScene& scene) {
    const FramePartSet narrow = keepable & fixedKept & withCells;
    PartRegions regions{};
    cellsNowKnown.reset();
    for (std::size_t part = 0; part < framePartCount; ++part) {
        if (!changed.test(part))
            continue;
        regions[part] = areas[part];
        if (!narrow.test(part))
            continue;
        cellsNow[part] = MovingCells();
        cellsNowKnown[part] = framePartCells(part, scene, cellsNow[part]);
        if (!cellsNowKnown.test(part))
            continue;
        if (const std::optional<gfx::Rect> moved = framePartMoved(cellsDrawn[part], cellsNow[part]))
            regions[part] = gfx::intersected(*moved, areas[part]);
    }
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t drawn = 0; drawn < framePartCount; ++drawn)
            for (std::size_t part = 0; part < framePartCount; ++part) {
                if (!neighbours[drawn].test(part) || gfx::isEmpty(regions[drawn]) ||
                    !overlaps(areas[part], regions[drawn]))
                    continue;
                const gfx::Rect needed =
                    narrow.test(part) ? gfx::intersected(areas[part], regions[drawn]) : areas[part];
                const gfx::Rect grown = gfx::united(regions[part], needed);
                if (grown != regions[part]) {
                    regions[part] = grown;
                    grew = true;
                }
            }
    }
    return regions;
}

FramePartSet KeptFrame::changedParts(const PanelScene& scene) {
    FramePartSet changed;
    for (std::size_t part = 0; part < framePartCount; ++part) {
        if (part == untracked)
            continue;
        DrawnFrom now = framePartInputs(part, scene);
        if (!(now == drawnFrom[part])) {
            changed.set(part);
            drawnFrom[part] = now;
        }
    }
    return changed;
}

void KeptFrame::redraw(const PanelScene& scene, const PartRegions& regions, FrameChange& change) {
    if (!drawing.valid() || drawing.width() != frame_.width() ||
        drawing.height() != frame_.height())
        drawing = gfx::Bitmap(frame_.width(), frame_.height());
    FramePartSet parts;
    for (std::size_t part = 0; part < framePartCount; ++part)
        parts[part] = !gfx::isEmpty(regions[part]);
    // A part whose fixed layer is kept starts from those pixels, not the panel's.
    const FramePartSet fromFixedLayer = parts & keepable & fixedKept;
    for (std::size_t part = 0; part < framePartCount; ++part)
        if (parts.test(part)) {
            if (!fromFixedLayer.test(part))
                drawing.copyArea(scene.artwork.panel, regions[part]);
            // A part drawn along with its neighbours is drawn from today's inputs.
            if (part != untracked)
                keepDrawnFrom(part, scene);
        }
    const FramePartSet layered = parts & keepable;
    keepFixedLayers(scene, layered & ~fixedKept);
    // Over the panel picture's pixels of every part, as a later part drawn
    // over a layered one is drawn over its fixed layer.
    ScreenPartLayers layers{};
    // A moving layer drawn again over only part of its area draws only there.
    PartRects within{};
    for (std::size_t part = 0; part < framePartCount; ++part)
        if (layered.test(part)) {
            const gfx::Rect& area = areas[part];
            drawing.copyArea(fixedLayers, regions[part]);
            layers[part - panelPartCount] = PartLayers::moving;
            if (regions[part] != area)
                within[part] = regions[part];
        }
    {
        gfx::Graphics g(drawing);
        drawFrameParts(g, scene, parts, layers, within);
    }
    // Only the pixels that came out different reach the frame.
    for (std::size_t part = 0; part < framePartCount; ++part)
        if (parts.test(part)) {
            const gfx::Rect differs = drawing.differingArea(frame_, regions[part]);
            if (!gfx::isEmpty(differs)) {
                frame_.copyArea(drawing, differs);
                change.areas.push_back(differs);
            }
        }
    cellsNowKnown.reset();
}

// Draws the fixed layers of `parts` over the panel picture's pixels where
// the parts are drawn, and keeps them.
void KeptFrame::keepFixedLayers(const PanelScene& scene, const FramePartSet& parts) {
    if (parts.none())
        return;
    ScreenPartLayers layers{};
    layers.fill(PartLayers::fixed);
    {
        gfx::Graphics g(drawing);
        drawFrameParts(g, scene, parts, layers);
    }
    if (!fixedLayers.valid() || fixedLayers.width() != frame_.width() ||
        fixedLayers.height() != frame_.height())
        fixedLayers = gfx::Bitmap(frame_.width(), frame_.height());
    for (std::size_t part = 0; part < framePartCount; ++part)
        if (parts.test(part))
            fixedLayers.copyArea(drawing, areas[part]);
    fixedKept |= parts;
}
