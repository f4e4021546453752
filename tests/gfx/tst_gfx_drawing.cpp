// Shapes, pens, paths and bitmaps of the drawing layer, by pixel probes.

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "gfx/GraphicsPath.h"
#include "gfx/ImageAttributes.h"
#include "gfx/Pen.h"
#include "gfx/SolidBrush.h"
#include "tests/gfx/Probes.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>
#include <QtMath>

#include <functional>
#include <vector>

using Angles = QList<double>;
using Dashes = QList<float>;

class DrawingTest : public QObject {
    Q_OBJECT
private slots:
    void arcAnglesNameRayDirections_data();
    void arcAnglesNameRayDirections();
    void penWidthsAndDashes_data();
    void penWidthsAndDashes();
    void oneWidthLineOnAWholeRowFillsThatRow();
    void pathsFillByTheirRule_data();
    void pathsFillByTheirRule();
    void colourKeyHidesPixelsInsideItsRange_data();
    void colourKeyHidesPixelsInsideItsRange();
    void keyedDrawingFollowsTheBitmapAndTheKey();
    void bitmapsDrawNaturalStretchedAndCropped();
    void bitmapsDecodeFromBmpBytes();
    void newBitmapsOfEverySize_data();
    void newBitmapsOfEverySize();
    void copiesStartAsTheirSource_data();
    void copiesStartAsTheirSource();
    void stretchMatchesOneSmoothDraw_data();
    void stretchMatchesOneSmoothDraw();
    void differingAreaBoundsEveryChangedPixel_data();
    void differingAreaBoundsEveryChangedPixel();
};

static QImage draw(int width, int height, const std::function<void(gfx::Graphics&)>& steps) {
    gfx::Bitmap canvas(width, height);
    {
        gfx::Graphics graphics(canvas);
        steps(graphics);
    }
    return canvas.image();
}

// Where a ray from the centre at `degrees` (clockwise from +x) meets the ellipse.
static QPoint onEllipse(QPointF centre, double a, double b, double degrees) {
    const double t = qDegreesToRadians(degrees);
    const double r = a * b / std::hypot(b * std::cos(t), a * std::sin(t));
    return (centre + QPointF(r * std::cos(t), r * std::sin(t))).toPoint();
}

void DrawingTest::arcAnglesNameRayDirections_data() {
    QTest::addColumn<QSizeF>("ellipse");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("sweep");
    QTest::addColumn<Angles>("drawn");
    QTest::addColumn<Angles>("clear");
    QTest::newRow("dial ellipse, yellow band")
        << QSizeF(183, 175) << 335.0 << 10.0 << Angles{337, 340, 343} << Angles{330, 350};
    // On a flat ellipse the parametric 60 degrees lies on the ray at 30 degrees.
    QTest::newRow("flat ellipse, rays not parameters")
        << QSizeF(300, 100) << 50.0 << 20.0 << Angles{53, 60, 67} << Angles{30, 80};
    QTest::newRow("negative sweep runs counter-clockwise")
        << QSizeF(300, 100) << 60.0 << -20.0 << Angles{43, 50} << Angles{30, 70};
    QTest::newRow("sweep across the x axis")
        << QSizeF(183, 175) << 350.0 << 20.0 << Angles{353, 0, 7} << Angles{340, 20};
    QTest::newRow("whole turn") << QSizeF(183, 175) << 0.0 << 360.0 << Angles{0, 90, 180, 270}
                                << Angles{};
}

void DrawingTest::arcAnglesNameRayDirections() {
    QFETCH(QSizeF, ellipse);
    QFETCH(double, start);
    QFETCH(double, sweep);
    QFETCH(Angles, drawn);
    QFETCH(Angles, clear);
    const QPointF centre(200, 150);
    const double a = ellipse.width() / 2, b = ellipse.height() / 2;
    const QImage image = draw(400, 300, [&](gfx::Graphics& g) {
        const gfx::Pen red(0xFFFF0000, 5);
        g.setSmoothingMode(gfx::SmoothingMode::antiAlias);
        g.drawArc(&red, {float(centre.x() - a), float(centre.y() - b), float(2 * a), float(2 * b)},
                  float(start), float(sweep));
    });
    for (const double angle : drawn)
        QVERIFY2(qRed(image.pixel(onEllipse(centre, a, b, angle))) > 200,
                 qPrintable(QString("no arc at %1 degrees").arg(angle)));
    for (const double angle : clear)
        QVERIFY2(qRed(image.pixel(onEllipse(centre, a, b, angle))) < 30,
                 qPrintable(QString("arc at %1 degrees").arg(angle)));
}

