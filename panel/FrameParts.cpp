#include "panel/FrameParts.h"

#include "engine/Engine.h"
#include "gfx/Graphics.h"
#include "gfx/GraphicsPath.h"
#include "gfx/ImageAttributes.h"
#include "gfx/SolidBrush.h"
#include "panel/FrameCompositor.h"
#include "panel/KnobMark.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelLayout.h"
#include "panel/PanelScene.h"
#include "screen/ScreenRenderer.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

// White around the knobs and the check mark is see-through.
constexpr gfx::Argb keyWhite = 0xFFFFFFFF;

enum class Kind { knob, muteMark, demoModeMark, lamp };
struct PanelPart {
    std::string_view name;
    Kind kind;
    std::size_t knob = 0; // for a knob or its lamp
};
const auto panelParts = std::to_array<PanelPart>({
    {.name = "throttle", .kind = Kind::knob, .knob = 0},
    {.name = "propeller", .kind = Kind::knob, .knob = 1},
    {.name = "mixture", .kind = Kind::knob, .knob = 2},
    {.name = "Mute mark", .kind = Kind::muteMark},
    {.name = "Demo Mode mark", .kind = Kind::demoModeMark},
    {.name = "throttle lamp", .kind = Kind::lamp, .knob = 0},
    {.name = "propeller lamp", .kind = Kind::lamp, .knob = 1},
    {.name = "mixture lamp", .kind = Kind::lamp, .knob = 2},
});
static_assert(panelParts.size() == panelPartCount && knobCount == 3);

void drawKeyed(gfx::Graphics& g, const gfx::Bitmap& image, float x, float y,
               const gfx::ImageAttributes& key) {
    const float w = float(image.width());
    const float h = float(image.height());
    g.drawImage(&image, {x, y, w, h}, {0, 0, w, h}, &key);
}

// Demo mode runs silent, so it ticks Mute as well.
bool muteTicked(const EngineState& engine) {
    return engine.muted || engine.demoMode;
}

bool lampLit(const KnobChoice& choice, std::size_t knob) {
    return choice.marked && choice.knob == knob;
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
// The glow's radius and a pixel of smoothing, rounded out.
constexpr int lampReach = 8;

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

void drawLamp(gfx::Graphics& g, std::size_t knob) {
    const KnobLampPosition& lamp = knobLamps[knob];
    g.setSmoothingMode(gfx::SmoothingMode::antiAlias);
    for (const LampLayer& layer : lampLayers) {
        const gfx::SolidBrush brush(layer.colour);
        const gfx::GraphicsPath shape = disc(lamp.centreX, lamp.centreY, layer.radius);
        g.fillPath(&brush, &shape);
    }
    g.setSmoothingMode(gfx::SmoothingMode::defaultMode);
}

void drawPanelPart(gfx::Graphics& g, const PanelScene& scene, const PanelPart& part,
                   const gfx::ImageAttributes& key) {
    switch (part.kind) {
    case Kind::knob:
        drawKeyed(g, knobImage(scene.artwork, part.knob), knobTravels[part.knob].left,
                  knobTop(knobTravels[part.knob], scene.engine), key);
        break;
    case Kind::muteMark:
        if (muteTicked(scene.engine))
            drawKeyed(g, scene.artwork.checkMark, muteCheckMark.x, muteCheckMark.y, key);
        break;
    case Kind::demoModeMark:
        if (scene.engine.demoMode)
            drawKeyed(g, scene.artwork.checkMark, demoModeCheckMark.x, demoModeCheckMark.y, key);
        break;
    case Kind::lamp:
        if (lampLit(scene.knobChoice, part.knob))
            drawLamp(g, part.knob);
        break;
    }
}

// Whole pixels round a box of fractional edges.
gfx::Rect around(float left, float top, float right, float bottom) {
    const int x = int(std::floor(left));
    const int y = int(std::floor(top));
    return {x, y, int(std::ceil(right)) - x, int(std::ceil(bottom)) - y};
}

// A bitmap drawn at a fractional place lands on the nearest whole pixels:
// one more each way covers it.
gfx::Rect imageArea(const gfx::Bitmap& image, float x, float top, float bottom) {
    return around(x - 1, top - 1, x + float(image.width()) + 1, bottom + float(image.height()) + 1);
}

gfx::Rect panelPartArea(const PanelArtwork& artwork, const PanelPart& part) {
    switch (part.kind) {
    case Kind::knob: {
        const KnobTravel& travel = knobTravels[part.knob];
        return imageArea(knobImage(artwork, part.knob), travel.left, travel.travelTop,
                         travel.travelBottom);
    }
    case Kind::muteMark:
        return imageArea(artwork.checkMark, muteCheckMark.x, muteCheckMark.y, muteCheckMark.y);
    case Kind::demoModeMark:
        return imageArea(artwork.checkMark, demoModeCheckMark.x, demoModeCheckMark.y,
                         demoModeCheckMark.y);
    case Kind::lamp: {
        const KnobLampPosition& lamp = knobLamps[part.knob];
        return around(lamp.centreX - lampReach, lamp.centreY - lampReach, lamp.centreX + lampReach,
                      lamp.centreY + lampReach);
    }
    }
    return {};
}

DrawnFrom panelPartInputs(const PanelScene& scene, const PanelPart& part) {
    DrawnFrom inputs;
    switch (part.kind) {
    case Kind::knob:
        inputs << scene.engine.*knobTravels[part.knob].position;
        break;
    case Kind::muteMark:
        inputs << muteTicked(scene.engine);
        break;
    case Kind::demoModeMark:
        inputs << scene.engine.demoMode;
        break;
    case Kind::lamp:
        inputs << lampLit(scene.knobChoice, part.knob);
        break;
    }
    return inputs;
}

gfx::Rect onPanel(gfx::Rect onScreen) {
    const int left = std::max(onScreen.x, 0);
    const int top = std::max(onScreen.y, 0);
    const int right = std::min(onScreen.x + onScreen.width, screenWidth);
    const int bottom = std::min(onScreen.y + onScreen.height, screenHeight);
    if (right <= left || bottom <= top)
        return {};
    return {int(screenOrigin.x) + left, int(screenOrigin.y) + top, right - left, bottom - top};
}
static_assert(screenOrigin.x == int(screenOrigin.x) && screenOrigin.y == int(screenOrigin.y));

} // namespace

