#include "panel/KeptFrame.h"

#include "gfx/Graphics.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelLayout.h"

namespace {

// A part drawn again changes the pixels under any part overlapping it, which
// must then be drawn again too, and so on.
FramePartSet withOverlapping(FramePartSet parts) {
    std::array<gfx::Rect, framePartCount> areas;
    for (std::size_t part = 0; part < framePartCount; ++part)
        areas[part] = framePartArea(part);
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

// The artwork, the screen's power and the client size: a change of any
// rebuilds the whole frame.
DrawnFrom wholeFrameInputs(const ClientRect& client) {
    DrawnFrom inputs;
    inputs << client.width() << client.height() << panelImage.contentKey()
           << checkMarkImage.contentKey() << screenRenderer.powered
           << screenRenderer.logoImage.contentKey();
    for (std::size_t knob = 0; knob < knobCount; ++knob)
        inputs << knobImage(knob).contentKey();
    return inputs;
}

} // namespace

FrameChange KeptFrame::refresh(const ClientRect& client) {
    FrameChange change;
    const DrawnFrom whole = wholeFrameInputs(client);
    // A frame without the panel picture starts black; it is simply rebuilt.
    if (wholeNext || !frame_.valid() || !panelImage.valid() || !(whole == wholeDrawnFrom)) {
        wholeNext = false;
        wholeDrawnFrom = whole;
        rebuild();
        change.whole = true;
        return change;
    }
    const FramePartSet changed = changedParts();
    if (changed.any())
        redraw(withOverlapping(changed), change);
    return change;
}

void KeptFrame::release() {
    frame_ = gfx::Bitmap();
    wholeNext = true;
}

void KeptFrame::rebuild() {
    frame_ = composePanelFrame();
    for (std::size_t part = 0; part < framePartCount; ++part)
        drawnFrom[part] = framePartInputs(part);
}

FramePartSet KeptFrame::changedParts() {
    FramePartSet changed;
    for (std::size_t part = 0; part < framePartCount; ++part) {
        if (part == untracked)
            continue;
        DrawnFrom now = framePartInputs(part);
        if (!(now == drawnFrom[part])) {
            changed.set(part);
            drawnFrom[part] = now;
        }
    }
    return changed;
}

void KeptFrame::redraw(const FramePartSet& parts, FrameChange& change) {
    for (std::size_t part = 0; part < framePartCount; ++part)
        if (parts.test(part)) {
            const gfx::Rect area = framePartArea(part);
            frame_.copyArea(panelImage, area);
            change.areas.push_back(area);
            // A part drawn along with its neighbours is drawn from today's inputs.
            if (part != untracked)
                drawnFrom[part] = framePartInputs(part);
        }
    {
        gfx::Graphics g(frame_);
        drawFrameParts(g, parts);
    }
}
