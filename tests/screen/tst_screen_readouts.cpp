// Readout texts: printf-style widths and precisions, and integer readouts of
// values that do not fit 32 bits.

#include "screen/Readouts.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(NumberFormat)

class ReadoutsTest : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
};

void ReadoutsTest::formats_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<NumberFormat>("format");
    QTest::addColumn<QString>("text");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("%3d truncates toward zero") << 219.9 << integer3 << "219";
    QTest::newRow("%3d of -0.7") << -0.7 << integer3 << "  0";
    QTest::newRow("%3d pads") << 14.9 << integer3 << " 14";
    QTest::newRow("%3d of the largest 32-bit value") << 2147483647.9 << integer3 << "2147483647";
    QTest::newRow("%3d above 2^31") << 1e10 << integer3 << "2147483647";
    QTest::newRow("%3d of -2^31 - 0.5") << -2147483648.5 << integer3 << "-2147483648";
    QTest::newRow("%3d below -2^31") << -1e10 << integer3 << "-2147483648";
    QTest::newRow("%3d of infinity") << inf << integer3 << "2147483647";
    QTest::newRow("%3d of minus infinity") << -inf << integer3 << "-2147483648";
    QTest::newRow("%3d of not a number reads the scale bottom") << nan << integer3 << "  0";
    QTest::newRow("%1d") << 4.0 << integer1 << "4";
    QTest::newRow("%3.0lf rounds") << 1.318 << fixed3_0 << "  1";
    QTest::newRow("%3.0lf negative") << -40.0 << fixed3_0 << "-40";
    QTest::newRow("%4.0f leading blank") << 900.0 << fixed4_0 << " 900";
    QTest::newRow("%4.0f wider than 4") << 10000.0 << fixed4_0 << "10000";
    QTest::newRow("%4.0lf of 524.85") << 524.85 << fixed4_0 << " 525";
    QTest::newRow("%3.1f") << 18.0 << fixed3_1 << "18.0";
    QTest::newRow("%4.1f") << 9.0 << fixed4_1 << " 9.0";
    QTest::newRow("%4.1f of not a number") << nan << fixed4_1 << " nan";
    QTest::newRow("%4.1f of the largest float")
        << double(std::numeric_limits<float>::max()) << fixed4_1
        << "340282346638528859811704183484516925440.0";
}

void ReadoutsTest::formats() {
    QFETCH(double, value);
    QFETCH(NumberFormat, format);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdU16String(formatReadout(value, format)), text);
}

QTEST_GUILESS_MAIN(ReadoutsTest)
#include "tst_screen_readouts.moc"
