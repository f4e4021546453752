#include "panel/FrameCompositor.h"

#include "engine/Engine.h"
#include "gfx/Graphics.h"
#include "gfx/GraphicsPath.h"
#include "gfx/ImageAttributes.h"
#include "gfx/SolidBrush.h"
#include "panel/KnobMark.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelLayout.h"
#include "panel/PanelWindow.h"

#include <cmath>
#include <numbers>

ScreenRenderer screenRenderer;
PanelWindow* panelWindow = nullptr;
ClientRect clientRect;
double scaleY = 0.0;
KnobChoice knobChoice;

namespace {

// White around the knobs and the check mark is see-through.
constexpr gfx::Argb keyWhite = 0xFFFFFFFF;

void drawKeyed(gfx::Graphics& g, const gfx::Bitmap& image, float x, float y,
               const gfx::ImageAttributes& key) {
    const float w = float(image.width());
    const float h = float(image.height());
    g.drawImage(&image, {x, y, w, h}, {0, 0, w, h}, &key);
}

void drawKnobs(gfx::Graphics& g, const gfx::ImageAttributes& key) {
    for (std::size_t knob = 0; knob < knobTravels.size(); ++knob)
        drawKeyed(g, knobImage(knob), knobTravels[knob].left, knobTop(knobTravels[knob]), key);
}

// Demo mode runs silent, so it ticks Mute as well.
void drawCheckMarks(gfx::Graphics& g, const gfx::ImageAttributes& key) {
    if (engineState.muted || engineState.demoMode)
        drawKeyed(g, checkMarkImage, muteCheckMark.x, muteCheckMark.y, key);
    if (engineState.demoMode)
        drawKeyed(g, checkMarkImage, demoModeCheckMark.x, demoModeCheckMark.y, key);
}

// The frame starts as the panel picture, copied as it is, or as black when
// the picture failed to load.
gfx::Bitmap panelBackground(ImageSize panel) {
    if (panelImage.valid())
        return gfx::Bitmap::copyOf(panelImage);
    gfx::Bitmap black(panel.width, panel.height);
    {
        gfx::Graphics g(black);
        const gfx::SolidBrush blackBrush(0xFF000000);
        g.fillRectangle(&blackBrush, gfx::Rect{0, 0, panel.width, panel.height});
    }
    return black;
}

// The lamp by the chosen knob's placard: a soft amber glow round a lit
// bead in a dark bezel ring.
struct LampLayer {
    float radius;
    gfx::Argb colour;
};
constexpr std::size_t lampLayerCount = 3;
constexpr auto lampLayers = std::to_array<LampLayer>({
    {.radius = 6.5f, .colour = 0x40FFB020}, // glow
    {.radius = 3.5f, .colour = 0xFF2A2A2A}, // bezel ring
    {.radius = 2.6f, .colour = 0xFFFFC040}, // lit bead
});
static_assert(lampLayers.size() == lampLayerCount);
constexpr int lampSides = 24;

gfx::GraphicsPath disc(float centreX, float centreY, float radius) {
    gfx::GraphicsPath path;
    const auto at = [&](int corner) {
        const double angle = 2.0 * std::numbers::pi * corner / lampSides;
        return gfx::PointF{centreX + radius * float(std::cos(angle)),
                           centreY + radius * float(std::sin(angle))};
    };
    for (int corner = 0; corner < lampSides; ++corner) {
        const gfx::PointF from = at(corner);
        const gfx::PointF to = at(corner + 1);
        path.addLine(from.x, from.y, to.x, to.y);
    }
    return path;
}

void drawKnobMark(gfx::Graphics& g) {
    if (!knobChoice.marked || knobChoice.knob >= knobLamps.size())
        return;
    const KnobLampPosition& lamp = knobLamps[knobChoice.knob];
    g.setSmoothingMode(gfx::SmoothingMode::antiAlias);
    for (const LampLayer& layer : lampLayers) {
        const gfx::SolidBrush brush(layer.colour);
        const gfx::GraphicsPath shape = disc(lamp.centreX, lamp.centreY, layer.radius);
        g.fillPath(&brush, &shape);
    }
    g.setSmoothingMode(gfx::SmoothingMode::defaultMode);
}

void drawScreen(gfx::Graphics& g) {
    g.translateTransform(screenOrigin.x, screenOrigin.y);
    g.setClip({0, 0, screenWidth, screenHeight});
    screenRenderer.draw(g);
}

} // namespace

void updateScale(const ClientRect& client) {
    clientRect = client;
    scaleY = double(float(clientRect.height()) / float(panelFrameSize().height));
}

void composeFrame() {
    if (panelWindow)
        panelWindow->showFrame(composeFrameFor(panelWindow->readClientRect()));
}

gfx::Bitmap composeFrameFor(const ClientRect& client) {
    updateScale(client);
    gfx::Bitmap backBuffer = panelBackground(panelFrameSize());
    {
        gfx::Graphics g(backBuffer);
        gfx::ImageAttributes key;
        key.setColorKey(keyWhite, keyWhite);
        drawKnobs(g, key);
        drawCheckMarks(g, key);
        drawKnobMark(g);
        drawScreen(g);
    }
    return backBuffer;
}

void stretchFrame(gfx::Graphics& window, const gfx::Bitmap& panelFrame, int width, int height) {
    window.drawImage(&panelFrame, gfx::Rect{0, 0, width, height});
}
