#include <QImage>
#include <QtTest>

// The committed desktop icons as a launcher shows them: each at its size on a
// transparent ground, the plate solid, the three knobs in their cockpit
// colours where the picture puts them, and no key white left round a knob.
class InstallIconTest : public QObject {
    Q_OBJECT

private slots:
    void standsOnTransparentGround_data();
    void standsOnTransparentGround();
    void showsTheKnobsInTheirColours_data();
    void showsTheKnobsInTheirColours();
};

namespace {

QImage loadIcon(int size) {
    const QString path =
        QStringLiteral(ZENTOR_ICON_DIR "/%1x%1/org.corvane.ZentorDemo.png").arg(size);
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

// A point given on the 256-pixel picture, at the same place in a smaller one.
QPoint at(int size, double x, double y) {
    return QPoint(int(x * size / 256.0), int(y * size / 256.0));
}

void addSizes() {
    QTest::addColumn<int>("size");
    for (int size : {48, 128, 256})
        QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(size))) << size;
}

} // namespace

void InstallIconTest::standsOnTransparentGround_data() {
    addSizes();
}

void InstallIconTest::standsOnTransparentGround() {
    QFETCH(int, size);
    const QImage icon = loadIcon(size);
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    const int last = size - 1;
    for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        QCOMPARE(qAlpha(icon.pixel(corner)), 0);
    // Between the knobs: bare plate, fully opaque.
    QCOMPARE(qAlpha(icon.pixel(at(size, 128.0, 88.0))), 255);
    QCOMPARE(qAlpha(icon.pixel(at(size, 40.0, 128.0))), 255);
    // The knobs' artwork keys out pure white; none may show on the plate.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb c = icon.pixel(x, y);
            QVERIFY2(qAlpha(c) < 128 || qMin(qRed(c), qMin(qGreen(c), qBlue(c))) < 240,
                     qPrintable(QStringLiteral("white at %1,%2").arg(x).arg(y)));
        }
}

void InstallIconTest::showsTheKnobsInTheirColours_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QPointF>("centre"); // on the 256-pixel picture
    QTest::addColumn<int>("colour");     // 0 blue, 1 red, 2 black
    for (int size : {48, 128, 256}) {
        const QString px = QStringLiteral(" %1 px").arg(size);
        QTest::newRow(qPrintable("propeller" + px)) << size << QPointF(80, 88) << 0;
        QTest::newRow(qPrintable("mixture" + px)) << size << QPointF(176, 88) << 1;
        QTest::newRow(qPrintable("throttle" + px)) << size << QPointF(128, 168) << 2;
    }
}

void InstallIconTest::showsTheKnobsInTheirColours() {
    QFETCH(int, size);
    QFETCH(QPointF, centre);
    QFETCH(int, colour);
    const QRgb c = loadIcon(size).pixel(at(size, centre.x(), centre.y()));
    QCOMPARE(qAlpha(c), 255);
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    switch (colour) {
    case 0:
        QVERIFY2(b > r + 60 && b > g + 60, qPrintable(QColor(c).name()));
        break;
    case 1:
        QVERIFY2(r > g + 60 && r > b + 60, qPrintable(QColor(c).name()));
        break;
    default: // darker than the plate round it
        QVERIFY2(qMax(r, qMax(g, b)) < 40, qPrintable(QColor(c).name()));
        break;
    }
}

QTEST_GUILESS_MAIN(InstallIconTest)
#include "tst_install_icon.moc"