void DrawingTest::penWidthsAndDashes_data() {
    QTest::addColumn<float>("width");
    QTest::addColumn<Dashes>("dashes"); // empty: solid, or dashed and then set solid again
    QTest::addColumn<bool>("solidAgain");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("runs"); // separate stretches of ink along the line
    QTest::newRow("solid, width 1") << 1.0f << Dashes{} << false << 1 << 1;
    QTest::newRow("solid, width 3") << 3.0f << Dashes{} << false << 3 << 1;
    // 96 pixels of line: 16 periods of 3 on, 3 off; at width 2, 8 of 6 on, 6 off.
    QTest::newRow("dash 3 3, width 1") << 1.0f << Dashes{3, 3} << false << 1 << 16;
    QTest::newRow("dash 3 3, width 2 doubles the lengths")
        << 2.0f << Dashes{3, 3} << false << 2 << 8;
    QTest::newRow("dashed, then solid again") << 1.0f << Dashes{3, 3} << true << 1 << 1;
}

void DrawingTest::penWidthsAndDashes() {
    QFETCH(float, width);
    QFETCH(Dashes, dashes);
    QFETCH(bool, solidAgain);
    QFETCH(int, rows);
    QFETCH(int, runs);
    gfx::Pen pen(0xFFFFFFFF, width);
    if (!dashes.isEmpty())
        pen.setDashPattern(std::vector<float>(dashes.begin(), dashes.end()));
    if (solidAgain)
        pen.setSolid();
    // Odd widths centre on row 20; even ones cover the rows either side of 20.5.
    const float y = int(width) % 2 ? 20.0f : 20.5f;
    const QImage image = draw(120, 40, [&](gfx::Graphics& g) { g.drawLine(&pen, 10, y, 106, y); });
    QCOMPARE(probes::bounds(image, {12, 0, 1, 40}, probes::isWhite).height(), rows);
    int found = 0;
    for (int x = 10; x < 106; ++x)
        found += probes::isWhite(image.pixel(x, 20)) && !probes::isWhite(image.pixel(x - 1, 20));
    QCOMPARE(found, runs);
}

// Pixel centres lie on whole coordinates: a 1-wide line there is one crisp row.
void DrawingTest::oneWidthLineOnAWholeRowFillsThatRow() {
    const QImage image = draw(60, 40, [](gfx::Graphics& g) {
        const gfx::Pen white(0xFFFFFFFF, 1);
        g.setSmoothingMode(gfx::SmoothingMode::antiAlias);
        g.drawLine(&white, 10, 20, 50, 20);
    });
    QCOMPARE(image.pixel(30, 20), 0xFFFFFFFFu);
    QVERIFY(probes::isBlack(image.pixel(30, 19)) && probes::isBlack(image.pixel(30, 21)));
}

void DrawingTest::pathsFillByTheirRule_data() {
    QTest::addColumn<gfx::FillMode>("mode");
    QTest::addColumn<bool>("centreFilled");
    QTest::newRow("alternate leaves the star's middle open") << gfx::FillMode::alternate << false;
    QTest::newRow("winding fills it") << gfx::FillMode::winding << true;
}

void DrawingTest::pathsFillByTheirRule() {
    QFETCH(gfx::FillMode, mode);
    QFETCH(bool, centreFilled);
    gfx::GraphicsPath star(mode);
    QPointF corners[5];
    for (int i = 0; i < 5; ++i)
        corners[i] =
            QPointF(50 + 40 * std::sin(i * 4 * M_PI / 5), 50 - 40 * std::cos(i * 4 * M_PI / 5));
    for (int i = 0; i < 5; ++i)
        star.addLine(corners[i].x(), corners[i].y(), corners[(i + 1) % 5].x(),
                     corners[(i + 1) % 5].y());
    const QImage image = draw(100, 100, [&](gfx::Graphics& g) {
        const gfx::SolidBrush white(0xFFFFFFFF);
        g.fillPath(&white, &star);
    });
    QCOMPARE(probes::isWhite(image.pixel(50, 52)), centreFilled);
    QVERIFY(probes::isWhite(image.pixel(50, 16))); // a point of the star
}

