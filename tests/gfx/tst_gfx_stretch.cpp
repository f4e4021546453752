// The drawing layer's own smooth stretch against the painter's: the same
// pixels, to the last bit, wherever it takes the stretch over.

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "gfx/SmoothStretch.h"
#include "gfx/StretchReach.h"
#include "gfx/StretchRows.h"

#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace {

// Seeded noise: every byte value, next to every other, so that each weight
// and each rounding of the blend shows.
QImage noise(QSize size, bool seeThrough, std::uint32_t seed) {
    QImage image(size, seeThrough ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    std::uint32_t state = seed;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return int(state >> 16 & 0xff);
    };
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int alpha = seeThrough ? next() : 255;
            row[x] = qRgba(next() * alpha / 255, next() * alpha / 255, next() * alpha / 255, alpha);
        }
    }
    return image;
}

// A window's client area that paints one picture stretched over itself, as
// the instrument's window does.
class StretchingWidget : public QWidget {
public:
    explicit StretchingWidget(const gfx::Bitmap& picture) : picture(picture) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        gfx::Graphics window(this);
        window.drawImage(&picture, gfx::Rect{0, 0, width(), height()});
    }

private:
    const gfx::Bitmap& picture;
};

} // namespace

class StretchTest : public QObject {
    Q_OBJECT
private slots:
    void sameAsThePainter_data();
    void sameAsThePainter();
    void widgetPaintsMatchInsideTheirRegion_data();
    void widgetPaintsMatchInsideTheirRegion();
    void partsDrawnAsAWholeMatchTheWhole_data();
    void partsDrawnAsAWholeMatchTheWhole();
    void rowPassesKeepTheirFormula_data();
    void rowPassesKeepTheirFormula();
};

void StretchTest::sameAsThePainter_data() {
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QRect>("target");
    QTest::addColumn<QPoint>("origin"); // the context's frame on the device
    QTest::addColumn<QRect>("clip");    // in device pixels; none when null
    QTest::addColumn<bool>("seeThrough");
    QTest::addColumn<bool>("own");    // whether the drawing layer's passes draw it
    QTest::addColumn<bool>("pixmap"); // a device the painter keeps to itself, not a bitmap

    const QSize panel(750, 945);
    const QRect none;
    QTest::newRow("opening size") << panel << QRect(0, 0, 572, 670) << QPoint() << none << false
                                  << true << false;
    QTest::newRow("opening size in the window's frame")
        << panel << QRect(0, 0, 572, 670) << QPoint(4, 28) << none << false << true << false;
    QTest::newRow("HD") << panel << QRect(0, 0, 1920, 1080) << QPoint(4, 28) << none << false
                        << true << false;
    QTest::newRow("4K, fetched in pieces of 2048")
        << panel << QRect(0, 0, 3840, 2160) << QPoint() << none << false << true << false;
    QTest::newRow("wider, lower") << panel << QRect(0, 0, 1000, 400) << QPoint() << none << false
                                  << true << false;
    QTest::newRow("just over half as wide")
        << panel << QRect(0, 0, 376, 945) << QPoint() << none << false << true << false;
    QTest::newRow("half as wide") << panel << QRect(0, 0, 375, 945) << QPoint() << none << false
                                  << true << false;
    QTest::newRow("less than half as wide")
        << panel << QRect(0, 0, 300, 380) << QPoint() << none << false << false << false;
    QTest::newRow("the picture's own size")
        << panel << QRect(0, 0, 750, 945) << QPoint() << none << false << false << false;
    QTest::newRow("placed off the origin")
        << panel << QRect(13, -7, 640, 700) << QPoint(3, 5) << none << false << true << false;
    QTest::newRow("see-through picture")
        << panel << QRect(0, 0, 572, 670) << QPoint() << none << true << true << false;
    QTest::newRow("clip cutting the left of every row")
        << panel << QRect(0, 0, 572, 670) << QPoint(4, 28) << QRect(101, 40, 300, 500) << false
        << true << false;
    QTest::newRow("clip inside a 4K row") << panel << QRect(0, 0, 3840, 300) << QPoint()
                                          << QRect(1000, 10, 2500, 50) << true << true << false;
    QTest::newRow("clip beside the stretch") << panel << QRect(0, 0, 572, 670) << QPoint()
                                             << QRect(700, 0, 50, 50) << false << true << false;
    QTest::newRow("two columns tall")
        << QSize(2, 3) << QRect(0, 0, 3, 500) << QPoint() << none << true << true << false;
    QTest::newRow("one column") << QSize(1, 5) << QRect(0, 0, 7, 9) << QPoint() << none << false
                                << false << false;
    QTest::newRow("larger than the device") << QSize(40, 30) << QRect(-100, -50, 3000, 2000)
                                            << QPoint() << none << false << true << false;
    QTest::newRow("on a pixmap") << panel << QRect(0, 0, 572, 670) << QPoint(4, 28) << none << false
                                 << true << true;
    QTest::newRow("see-through, on a pixmap") << panel << QRect(0, 0, 1920, 1080) << QPoint()
                                              << QRect(3, 5, 1500, 900) << true << true << true;
}

