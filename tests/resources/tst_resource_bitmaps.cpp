#include "ResourceProbe.h"

#include <QtTest>

#include <vector>

// Each bitmap decodes at the size and pixel depth the instrument expects, and
// the keyed artwork leaves nothing behind once its key colour is taken out.
class ResourceBitmapsTest : public QObject {
    Q_OBJECT

private slots:
    void decodesWithSizeAndDepth_data();
    void decodesWithSizeAndDepth();
    void keyedArtworkHasCleanOutside_data();
    void keyedArtworkHasCleanOutside();
    void knobsCarryTheirCockpitColours_data();
    void knobsCarryTheirCockpitColours();
    void checkMarkIsABoldDarkTick();
    void logoIsRedOnPureBlack();
};

void ResourceBitmapsTest::decodesWithSizeAndDepth_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bits");
    QTest::newRow("panel") << 104 << 750 << 945 << 8;
    QTest::newRow("throttle knob") << 108 << 120 << 130 << 8;
    QTest::newRow("propeller knob") << 110 << 114 << 120 << 8;
    QTest::newRow("mixture knob") << 111 << 114 << 120 << 8;
    QTest::newRow("check mark") << 113 << 18 << 19 << 4;
    QTest::newRow("logo") << 114 << 84 << 32 << 24;
}

void ResourceBitmapsTest::decodesWithSizeAndDepth() {
    QFETCH(int, id);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bits);
    const auto bytes = zentor::findResource(id, "BITMAP");
    QVERIFY(bytes.size() > 54);
    // BITMAPINFOHEADER: size, width, height (bottom-up), planes, depth, no compression.
    QCOMPARE(readU32(bytes, 2), std::uint32_t(bytes.size()));
    QCOMPARE(readU32(bytes, 14), 40u);
    QCOMPARE(readU32(bytes, 18), std::uint32_t(width));
    QCOMPARE(readU32(bytes, 22), std::uint32_t(height));
    QCOMPARE(readU16(bytes, 26), std::uint16_t(1));
    QCOMPARE(readU16(bytes, 28), std::uint16_t(bits));
    QCOMPARE(readU32(bytes, 30), 0u);
    const std::uint32_t paletteSize = readU32(bytes, 46);
    QVERIFY(bits == 24 ? paletteSize == 0 : paletteSize <= (1u << bits));
    const std::uint32_t rowBytes = ((std::uint32_t(width * bits) + 31) / 32) * 4;
    QCOMPARE(readU32(bytes, 10), 54u + 4u * paletteSize);
    QCOMPARE(std::uint32_t(bytes.size()), 54u + 4u * paletteSize + rowBytes * height);

    const QImage image = decodeBitmap(id);
    QCOMPARE(image.size(), QSize(width, height));
    if (bits <= 8)
        QVERIFY(image.colorCount() > 1 && image.colorCount() <= (1 << bits));
}

void ResourceBitmapsTest::keyedArtworkHasCleanOutside_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("darkEdge");
    QTest::newRow("throttle knob") << 108 << true;
    QTest::newRow("propeller knob") << 110 << true;
    QTest::newRow("mixture knob") << 111 << true;
    QTest::newRow("check mark") << 113 << false; // its edge blends into the box's light inside
}

void ResourceBitmapsTest::keyedArtworkHasCleanOutside() {
    QFETCH(int, id);
    QFETCH(bool, darkEdge);
    const QImage image = decodeBitmap(id).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!image.isNull());
    const int w = image.width(), h = image.height();
    // The white that the compositor keys out must be one region open to the
    // border: white inside the artwork would show as a hole.
    std::vector<char> outside(std::size_t(w * h), 0);
    std::vector<QPoint> stack;
    for (int x = 0; x < w; ++x) {
        QCOMPARE(image.pixel(x, 0), opaqueWhite);
        QCOMPARE(image.pixel(x, h - 1), opaqueWhite);
        stack.push_back({x, 0});
        stack.push_back({x, h - 1});
    }
    for (int y = 0; y < h; ++y) {
        QCOMPARE(image.pixel(0, y), opaqueWhite);
        QCOMPARE(image.pixel(w - 1, y), opaqueWhite);
        stack.push_back({0, y});
        stack.push_back({w - 1, y});
    }
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h)
            continue;
        char& seen = outside[std::size_t(p.y() * w + p.x())];
        if (seen || image.pixel(p) != opaqueWhite)
            continue;
        seen = 1;
        stack.insert(stack.end(),
                     {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    int artwork = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool isOutside = outside[std::size_t(y * w + x)];
            QVERIFY2(isOutside || image.pixel(x, y) != opaqueWhite,
                     qPrintable(QStringLiteral("white hole at %1,%2").arg(x).arg(y)));
            if (isOutside)
                continue;
            ++artwork;
            const bool touchesKey =
                outside[std::size_t(y * w + x - 1)] || outside[std::size_t(y * w + x + 1)] ||
                outside[std::size_t((y - 1) * w + x)] || outside[std::size_t((y + 1) * w + x)];
            const QRgb c = image.pixel(x, y);
            if (darkEdge && touchesKey)
                QVERIFY2(qMin(qRed(c), qMin(qGreen(c), qBlue(c))) < 160,
                         qPrintable(QStringLiteral("light fringe at %1,%2").arg(x).arg(y)));
        }
    QVERIFY(artwork > w * h / 10);
}

