#include "resources/generators/BadgeArt.h"

#include "resources/generators/ArtStyle.h"
#include "resources/generators/PaintKit.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace zentor::art {

namespace {

// The tick's stroke, in the check mark's own pixels.
constexpr auto tickStroke = std::to_array<QPointF>({{3.6, 9.6}, {7.6, 14.2}, {14.6, 4.2}});
static_assert(tickStroke.size() == 3, "a tick is two strokes through three points");
constexpr double tickWidth = 3.6;

// Logo: a small dial beside the name.
constexpr QRgb logoRed = qRgb(232, 34, 30);
constexpr QPointF dialCentre{15.0, 16.0};
constexpr double dialRadius = 11.5;
constexpr double dialRing = 2.2;
constexpr double needleAngle = -38.0; // degrees from the x axis, needle up and right
constexpr const char* logoName = "ZENTOR";
constexpr double nameLeft = 30.0;
constexpr double nameBaseline = 21.5;
constexpr int namePixelSize = 15;
constexpr int nameStretch = 84;                    // percent: the name fits the 84-pixel width
constexpr double ruleTop = 25.0, ruleHeight = 2.0; // underline, as wide as the name

} // namespace

QImage paintCheckMark() {
    QImage image(18, 19, QImage::Format_RGB32);
    image.fill(QColor(checkBoxInterior));
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(checkMarkInk), tickWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(tickStroke.data(), int(tickStroke.size()));
    }
    // The box's own colour becomes the white the compositor keys out; the
    // tick's edges stay blended against the box.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == checkBoxInterior)
                image.setPixel(x, y, keyWhite);
    return image;
}

QImage paintLogo() {
    QImage image(84, 32, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor red(logoRed);
    // Dial: ring, three scale ticks and a needle from the hub.
    p.setPen(QPen(red, dialRing));
    p.drawEllipse(dialCentre, dialRadius, dialRadius);
    p.save();
    p.translate(dialCentre);
    for (double angle : {-150.0, -90.0, -30.0}) {
        p.save();
        p.rotate(angle);
        p.setPen(QPen(red, 1.4));
        p.drawLine(QPointF(dialRadius - 4.5, 0), QPointF(dialRadius - 1.5, 0));
        p.restore();
    }
    p.rotate(needleAngle);
    p.setPen(QPen(red, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-2.0, 0), QPointF(dialRadius - 3.0, 0));
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(dialCentre, 2.4, 2.4);
    // The name, underlined.
    QFont font = letteringFont(namePixelSize, true);
    font.setStretch(nameStretch);
    const QString name = QString::fromLatin1(logoName);
    p.setFont(font);
    p.setPen(red);
    p.drawText(QPointF(nameLeft, nameBaseline), name);
    const double width = QFontMetricsF(font).horizontalAdvance(name);
    p.fillRect(QRectF(nameLeft + 0.5, ruleTop, width - 1.0, ruleHeight), red);
    return image;
}

} // namespace zentor::art