void DrawingTest::colourKeyHidesPixelsInsideItsRange_data() {
    QTest::addColumn<uint>("pixel");
    QTest::addColumn<uint>("low");
    QTest::addColumn<uint>("high");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("pure black under a black key")
        << 0xFF000000u << 0xFF000000u << 0xFF000000u << false;
    QTest::newRow("1, 1, 1 under a black key") << 0xFF010101u << 0xFF000000u << 0xFF000000u << true;
    QTest::newRow("white under a white key") << 0xFFFFFFFFu << 0xFFFFFFFFu << 0xFFFFFFFFu << false;
    QTest::newRow("inside a range") << 0xFF0A141Eu << 0xFF000000u << 0xFF282828u << false;
    QTest::newRow("on the range's upper edge")
        << 0xFF282828u << 0xFF000000u << 0xFF282828u << false;
    QTest::newRow("one channel above the range")
        << 0xFF0A321Eu << 0xFF000000u << 0xFF282828u << true;
}

void DrawingTest::colourKeyHidesPixelsInsideItsRange() {
    QFETCH(uint, pixel);
    QFETCH(uint, low);
    QFETCH(uint, high);
    QFETCH(bool, drawn);
    QImage source(4, 4, QImage::Format_RGB32);
    source.fill(pixel);
    const gfx::Bitmap bitmap(source);
    gfx::ImageAttributes key;
    key.setColorKey(low, high);
    const QImage image = draw(20, 20, [&](gfx::Graphics& g) {
        const gfx::SolidBrush blue(0xFF0000FF);
        g.fillRectangle(&blue, gfx::Rect{0, 0, 20, 20});
        g.drawImage(&bitmap, {8, 8, 4, 4}, {0, 0, 4, 4}, &key);
    });
    QCOMPARE(image.pixel(10, 10), drawn ? QRgb(pixel) : 0xFF0000FFu);
}

// Artwork keyed every frame is keyed once; the copy must still follow a
// bitmap that was painted on and a key that changed.
void DrawingTest::keyedDrawingFollowsTheBitmapAndTheKey() {
    gfx::Bitmap bitmap(4, 4);
    const auto paint = [&bitmap](gfx::Argb colour) {
        gfx::Graphics g(bitmap);
        const gfx::SolidBrush brush(colour);
        g.fillRectangle(&brush, gfx::Rect{0, 0, 4, 4});
    };
    const auto drawnThrough = [&bitmap](const gfx::ImageAttributes& key) {
        return draw(8, 8,
                    [&](gfx::Graphics& g) {
                        const gfx::SolidBrush blue(0xFF0000FF);
                        g.fillRectangle(&blue, gfx::Rect{0, 0, 8, 8});
                        g.drawImage(&bitmap, {2, 2, 4, 4}, {0, 0, 4, 4}, &key);
                    })
            .pixel(4, 4);
    };
    gfx::ImageAttributes whiteKey;
    whiteKey.setColorKey(0xFFFFFFFF, 0xFFFFFFFF);
    gfx::ImageAttributes redKey;
    redKey.setColorKey(0xFFFF0000, 0xFFFF0000);

    paint(0xFFFF0000);
    QCOMPARE(drawnThrough(whiteKey), 0xFFFF0000u);
    QCOMPARE(drawnThrough(redKey), 0xFF0000FFu);
    paint(0xFFFFFFFF);
    QCOMPARE(drawnThrough(redKey), 0xFFFFFFFFu);
    QCOMPARE(drawnThrough(whiteKey), 0xFF0000FFu);
    paint(0xFF00FF00);
    QCOMPARE(drawnThrough(whiteKey), 0xFF00FF00u);
}

void DrawingTest::bitmapsDrawNaturalStretchedAndCropped() {
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, 0xFFFF0000);
    source.setPixel(1, 0, 0xFF00FF00);
    source.setPixel(0, 1, 0xFF0000FF);
    source.setPixel(1, 1, 0xFFFFFFFF);
    const gfx::Bitmap bitmap(source);
    QCOMPARE(QSize(bitmap.width(), bitmap.height()), QSize(2, 2));
    const QImage image = draw(40, 40, [&](gfx::Graphics& g) {
        g.setInterpolationMode(gfx::InterpolationMode::nearestNeighbor);
        g.drawImage(&bitmap, 3, 4);
        g.drawImage(&bitmap, gfx::Rect{10, 10, 8, 8});
        g.drawImage(&bitmap, {30, 30, 1, 2}, {1, 0, 1, 2}, nullptr);
    });
    QCOMPARE(image.pixel(3, 4), 0xFFFF0000u);
    QCOMPARE(image.pixel(4, 5), 0xFFFFFFFFu);
    QCOMPARE(image.pixel(13, 13), 0xFFFF0000u); // each source pixel covers 4 x 4
    QCOMPARE(image.pixel(14, 14), 0xFFFFFFFFu);
    QCOMPARE(image.pixel(30, 30), 0xFF00FF00u); // the right-hand column only
    QCOMPARE(image.pixel(30, 31), 0xFFFFFFFFu);
    QVERIFY(probes::isBlack(image.pixel(31, 30)));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // a new ARGB bitmap starts transparent
}

