#include "screen/ScreenRenderer.h"

#include "gfx/DrawingScopes.h"
#include "resources/Resources.h"
#include "screen/ScreenKit.h"
#include "screen/ScreenSections.h"

void ScreenRenderer::powerUp() {
    logoImage = gfx::Bitmap::fromResource(zentor::logoBitmap);
    powered = 1;
}

void ScreenRenderer::release() {
    powered = 0;
    logoImage = gfx::Bitmap();
}

void ScreenRenderer::draw(gfx::Graphics& graphics) {
    if (!powered)
        return;
    // Made here, released when the frame is done, in reverse order.
    ScreenKit kit(graphics);
    // The screen's own drawing state, ended before the kit is released.
    const gfx::ContainerScope screen(graphics);
    setAntiAliased(graphics);
    drawStripGauges(graphics, kit);
    drawFuelGauges(graphics, kit);
    drawDials(graphics, kit);
    drawPercentPower(graphics, kit);
    drawEgtGraph(graphics, kit);
    drawChtGraph(graphics, kit);
    drawStatusBar(graphics, kit, registration);
    drawLogo(graphics, kit, logoImage);
}
