#include "resources/generators/PaintKit.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRadialGradient>

#include <algorithm>
#include <vector>

namespace zentor::art {

bool letteringFontAvailable() {
    return QFontDatabase::families().contains(QString::fromLatin1(letteringFamily));
}

QFont letteringFont(int pixelSize, bool bold, double letterSpacing) {
    QFont font(QString::fromLatin1(letteringFamily));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferNoHinting);
    if (letterSpacing != 0.0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return font;
}

void paintLeftText(QPainter& p, const QString& text, double leftX, double baselineY,
                   const QFont& font, QRgb ink) {
    p.save();
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 150));
    p.drawText(QPointF(leftX, baselineY + 1.0), text);
    p.setPen(QColor(ink));
    p.drawText(QPointF(leftX, baselineY), text);
    p.restore();
}

void paintCentredText(QPainter& p, const QString& text, double centreX, double baselineY,
                      const QFont& font, QRgb ink) {
    // Letter spacing trails the last letter too; leave it out of the centring.
    const double width = QFontMetricsF(font).horizontalAdvance(text) - font.letterSpacing();
    paintLeftText(p, text, centreX - width / 2.0, baselineY, font, ink);
}

namespace {

void blurLine(std::uint8_t* data, int count, int step, int radius, std::vector<int>& scratch) {
    scratch.assign(std::size_t(count), 0);
    for (int i = 0; i < count; ++i)
        scratch[std::size_t(i)] = data[std::ptrdiff_t(i) * step];
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += (i >= 0 && i < count) ? scratch[std::size_t(i)] : 0;
    for (int i = 0; i < count; ++i) {
        data[std::ptrdiff_t(i) * step] = std::uint8_t((sum + window / 2) / window);
        const int leaving = i - radius, entering = i + radius + 1;
        sum -= (leaving >= 0) ? scratch[std::size_t(leaving)] : 0;
        sum += (entering < count) ? scratch[std::size_t(entering)] : 0;
    }
}

} // namespace

void blurAlpha(QImage& image, int radius) {
    // Black premultiplied pixels: only the alpha byte (the fourth) carries anything.
    std::vector<int> scratch;
    const int stride = int(image.bytesPerLine());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < image.height(); ++y)
            blurLine(image.scanLine(y) + 3, image.width(), 4, radius, scratch);
        for (int x = 0; x < image.width(); ++x)
            blurLine(image.bits() + 4 * x + 3, image.height(), stride, radius, scratch);
    }
}

void paintSoftShadow(QPainter& p, const QPainterPath& shape, double dx, double dy, int blurRadius,
                     int alpha) {
    const int margin = 3 * blurRadius + 2;
    const QRect bounds =
        shape.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage shadow(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.translate(-bounds.topLeft());
        s.fillPath(shape, QColor(0, 0, 0, alpha));
    }
    blurAlpha(shadow, blurRadius);
    p.drawImage(QPointF(bounds.left() + dx, bounds.top() + dy), shadow);
}

void paintScrews(QPainter& p, std::span<const Screw> screws, double radius) {
    for (const Screw& screw : screws)
        paintScrew(p, screw.centre, radius, screw.angle);
}

void paintSeamedPlate(QPainter& p, QRectF area, double radius, double litEdge, QRgb face) {
    QPainterPath plate;
    plate.addRoundedRect(area, radius, radius);
    QPainterPath seam;
    seam.addRoundedRect(area.adjusted(-1.5, -1.5, 1.5, 1.5), radius + 1.5, radius + 1.5);
    p.fillPath(seam, QColor(18, 18, 20));
    p.fillPath(plate, QColor(96, 98, 104));
    p.fillPath(plate.translated(0.0, litEdge).intersected(plate), QColor(face));
}

void paintScrew(QPainter& p, QPointF centre, double radius, double angle) {
    p.save();
    p.translate(centre);
    // Countersunk rim, then the domed head lit from the upper left.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(14, 14, 16));
    p.drawEllipse(QPointF(0, 0), radius + 1.0, radius + 1.0);
    QRadialGradient head(QPointF(-radius * 0.35, -radius * 0.45), radius * 1.6);
    head.setColorAt(0.0, QColor(172, 174, 178));
    head.setColorAt(0.55, QColor(108, 110, 115));
    head.setColorAt(1.0, QColor(52, 53, 57));
    p.setBrush(head);
    p.drawEllipse(QPointF(0, 0), radius, radius);
    // Cross slots: a dark cut with a lit lower edge.
    const double reach = radius * 0.62, half = std::max(0.8, radius * 0.13);
    QPainterPath cross;
    cross.addRect(QRectF(-reach, -half, 2 * reach, 2 * half));
    cross.addRect(QRectF(-half, -reach, 2 * half, 2 * reach));
    cross.setFillRule(Qt::WindingFill);
    QTransform turn;
    turn.rotate(angle);
    const QPainterPath cut = turn.map(cross);
    p.fillPath(cut.translated(0.0, 0.8), QColor(200, 202, 206, 90));
    p.fillPath(cut, QColor(20, 20, 22));
    p.restore();
}

} // namespace zentor::art
