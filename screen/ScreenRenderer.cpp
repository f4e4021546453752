#include "screen/ScreenRenderer.h"

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
    // Inside the screen's own state a reset returns to the screen's corner.
    const gfx::GraphicsContainer screen = graphics.beginContainer();
    setAntiAliased(graphics);
    drawStripGauges(graphics, kit);
    drawFuelGauges(graphics, kit);
    drawDials(graphics, kit);
    drawPercentPower(graphics, kit);
    drawEgtGraph(graphics, kit);
    drawChtGraph(graphics, kit);
    drawStatusBar(graphics, kit);
    drawLogo(graphics, kit, logoImage);
    graphics.endContainer(screen);
}
