#include "panel/FrameCompositor.h"

#include "gfx/Graphics.h"
#include "gfx/SolidBrush.h"
#include "panel/FrameParts.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelScene.h"

namespace {

// The frame starts as the panel picture, copied as it is, or as black when
// the picture failed to load.
gfx::Bitmap panelBackground(const PanelArtwork& artwork) {
    if (artwork.panel.valid())
        return gfx::Bitmap::copyOf(artwork.panel);
    const ImageSize panel = panelFrameSize(artwork);
    gfx::Bitmap black(panel.width, panel.height);
    {
        gfx::Graphics g(black);
        const gfx::SolidBrush blackBrush(0xFF000000);
        g.fillRectangle(&blackBrush, gfx::Rect{0, 0, panel.width, panel.height});
    }
    return black;
}

} // namespace

void updateScale(PanelView& view, const ClientRect& client, const PanelArtwork& artwork) {
    view.client = client;
    view.scaleY = double(float(client.height()) / float(panelFrameSize(artwork).height));
}

FrameChange refreshFrame(PanelView& view, PanelWindow& window, const PanelScene& scene) {
    const ClientRect client = window.readClientRect();
    updateScale(view, client, scene.artwork);
    return window.keptFrame.refresh(client, scene);
}

void composeFrame(PanelView& view, const PanelScene& scene) {
    if (!view.window)
        return;
    const FrameChange change = refreshFrame(view, *view.window, scene);
    // A frame that did not change costs the window system nothing.
    if (!change.none())
        view.window->showFrame(change);
}

gfx::Bitmap composePanelFrame(const PanelScene& scene) {
    gfx::Bitmap backBuffer = panelBackground(scene.artwork);
    {
        gfx::Graphics g(backBuffer);
        drawFrameParts(g, scene, FramePartSet().set());
    }
    return backBuffer;
}

gfx::Bitmap composeFrameFor(PanelView& view, const ClientRect& client, const PanelScene& scene) {
    updateScale(view, client, scene.artwork);
    return composePanelFrame(scene);
}

void stretchFrame(gfx::Graphics& window, const gfx::Bitmap& panelFrame, int width, int height) {
    window.drawImage(&panelFrame, gfx::Rect{0, 0, width, height});
}