std::string_view framePartName(std::size_t part) {
    return part < panelPartCount ? panelParts[part].name : screenPart(part - panelPartCount).name;
}

gfx::Rect framePartArea(std::size_t part, const PanelArtwork& artwork) {
    return part < panelPartCount ? panelPartArea(artwork, panelParts[part])
                                 : onPanel(screenPart(part - panelPartCount).area);
}

DrawnFrom framePartInputs(std::size_t part, const PanelScene& scene) {
    if (part < panelPartCount)
        return panelPartInputs(scene, panelParts[part]);
    const ScreenPart& onScreen = screenPart(part - panelPartCount);
    return onScreen.inputs(scene.renderer.art(), scene.engine, onScreen.gauge);
}

bool framePartLayered(std::size_t part) {
    return part >= panelPartCount && screenPart(part - panelPartCount).drawLayer != nullptr;
}

bool framePartCells(std::size_t part, const PanelScene& scene, MovingCells& cells) {
    if (part < panelPartCount)
        return false;
    const ScreenPart& onScreen = screenPart(part - panelPartCount);
    if (!onScreen.cells)
        return false;
    onScreen.cells(scene.renderer.art(), scene.engine, onScreen.gauge, cells);
    return true;
}

std::optional<gfx::Rect> framePartMoved(const MovingCells& before, const MovingCells& now) {
    const std::optional<gfx::Rect> moved = movedBetween(before, now);
    if (!moved || moved->width <= 0 || moved->height <= 0)
        return moved;
    return onPanel(*moved);
}

void drawFrameParts(gfx::Graphics& g, const PanelScene& scene, const FramePartSet& parts,
                    const ScreenPartLayers& layers, const PartRects& within) {
    gfx::ImageAttributes key;
    key.setColorKey(keyWhite, keyWhite);
    for (std::size_t part = 0; part < panelPartCount; ++part)
        if (parts.test(part))
            drawPanelPart(g, scene, panelParts[part], key);
    ScreenPartSet onScreen;
    ScreenPartClips clips{};
    for (std::size_t part = 0; part < screenPartCount; ++part) {
        onScreen[part] = parts[panelPartCount + part];
        const gfx::Rect& panelClip = within[panelPartCount + part];
        if (panelClip.width > 0 && panelClip.height > 0)
            clips[part] = {panelClip.x - int(screenOrigin.x), panelClip.y - int(screenOrigin.y),
                           panelClip.width, panelClip.height};
    }
    if (onScreen.none())
        return;
    g.translateTransform(screenOrigin.x, screenOrigin.y);
    g.setClip({0, 0, screenWidth, screenHeight});
    scene.renderer.drawParts(g, scene.engine, onScreen, layers, clips);
}
