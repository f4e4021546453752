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

// A part drawn again changes the pixels under any part overlapping it, which
// must then be drawn again too, and so on.
FramePartSet withOverlapping(FramePartSet parts, const PanelArtwork& artwork) {
    std::array<gfx::Rect, framePartCount> areas;
    for (std::size_t part = 0; part < framePartCount; ++part)
        areas[part] = framePartArea(part, artwork);
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t part = 0; part < framePartCount; ++part) {
            if (parts.test(part))
                continue;
            for (std::size_t drawn = 0; drawn < framePartCount; ++drawn)
                if (parts.test(drawn) && overlaps(areas[part], areas[drawn])) {
                    parts.set(part);
                    grew = true;
                    break;
                }
        }
    }
    return parts;
}

// The parts whose fixed layer can be kept: drawn in layers, with no part
// drawn before them over their area, so that the pixels under their moving
// layer are the panel picture's and their fixed layer's alone.
FramePartSet keepableParts(const PanelArtwork& artwork) {
    FramePartSet keepable;
    for (std::size_t part = 0; part < framePartCount; ++part) {
        if (!framePartLayered(part))
            continue;
        bool drawnOver = false;
        for (std::size_t earlier = 0; earlier < part; ++earlier)
            drawnOver = drawnOver ||
                        overlaps(framePartArea(earlier, artwork), framePartArea(part, artwork));
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
        redraw(scene, withOverlapping(changed, scene.artwork), change);
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
    fixedKept.reset();
    for (std::size_t part = 0; part < framePartCount; ++part)
        drawnFrom[part] = framePartInputs(part, scene);
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

void KeptFrame::redraw(const PanelScene& scene, const FramePartSet& parts, FrameChange& change) {
    if (!drawing.valid() || drawing.width() != frame_.width() ||
        drawing.height() != frame_.height())
        drawing = gfx::Bitmap(frame_.width(), frame_.height());
    const FramePartSet keepable = keepableParts(scene.artwork);
    // A part whose fixed layer is kept starts from those pixels, not the panel's.
    const FramePartSet fromFixedLayer = parts & keepable & fixedKept;
    for (std::size_t part = 0; part < framePartCount; ++part)
        if (parts.test(part)) {
            if (!fromFixedLayer.test(part))
                drawing.copyArea(scene.artwork.panel, framePartArea(part, scene.artwork));
            // A part drawn along with its neighbours is drawn from today's inputs.
            if (part != untracked)
                drawnFrom[part] = framePartInputs(part, scene);
        }
    const FramePartSet layered = parts & keepable;
    keepFixedLayers(scene, layered & ~fixedKept);
    // Over the panel picture's pixels of every part, as a later part drawn
    // over a layered one is drawn over its fixed layer.
    ScreenPartLayers layers{};
    for (std::size_t part = 0; part < framePartCount; ++part)
        if (layered.test(part)) {
            drawing.copyArea(fixedLayers, framePartArea(part, scene.artwork));
            layers[part - panelPartCount] = PartLayers::moving;
        }
    {
        gfx::Graphics g(drawing);
        drawFrameParts(g, scene, parts, layers);
    }
    // Only the pixels that came out different reach the frame.
    for (std::size_t part = 0; part < framePartCount; ++part)
        if (parts.test(part)) {
            const gfx::Rect differs =
                drawing.differingArea(frame_, framePartArea(part, scene.artwork));
            if (differs.width > 0 && differs.height > 0) {
                frame_.copyArea(drawing, differs);
                change.areas.push_back(differs);
            }
        }
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
            fixedLayers.copyArea(drawing, framePartArea(part, scene.artwork));
    fixedKept |= parts;
}
