#include "tests/support/ScreenProbe.h"
#include "tests/support/InstrumentReset.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "engine/EngineFields.h"
#include "gfx/Bitmap.h"
#include "resources/Resources.h"
#include "screen/ScreenRenderer.h"

#include <QStringList>

#include <cstdlib>

void resetEngine() {
    resetInstrument();
    for (int i = 0; i < 6; ++i)
        instrument().engine.egtSpread[i] = instrument().engine.chtSpread[i] = 1.0;
}

void setEngine(const QString& assignments) {
    for (const QString& assignment : assignments.split(';', Qt::SkipEmptyParts)) {
        const QStringList parts = assignment.split('=');
        const EngineFloatField* field = findEngineFloatField(parts[0].toStdString());
        if (!field)
            qFatal("no engine field %s", qPrintable(parts[0]));
        instrument().engine.*field->member = std::strtof(parts[1].toLatin1().constData(), nullptr);
    }
}

static QImage blank(QRgb background) {
    QImage image(630, 483, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

QImage renderScreen(QRgb background) {
    ScreenRenderer renderer;
    renderer.powerUp();
    gfx::Bitmap screen(blank(background));
    {
        gfx::Graphics graphics(screen);
        graphics.setClip({0, 0, 630, 483});
        renderer.draw(graphics, instrument().engine);
    }
    return screen.image();
}

QImage renderAlone(QPointF origin, const std::function<void(gfx::Graphics&, ScreenKit&)>& steps) {
    gfx::Bitmap screen(blank(0xFF000000));
    {
        gfx::Graphics graphics(screen);
        ScreenKit kit(graphics);
        graphics.translateTransform(float(origin.x()), float(origin.y()));
        steps(graphics, kit);
    }
    return screen.image();
}

QImage renderTextBox(QPointF origin, const QString& text, gfx::RectF box,
                     gfx::Font ScreenKit::*font, gfx::Argb colour, gfx::StringAlignment alignment) {
    return renderAlone(origin, [&](gfx::Graphics& graphics, ScreenKit& kit) {
        const gfx::SolidBrush brush(colour);
        drawTextBox(text.toStdU16String(), box.x, box.y, box.width, box.height, &(kit.*font),
                    &brush, graphics, alignment);
    });
}
