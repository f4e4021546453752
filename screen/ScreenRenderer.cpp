#include "screen/ScreenRenderer.h"

#include "gfx/DrawingScopes.h"
#include "resources/Resources.h"
#include "screen/ScreenKit.h"

void ScreenRenderer::powerUp() {
    logoImage = gfx::Bitmap::fromResource(zentor::logoBitmap);
    powered = 1;
}

void ScreenRenderer::release() {
    powered = 0;
    logoImage = gfx::Bitmap();
}

ScreenArt ScreenRenderer::art() const {
    return {.logo = logoImage,
            .registration = registration,
            .profile = profile,
            .alarms = alarms,
            .lean = lean ? &*lean : nullptr};
}

void ScreenRenderer::draw(gfx::Graphics& graphics, const EngineState& engine) const {
    drawParts(graphics, engine, ScreenPartSet().set());
}

void ScreenRenderer::drawParts(gfx::Graphics& graphics, const EngineState& engine,
                               const ScreenPartSet& parts, const ScreenPartLayers& layers,
                               const ScreenPartClips& clips) const {
    if (!powered || parts.none())
        return;
    // Made here, released when the frame is done, in reverse order.
    ScreenKit kit(graphics);
    // The screen's own drawing state, ended before the kit is released.
    const gfx::ContainerScope screen(graphics);
    setAntiAliased(graphics);
    const ScreenArt art = this->art();
    for (std::size_t part = 0; part < screenPartCount; ++part) {
        if (!parts.test(part))
            continue;
        const ScreenPart& drawn = screenPart(part);
        const gfx::Rect& clip = clips[part];
        const bool clipped = drawn.clippable && clip.width > 0 && clip.height > 0;
        if (clipped)
            graphics.setClip(clip);
        if (drawn.drawLayer && layers[part] != PartLayers::whole)
            drawn.drawLayer(graphics, kit, art, engine, drawn.gauge, layers[part]);
        else
            drawn.draw(graphics, kit, art, engine, drawn.gauge);
        if (clipped)
            graphics.resetClip();
    }
}

void ScreenRenderer::setAircraft(const AircraftProfile& aircraft) {
    profile = aircraft;
    profileKey = profileFingerprint(aircraft);
}
