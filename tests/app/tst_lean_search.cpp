#include "tests/support/InstrumentReset.h"
#include "tests/support/ShellFixture.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "engine/EngineSource.h"
#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "panel/PanelArtwork.h"
#include "tests/gfx/Probes.h"

#include <QTest>

#include <array>

// Lean-find in the running instrument: L on any source follows the probes
// the source has, the screen is handed what it found, L again ends it.

namespace {

// Per-cylinder peak fuel flows, gal/h: cylinder 3 peaks first, 5 last.
constexpr std::array<double, 6> peakFlows = {13.4, 12.6, 14.0, 12.2, 11.6, 13.0};

// A flight leaned from 16 to 10 gal/h over two minutes, each probe peaking
// where peakFlows says; with `probes` 1, one EGT for the engine.
class SweepSource final : public EngineSource {
public:
    explicit SweepSource(int probeCount) : probes(probeCount) {}
    void step(EngineState& e) override {
        const double flow = 16 - 6.0 * double(ticks++) * 0.065 / 120;
        e.fuelFlow = float(flow);
        e.noData.reset(std::size_t(Quantity::fuelFlow));
        const auto egtAt = [flow](std::size_t c) {
            const double below = flow - peakFlows[c];
            return 1450 + 5 * double(c) - 15 * below * below;
        };
        e.egtMeasured = probes > 1;
        if (probes > 1) {
            for (std::size_t c = 0; c < 6; ++c) {
                e.measuredEgt[c] = float(egtAt(c));
                e.noData.reset(std::size_t(cylinderEgt(int(c))));
            }
        } else {
            e.egtRankine = float(egtAt(0) + 459.67);
            e.noData.reset(std::size_t(Quantity::egt));
        }
    }
    bool followsControls() const override { return false; }
    std::string status() const override { return {}; }

private:
    int probes;
    long ticks = 0;
};

// The cyan pixels of the big EGT readout, as the running renderer draws the screen.
int cyanInBigEgtReadout() {
    gfx::Bitmap screen(630, 483);
    {
        gfx::Graphics graphics(screen);
        graphics.setClip(gfx::Rect{0, 0, 630, 483});
        instrument().renderer.draw(graphics, instrument().engine);
    }
    return probes::count(screen.image(), {80, 430, 90, 40},
                         [](QRgb p) { return qRed(p) < 60 && qGreen(p) > 200 && qBlue(p) > 200; });
}

} // namespace

class LeanSearchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OpenShell> shell;

private slots:
    void init() {
        resetInstrument();
        loadPanelArtwork(instrument().artwork);
        shell = std::make_unique<OpenShell>();
        QVERIFY(shell->exposed());
    }

    void cleanup() {
        setEngineSource(nullptr);
        shell.reset();
        freePanelArtwork(instrument().artwork);
    }

    void search_data() {
        QTest::addColumn<int>("probes"); // 0: the instrument's own model
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("sign");
        QTest::addColumn<int>("first");
        QTest::addColumn<bool>("spread");
        QTest::addColumn<double>("peakDrop"); // the profile's
        QTest::newRow("six probes, halfway") << 6 << 40 << "LEAN"
                                             << "+" << 0 << false << 10.0;
        QTest::newRow("six probes, leaned through") << 6 << 120 << "LOP"
                                                    << "-" << 3 << true << 10.0;
        // Cylinder 5 falls only 38 °F past its peak at 11.6 by 10 gal/h.
        QTest::newRow("six probes, a drop cylinder 5 never falls") << 6 << 120 << "LOP"
                                                                   << "-" << 3 << false << 50.0;
        QTest::newRow("one probe, leaned through") << 1 << 120 << "LOP"
                                                   << "-" << 0 << false << 10.0;
        QTest::newRow("the model: mixture pulled, no peak") << 0 << 30 << "LEAN"
                                                            << "+" << 0 << false << 10.0;
    }

    void search() {
        QFETCH(int, probes);
        QFETCH(int, seconds);
        QFETCH(QString, status);
        QFETCH(QString, sign);
        QFETCH(int, first);
        QFETCH(bool, spread);
        QFETCH(double, peakDrop);
        AircraftProfile aircraft = instrumentProfile;
        aircraft.leanPeakDrop = peakDrop;
        instrument().renderer.setAircraft(aircraft);
        SweepSource sweep(probes);
        if (probes > 0)
            setEngineSource(&sweep);
        else // a minute to settle at full rich before leaning
            for (int t = 0; t < 60 * 1000 / 65; ++t)
                stepInstrument();
        shell->tick();
        QVERIFY(!instrument().renderer.lean); // nothing until L
        QTest::keyClick(&shell->window, Qt::Key_L);
        QTest::keyClick(&shell->window, Qt::Key_C); // the third cylinder boxed
        QTest::keyClick(&shell->window, Qt::Key_C);
        const int ticks = seconds * 1000 / 65;
        for (int t = 0; t < ticks; ++t) {
            if (probes == 0)
                instrument().engine.mixture = 1.0f - 0.6f * float(t) / float(ticks);
            stepInstrument();
        }
        QVERIFY(instrument().renderer.lean);
        const LeanView& view = *instrument().renderer.lean;
        QCOMPARE(QString::fromStdU16String(view.status), status);
        QCOMPARE(QString::fromStdU16String(view.difference).left(1), sign);
        QCOMPARE(view.firstToPeak.value_or(0), first);
        QCOMPARE(view.flowSpread.has_value(), spread);
        QCOMPARE(view.singleProbe, probes <= 1); // the model has one EGT, spread over the bars
        QVERIFY(cyanInBigEgtReadout() > 30);     // the distance from the peak, in cyan
        QTest::keyClick(&shell->window, Qt::Key_L);
        stepInstrument();
        QVERIFY(!instrument().renderer.lean);
        QCOMPARE(cyanInBigEgtReadout(), 0);
    }
};

QTEST_MAIN(LeanSearchTest)
#include "tst_lean_search.moc"
