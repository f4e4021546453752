// EGT and CHT bar graphs, the selected cylinder and the percent-power readout.

#include "tests/support/ScreenProbe.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"

#include <QTest>

class GraphsTest : public QObject {
    Q_OBJECT
private slots:
    void firstColumnBarAndBigReadout_data();
    void firstColumnBarAndBigReadout();
    void selectedCylinderIsBoxedAndReadOut_data();
    void selectedCylinderIsBoxedAndReadOut();
    void percentPower_data();
    void percentPower();
};

constexpr QPoint egtOrigin(5, 310), chtOrigin(200, 310);
constexpr int egtFirstColumn = 75, chtFirstColumn = 200, egtSpacing = 16, chtSpacing = 18;

// The big readout under a graph, as drawn alone.
static QImage bigReadout(bool egt, const QString& text) {
    return egt ? renderTextBox(egtOrigin, text, {75, 120, 90, 40}, &ScreenKit::boldFont32,
                               0xFFFFFFFF, gfx::StringAlignment::center)
               : renderTextBox(chtOrigin, text, {31, 120, 90, 40}, &ScreenKit::boldFont32,
                               0xFFFFFFFF, gfx::StringAlignment::near);
}

// Above the status bar and clear of the captions beside each readout.
static QRect bigReadoutRegion(bool egt) {
    return egt ? QRect(86, 430, 84, 35) : QRect(231, 430, 90, 35);
}

void GraphsTest::firstColumnBarAndBigReadout_data() {
    QTest::addColumn<bool>("egt");
    QTest::addColumn<QString>("state");
    QTest::addColumn<double>("spread"); // of cylinder 1
    QTest::addColumn<double>("barTop"); // from the top of the graph, 92 at its bottom
    QTest::addColumn<QString>("readout");
    QTest::newRow("egt 1500 R") << true << "egtRankine=1500" << 1.0 << 67.99 << "1040";
    QTest::newRow("egt below 845 F gets the stub")
        << true << "egtRankine=1000" << 1.05 << 89.77 << " 525";
    QTest::newRow("egt 1700 F fills the bar")
        << true << "egtRankine=2159.67" << 1.0 << 0.0 << "1700";
    QTest::newRow("egt not a number gets the stub")
        << true << "egtRankine=nan" << 1.0 << 89.77 << " nan";
    QTest::newRow("cht 324") << false << "cht=300" << 1.08 << 53.97 << "324";
    QTest::newRow("cht below 210 gets the stub") << false << "cht=200" << 0.95 << 88.93 << "190";
    QTest::newRow("cht 600 fills the bar") << false << "cht=600" << 1.0 << 0.0 << "600";
}

void GraphsTest::firstColumnBarAndBigReadout() {
    QFETCH(bool, egt);
    QFETCH(QString, state);
    QFETCH(double, spread);
    QFETCH(double, barTop);
    QFETCH(QString, readout);
    resetEngine();
    setEngine(state);
    (egt ? instrument().engine.egtSpread : instrument().engine.chtSpread)[0] = spread;
    const QImage screen = renderScreen();

    // Green is full in both cyan and green bars; summed coverage is the bar's height.
    const int x = (egt ? egtFirstColumn : chtFirstColumn) + 2;
    double height = 0;
    for (int y = 309; y <= 403; ++y)
        height += qGreen(screen.pixel(x, y)) / 255.0;
    QVERIFY2(std::abs((92 - height) - barTop) <= 0.15, qPrintable(QString::number(92 - height)));
    QVERIFY(probes::sameRegion(screen, bigReadout(egt, readout), bigReadoutRegion(egt)));
}

void GraphsTest::selectedCylinderIsBoxedAndReadOut_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("boxed"); // column index
    QTest::newRow("cylinder 4") << 3 << 3;
    QTest::newRow("past the sixth reads as the sixth") << 9 << 5;
}

void GraphsTest::selectedCylinderIsBoxedAndReadOut() {
    QFETCH(int, selected);
    QFETCH(int, boxed);
    resetEngine();
    instrument().engine.selectedCylinder = std::uint8_t(selected);
    instrument().engine.egtSpread[boxed] = 1.08; // (1040.33 - 850) x 1.08 + 850
    instrument().engine.chtSpread[boxed] = 0.92; // 300 x 0.92
    const QImage screen = renderScreen();
    for (int column = 0; column < 6; ++column) {
        // The box's top runs along y = 405, over the column's number.
        const QPoint egtSide(egtFirstColumn + egtSpacing * column - 5, 405);
        const QPoint chtSide(chtFirstColumn + chtSpacing * column - 5, 405);
        QCOMPARE(probes::isWhite(screen.pixel(egtSide)), column == boxed);
        QCOMPARE(probes::isWhite(screen.pixel(chtSide)), column == boxed);
    }
    QVERIFY(probes::sameRegion(screen, bigReadout(true, "1056"), bigReadoutRegion(true)));
    QVERIFY(probes::sameRegion(screen, bigReadout(false, "276"), bigReadoutRegion(false)));
}

void GraphsTest::percentPower_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("readout");
    QTest::newRow("start values") << ""
                                  << "  1";
    QTest::newRow("negative torque reads 0") << "torque=-10"
                                             << "  0";
    QTest::newRow("cruise") << "torque=300;rpm=2700"
                            << " 59";
}

void GraphsTest::percentPower() {
    QFETCH(QString, state);
    QFETCH(QString, readout);
    resetEngine();
    setEngine(state);
    const QImage screen = renderScreen();
    const QImage expected =
        renderTextBox({0, 0}, readout, {-15, 215, 60, 26}, &ScreenKit::boldFont26, 0xFFFFFFFF,
                      gfx::StringAlignment::far);
    QVERIFY(probes::sameRegion(screen, expected, {0, 215, 45, 26}));
    QVERIFY(probes::count(screen, {46, 220, 40, 17}, probes::isWhite) > 10); // "% HP"
}

QTEST_MAIN(GraphsTest)
#include "tst_screen_graphs.moc"