void ResourceBitmapsTest::knobsCarryTheirCockpitColours_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("dominant"); // 0 red, 1 green, 2 blue, -1 none: black
    QTest::newRow("throttle is black") << 108 << -1;
    QTest::newRow("propeller is blue") << 110 << 2;
    QTest::newRow("mixture is red") << 111 << 0;
}

void ResourceBitmapsTest::knobsCarryTheirCockpitColours() {
    QFETCH(int, id);
    QFETCH(int, dominant);
    const QImage image = decodeBitmap(id).convertToFormat(QImage::Format_RGB32);
    // Average over the middle of the knob's face.
    double sum[3] = {};
    int n = 0;
    const QPoint centre(image.width() / 2, image.height() / 2 - 4);
    for (int y = centre.y() - 20; y <= centre.y() + 20; ++y)
        for (int x = centre.x() - 20; x <= centre.x() + 20; ++x) {
            const QRgb c = image.pixel(x, y);
            sum[0] += qRed(c);
            sum[1] += qGreen(c);
            sum[2] += qBlue(c);
            ++n;
        }
    for (double& s : sum)
        s /= n;
    if (dominant < 0) {
        QVERIFY(sum[0] < 50 && sum[1] < 50 && sum[2] < 50);
        return;
    }
    for (int c = 0; c < 3; ++c)
        if (c != dominant)
            QVERIFY2(sum[dominant] > 2 * sum[c] + 30, qPrintable(QString::number(sum[c])));
}

void ResourceBitmapsTest::checkMarkIsABoldDarkTick() {
    const QImage mark = decodeBitmap(zentor::checkMarkBitmap).convertToFormat(QImage::Format_RGB32);
    int dark = 0;
    QRect inkBox;
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x)
            if (luma(mark.pixel(x, y)) < 64) {
                ++dark;
                inkBox |= QRect(x, y, 1, 1);
            }
    // Bold: a good share of the box is solid ink, spread over most of it.
    QVERIFY2(dark >= 40, qPrintable(QString::number(dark)));
    QVERIFY(inkBox.width() >= 10 && inkBox.height() >= 10);
    // A tick: ink in the lower left and upper right, none in the upper left corner.
    QVERIFY(luma(mark.pixel(2, 2)) > 200);
    QVERIFY(luma(mark.pixel(3, 3)) > 200);
}

void ResourceBitmapsTest::logoIsRedOnPureBlack() {
    const QImage logo = decodeBitmap(zentor::logoBitmap).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(logo.pixel(0, 0), opaqueBlack);
    QCOMPARE(logo.pixel(logo.width() - 1, logo.height() - 1), opaqueBlack);
    int black = 0, brightRed = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x) {
            const QRgb c = logo.pixel(x, y);
            if (c == opaqueBlack) {
                ++black;
                continue;
            }
            QVERIFY2(qRed(c) >= 2 * qGreen(c) && qRed(c) >= 2 * qBlue(c),
                     qPrintable(QStringLiteral("not red at %1,%2").arg(x).arg(y)));
            brightRed += qRed(c) > 180;
        }
    // Mostly background, with a solid amount of lettering and emblem.
    QVERIFY(black > logo.width() * logo.height() / 2);
    QVERIFY2(brightRed > 200, qPrintable(QString::number(brightRed)));
}

QTEST_MAIN(ResourceBitmapsTest)
#include "tst_resource_bitmaps.moc"