void StretchTest::sameAsThePainter() {
    QFETCH(QSize, source);
    QFETCH(QRect, target);
    QFETCH(QPoint, origin);
    QFETCH(QRect, clip);
    QFETCH(bool, seeThrough);
    QFETCH(bool, own);
    QFETCH(bool, pixmap);
    const QImage picture = noise(source, seeThrough, 7);
    const QSize canvas(std::min(target.right() + origin.x() + 20, 4000),
                       std::min(target.bottom() + origin.y() + 20, 2400));
    const QImage background = noise(canvas, true, 11);

    QImage expected = background;
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!clip.isNull())
            painter.setClipRect(clip);
        painter.translate(origin);
        painter.drawImage(target, picture);
    }

    gfx::Bitmap drawn(background);
    QPixmap drawnPixmap = QPixmap::fromImage(background);
    const gfx::Bitmap bitmap(picture);
    const long long before = gfx::ownStretchesDrawn();
    {
        gfx::Graphics g = pixmap ? gfx::Graphics(&drawnPixmap) : gfx::Graphics(drawn);
        if (!clip.isNull())
            g.setClip({clip.x(), clip.y(), clip.width(), clip.height()});
        g.translateTransform(float(origin.x()), float(origin.y()));
        g.drawImage(&bitmap, gfx::Rect{target.x(), target.y(), target.width(), target.height()});
    }
    QCOMPARE(gfx::ownStretchesDrawn() - before, own ? 1 : 0);
    const QImage actual = pixmap ? drawnPixmap.toImage() : drawn.image();
    for (int y = 0; y < canvas.height(); ++y)
        if (std::memcmp(actual.constScanLine(y), expected.constScanLine(y),
                        std::size_t(canvas.width()) * 4) != 0)
            for (int x = 0; x < canvas.width(); ++x)
                QVERIFY2(actual.pixel(x, y) == expected.pixel(x, y),
                         qPrintable(QStringLiteral("pixel (%1, %2): %3, the painter %4")
                                        .arg(x)
                                        .arg(y)
                                        .arg(actual.pixel(x, y), 8, 16)
                                        .arg(expected.pixel(x, y), 8, 16)));
}

void StretchTest::widgetPaintsMatchInsideTheirRegion_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRegion>("exposed"); // what the window system asks to repaint
    QTest::newRow("all of it") << QSize(572, 670) << QRegion(0, 0, 572, 670);
    QTest::newRow("a strip uncovered on the right") << QSize(572, 670) << QRegion(401, 0, 171, 670);
    QTest::newRow("two pieces, L-shaped")
        << QSize(1920, 1080) << (QRegion(0, 0, 1920, 100) + QRegion(37, 100, 500, 600));
}

