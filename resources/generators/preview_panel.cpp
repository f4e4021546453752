// Shows the embedded panel as the instrument draws it, three times side by
// side with all knobs at 0 (pulled out), 0.5 and 1 (pushed in) and both check
// boxes ticked, white keyed out of knobs and check marks:
//   zentor-preview-panel <out.png>

#include "resources/Resources.h"
#include "resources/generators/GeneratorMain.h"
#include "resources/generators/PaintKit.h"

#include <QGuiApplication>
#include <QPainter>

#include <array>
#include <cstdio>

namespace {

struct KnobPlace {
    int id;
    double left, travelTop, travelLength; // panel pixels
};

// Throttle, propeller, mixture: knob top = travel top + length x (1 - position).
constexpr auto knobs = std::to_array<KnobPlace>({
    {.id = zentor::throttleKnobBitmap, .left = 139.0, .travelTop = 718.0, .travelLength = 87.0},
    {.id = zentor::propellerKnobBitmap, .left = 318.0, .travelTop = 700.0, .travelLength = 53.0},
    {.id = zentor::mixtureKnobBitmap, .left = 488.0, .travelTop = 700.0, .travelLength = 53.0},
});
static_assert(knobs.size() == 3, "throttle, propeller and mixture");

// Mute, then Demo Mode: where the check mark's top-left corner lands.
constexpr auto checkMarks = std::to_array<QPointF>({{678.0, 912.0}, {527.0, 912.0}});
static_assert(checkMarks.size() == 2, "both boxes ticked");

constexpr auto positions = std::to_array({0.0, 0.5, 1.0});
constexpr int gap = 16;
constexpr int captionHeight = 30;

QImage bitmap(int id) {
    const auto bytes = zentor::findResource(id, "BITMAP");
    return QImage::fromData(bytes.data(), int(bytes.size()), "BMP");
}

// Opaque pure white becomes transparent, as the compositor's colour key does.
QImage keyed(int id) {
    QImage image = bitmap(id).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == 0xFFFFFFFFu)
                image.setPixel(x, y, 0x00000000u);
    return image;
}

void paintFrame(QPainter& p, const QImage& panel, double position) {
    p.drawImage(0, 0, panel);
    for (const KnobPlace& knob : knobs)
        p.drawImage(QPointF(knob.left, knob.travelTop + knob.travelLength * (1.0 - position)),
                    keyed(knob.id));
    for (QPointF at : checkMarks)
        p.drawImage(at, keyed(zentor::checkMarkBitmap));
}

} // namespace

int main(int argc, char** argv) {
    zentor::art::preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const std::optional<QString> argument =
        zentor::art::singleArgument(argc, argv, "zentor-preview-panel <out.png>");
    if (!argument)
        return 2;
    const QImage panel = bitmap(zentor::panelBitmap);
    if (panel.isNull()) {
        std::fprintf(stderr, "zentor-preview-panel: no panel resource\n");
        return 1;
    }
    const int count = int(positions.size());
    QImage out(count * panel.width() + (count - 1) * gap, captionHeight + panel.height(),
               QImage::Format_RGB32);
    out.fill(QColor(24, 24, 26));
    QPainter p(&out);
    p.setFont(zentor::art::letteringFont(15, true));
    p.setPen(QColor(220, 220, 220));
    for (int i = 0; i < count; ++i) {
        const int left = i * (panel.width() + gap);
        p.drawText(QRect(left, 0, panel.width(), captionHeight), Qt::AlignCenter,
                   QStringLiteral("knobs at %1, both boxes ticked").arg(positions[std::size_t(i)]));
        p.save();
        p.translate(left, captionHeight);
        paintFrame(p, panel, positions[std::size_t(i)]);
        p.restore();
    }
    p.end();
    if (!out.save(*argument, "PNG")) {
        std::fprintf(stderr, "zentor-preview-panel: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