void DrawingTest::bitmapsDecodeFromBmpBytes() {
    QImage source(3, 2, QImage::Format_RGB888);
    source.fill(QColor(1, 2, 3));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(source.save(&buffer, "BMP"));
    const auto span = std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                std::size_t(bytes.size()));
    const gfx::Bitmap decoded = gfx::Bitmap::fromBmpBytes(span);
    QCOMPARE(QSize(decoded.width(), decoded.height()), QSize(3, 2));
    QCOMPARE(decoded.image().pixel(2, 1), 0xFF010203u);

    const gfx::Bitmap truncated = gfx::Bitmap::fromBmpBytes(span.first(20));
    QVERIFY(!truncated.valid());
    QCOMPARE(truncated.width() + truncated.height(), 0);
}

void DrawingTest::newBitmapsOfEverySize_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<gfx::Status>("status");
    QTest::newRow("one pixel") << 1 << 1 << gfx::Status::ok;
    QTest::newRow("a 4K window") << 3840 << 2160 << gfx::Status::ok;
    QTest::newRow("no width") << 0 << 10 << gfx::Status::invalidParameter;
    QTest::newRow("negative height") << 10 << -1 << gfx::Status::invalidParameter;
    QTest::newRow("a row past 2 GiB") << (1 << 29) << 1 << gfx::Status::outOfMemory;
    QTest::newRow("just past 2 GiB in all") << 32768 << 16384 << gfx::Status::outOfMemory;
    QTest::newRow("the largest sides") << INT32_MAX << INT32_MAX << gfx::Status::outOfMemory;
}

// A new bitmap is transparent black, or absent with the reason when its
// pixels cannot exist.
void DrawingTest::newBitmapsOfEverySize() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(gfx::Status, status);
    const gfx::Bitmap bitmap(width, height);
    QCOMPARE(bitmap.lastStatus(), status);
    QCOMPARE(bitmap.valid(), status == gfx::Status::ok);
    if (!bitmap.valid())
        return;
    QCOMPARE(QSize(bitmap.width(), bitmap.height()), QSize(width, height));
    const QImage pixels = bitmap.image();
    QCOMPARE(pixels.pixel(0, 0), 0u);
    QCOMPARE(pixels.pixel(width - 1, height - 1), 0u);
}

void DrawingTest::copiesStartAsTheirSource_data() {
    QTest::addColumn<QImage>("source");
    QImage opaque(7, 5, QImage::Format_RGB32);
    QImage translucent(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            opaque.setPixel(x, y, qRgb(x * 30, y * 50, 99));
            translucent.setPixel(x, y, qRgba(x * 30, y * 50, 99, x * 40));
        }
    QTest::newRow("opaque picture") << opaque;
    QTest::newRow("picture with see-through pixels") << translucent;
    QTest::newRow("absent") << QImage();
}

// A copy holds the source's pixels as they would draw, and drawing on it
// leaves the source alone.
void DrawingTest::copiesStartAsTheirSource() {
    QFETCH(QImage, source);
    const gfx::Bitmap original(source);
    gfx::Bitmap copy = gfx::Bitmap::copyOf(original);
    QCOMPARE(copy.valid(), original.valid());
    if (!copy.valid())
        return;
    const QImage before = original.image().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(copy.image().convertToFormat(QImage::Format_ARGB32), before);
    {
        gfx::Graphics g(copy);
        const gfx::SolidBrush red(0xFFFF0000);
        g.fillRectangle(&red, gfx::Rect{0, 0, 7, 5});
    }
    QCOMPARE(copy.image().pixel(3, 2), 0xFFFF0000u);
    QCOMPARE(original.image().convertToFormat(QImage::Format_ARGB32), before);
}