// A paint of part of a window, the window system's clip in force, draws what
// the painter would have drawn there.
void StretchTest::widgetPaintsMatchInsideTheirRegion() {
    QFETCH(QSize, client);
    QFETCH(QRegion, exposed);
    const gfx::Bitmap picture(noise(QSize(750, 945), false, 9));
    StretchingWidget widget(picture);
    widget.resize(client);
    const auto render = [&](bool own) {
        gfx::setOwnStretch(own);
        QImage image(client, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        widget.render(&image, QPoint(), exposed);
        gfx::setOwnStretch(true);
        return image;
    };
    const long long before = gfx::ownStretchesDrawn();
    const QImage own = render(true);
    QCOMPARE(gfx::ownStretchesDrawn() - before, 1);
    QCOMPARE(own, render(false));
}

void StretchTest::partsDrawnAsAWholeMatchTheWhole_data() {
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QRect>("part");   // in device pixels
    QTest::addColumn<bool>("inParts"); // whether gfx promises it
    QTest::newRow("a gauge at the opening size")
        << QSize(572, 670) << QPoint(4, 28) << QRect(270, 45, 77, 104) << true;
    QTest::newRow("across a 4K row's second fetch")
        << QSize(3840, 300) << QPoint() << QRect(2000, 10, 100, 20) << true;
    QTest::newRow("a fractional enlargement")
        << QSize(937, 1181) << QPoint() << QRect(13, 900, 301, 7) << true;
    QTest::newRow("shrunk to half") << QSize(375, 945) << QPoint() << QRect(1, 1, 5, 5) << true;
    QTest::newRow("shrunk to less than half")
        << QSize(300, 380) << QPoint() << QRect(0, 0, 300, 380) << false;
    QTest::newRow("the picture's own size")
        << QSize(750, 945) << QPoint(4, 28) << QRect(100, 100, 50, 50) << true;
}

// A part of a stretch drawn alone, as a whole, is the whole stretch's pixels there.
void StretchTest::partsDrawnAsAWholeMatchTheWhole() {
    QFETCH(QSize, target);
    QFETCH(QPoint, origin);
    QFETCH(QRect, part);
    QFETCH(bool, inParts);
    QCOMPARE(gfx::stretchDrawsInParts({750, 945}, {target.width(), target.height()}), inParts);
    if (!inParts)
        return;
    const gfx::Bitmap picture(noise(QSize(750, 945), false, 5));
    const QSize canvas(target.width() + origin.x(), target.height() + origin.y());
    const auto draw = [&](std::optional<QRect> clip) {
        gfx::Bitmap device(noise(canvas, false, 13));
        {
            gfx::Graphics g(device);
            g.setStretchAsWhole(true);
            if (clip)
                g.setClip({clip->x(), clip->y(), clip->width(), clip->height()});
            g.translateTransform(float(origin.x()), float(origin.y()));
            g.drawImage(&picture, gfx::Rect{0, 0, target.width(), target.height()});
        }
        return device.image();
    };
    const QImage whole = draw(std::nullopt);
    const QImage inPart = draw(part);
    const QImage untouched = noise(canvas, false, 13);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            QVERIFY2(inPart.pixel(x, y) == (part.contains(x, y) ? whole : untouched).pixel(x, y),
                     qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
}

void StretchTest::rowPassesKeepTheirFormula_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("steps"); // columns between neighbouring pixels, over and over
    QTest::newRow("enlarged, every eight pixels within eight columns")
        << 203 << QList<int>{0, 1, 0, 0, 1, 0, 1, 0};
    QTest::newRow("shrunk, four pixels to eight columns")
        << 64 << QList<int>{1, 2, 1, 1, 2, 1, 1, 2};
    QTest::newRow("far apart, two pixels at a time") << 61 << QList<int>{5, 9, 3};
    QTest::newRow("back and forth") << 45 << QList<int>{1, 1, -3, 2, 0};
    QTest::newRow("fewer than eight") << 5 << QList<int>{1, 2};
}

// Both passes against their formula, channel by channel, for columns in any
// order and every weight, on noise.
void StretchTest::rowPassesKeepTheirFormula() {
    QFETCH(int, count);
    QFETCH(QList<int>, steps);
    if (!gfx::stretch::rowPassesAvailable())
        QSKIP("this processor lacks the vector passes");
    const QImage rows = noise(QSize(count * 10 + 40, 2), true, 3);
    const auto* top = reinterpret_cast<const std::uint32_t*>(rows.constScanLine(0));
    const auto* bottom = reinterpret_cast<const std::uint32_t*>(rows.constScanLine(1));
    const auto channels = [](std::uint32_t a, std::uint32_t b, int w) {
        std::uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8)
            out |= ((a >> shift & 0xffu) * std::uint32_t(256 - w) +
                    (b >> shift & 0xffu) * std::uint32_t(w)) >>
                   8 << shift;
        return out;
    };

    std::vector<std::uint32_t> blended(std::size_t(rows.width()));
    for (const int weight : {0, 1, 77, 128, 255, 256}) {
        gfx::stretch::blendRows(top, bottom, weight, blended.data(), rows.width());
        for (int x = 0; x < rows.width(); ++x)
            QCOMPARE(blended[std::size_t(x)], channels(top[x], bottom[x], weight));
    }

    std::vector<std::int32_t> left;
    std::vector<int> weights;
    std::uint32_t state = 5;
    for (int i = 0, column = 4; i < count; ++i, column += steps[i % steps.size()]) {
        state = state * 1103515245u + 12345u;
        left.push_back(column);
        weights.push_back(int(state >> 8) % 257);
    }
    const gfx::stretch::RowSampling sampling(left, weights);
    std::vector<std::uint32_t> out(left.size());
    sampling.sample(blended.data(), out.data());
    for (std::size_t i = 0; i < out.size(); ++i)
        QCOMPARE(out[i], channels(blended[std::size_t(left[i])], blended[std::size_t(left[i]) + 1],
                                  weights[i]));
}

QTEST_MAIN(StretchTest)
#include "tst_gfx_stretch.moc"