void DrawingTest::stretchMatchesOneSmoothDraw_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QRect>("clip");
    QTest::newRow("panel to a smaller window") << QSize(86, 201) << QPoint() << QRect();
    QTest::newRow("panel to a larger window") << QSize(301, 410) << QPoint() << QRect();
    QTest::newRow("moved origin") << QSize(90, 150) << QPoint(7, 13) << QRect();
    QTest::newRow("clip across the bands") << QSize(120, 300) << QPoint() << QRect(9, 50, 40, 170);
}

// The stretch is drawn in bands; the picture must be the one smooth draw of
// the whole bitmap, with no seam between bands, inside any clip in force.
void DrawingTest::stretchMatchesOneSmoothDraw() {
    QFETCH(QSize, size);
    QFETCH(QPoint, offset);
    QFETCH(QRect, clip);
    QImage pattern(75, 95, QImage::Format_RGB32);
    for (int y = 0; y < pattern.height(); ++y)
        for (int x = 0; x < pattern.width(); ++x)
            pattern.setPixel(x, y, qRgb(x * 3, y * 2, (x * y) % 256));
    const gfx::Bitmap bitmap(pattern);
    const QRect target(offset, size);
    const QSize canvas = size + QSize(offset.x() * 2, offset.y() * 2);
    // A red column drawn afterwards shows the clip still in force, and unmoved.
    QImage column(1, canvas.height(), QImage::Format_RGB32);
    column.fill(Qt::red);
    const gfx::Bitmap redColumn(column);
    const int columnX = clip.isNull() ? 0 : clip.x();

    QImage expected(canvas, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    {
        QPainter p(&expected);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!clip.isNull())
            p.setClipRect(clip);
        p.drawImage(target, pattern);
        p.drawImage(columnX, 0, column);
    }
    const QImage drawn = draw(canvas.width(), canvas.height(), [&](gfx::Graphics& g) {
        if (!clip.isNull())
            g.setClip(gfx::Rect{clip.x(), clip.y(), clip.width(), clip.height()});
        g.drawImage(&bitmap, gfx::Rect{offset.x(), offset.y(), size.width(), size.height()});
        g.drawImage(&redColumn, columnX, 0);
    });
    QCOMPARE(drawn.convertToFormat(QImage::Format_ARGB32),
             expected.convertToFormat(QImage::Format_ARGB32));
}

QTEST_MAIN(DrawingTest)
using Points = std::vector<QPoint>;

void DrawingTest::differingAreaBoundsEveryChangedPixel_data() {
    QTest::addColumn<Points>("changed");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("expected");
    const QRect whole(0, 0, 40, 30);
    QTest::newRow("nothing changed") << Points{} << whole << QRect();
    QTest::newRow("one pixel") << Points{{17, 9}} << whole << QRect(17, 9, 1, 1);
    QTest::newRow("the four corners")
        << Points{{0, 0}, {39, 0}, {0, 29}, {39, 29}} << whole << whole;
    // Rows after the first may widen the columns found on either side.
    QTest::newRow("a slanted needle")
        << Points{{20, 3}, {18, 4}, {23, 5}, {12, 6}, {30, 7}} << whole << QRect(12, 3, 19, 5);
    QTest::newRow("a change outside the area is not looked at")
        << Points{{2, 2}, {25, 20}} << QRect(10, 10, 20, 15) << QRect(25, 20, 1, 1);
    QTest::newRow("an area past the edges is cut to the bitmap")
        << Points{{39, 29}} << QRect(30, 20, 50, 50) << QRect(39, 29, 1, 1);
}

// A kept frame shows again only what a redraw changed: the smallest
// rectangle holding every changed pixel of the area, and none when no pixel
// changed.
void DrawingTest::differingAreaBoundsEveryChangedPixel() {
    QFETCH(Points, changed);
    QFETCH(QRect, area);
    QFETCH(QRect, expected);
    QImage pixels(40, 30, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(0xFF000000);
    const gfx::Bitmap before(pixels);
    for (const QPoint& at : changed)
        pixels.setPixel(at, 0xFF102030);
    const gfx::Bitmap after(pixels);
    const gfx::Rect found =
        after.differingArea(before, {area.x(), area.y(), area.width(), area.height()});
    QCOMPARE(QRect(found.x, found.y, found.width, found.height), expected);
}

#include "tst_gfx_drawing.moc"
