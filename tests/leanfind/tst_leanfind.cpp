// Lean-find over made-up sweeps: each probe peaks where the sweep says, the
// rule finds it within the noise, and what never peaks is never a peak.

#include "leanfind/LeanFinder.h"
#include "leanfind/LeanSweeps.h"
#include "leanfind/LeanView.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Every cylinder's peak fuel flow, gal/h: cylinder 3 peaks first, 5 last, 2.4 apart.
constexpr std::array<double, 6> peakFlows = {13.4, 12.6, 14.0, 12.2, 11.6, 13.0};
constexpr double stuckProbe = 154;

enum class Sweep {
    leanThrough,   // 16 down to 10 gal/h over two minutes
    enrichHalfway, // down to 12.4 (cylinders 1 and 3 have peaked), back up to 16
    noPeak,        // the probes rise all the way: no peak reached
    twice,         // leaned through, enriched, leaned through again
};

// One reading a second, with up to 3 F of repeatable probe noise.
std::vector<LeanReading> sweep(Sweep kind, bool stuckThird, bool withFlow, std::size_t channels) {
    std::vector<double> flows;
    const auto ramp = [&flows](double from, double to, int seconds) {
        for (int s = 0; s < seconds; ++s)
            flows.push_back(from + (to - from) * s / seconds);
    };
    if (kind == Sweep::enrichHalfway) {
        ramp(16, 12.4, 72);
        ramp(12.4, 16, 40);
    } else {
        ramp(16, 10, 120);
        if (kind == Sweep::twice) {
            ramp(10, 16, 60);
            ramp(16, 10, 120);
        }
    }
    std::uint32_t seed = 12345;
    std::vector<LeanReading> readings;
    for (std::size_t i = 0; i < flows.size(); ++i) {
        LeanReading r;
        r.time = double(i);
        r.channels = channels;
        if (withFlow)
            r.fuelFlow = flows[i];
        for (std::size_t c = 0; c < channels; ++c) {
            seed = seed * 1664525u + 1013904223u;
            const double noise = double(seed >> 8) / double(1u << 24) * 6 - 3;
            const double below = flows[i] - (kind == Sweep::noPeak ? 0 : peakFlows[c]);
            const double egt = kind == Sweep::noPeak ? 1500 - 12 * below
                                                     : 1450 + 5 * double(c) - 15 * below * below;
            r.egt[c] = stuckThird && c == 2 ? stuckProbe : egt + noise;
        }
        readings.push_back(r);
    }
    return readings;
}

} // namespace

class TestLeanFind : public QObject {
    Q_OBJECT
private slots:
    void finder_data();
    void finder();
    void sweepsOfAFlight();
    void view_data();
    void view();
};

void TestLeanFind::finder_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("stuckThird");
    QTest::addColumn<bool>("withFlow");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("peaked"); // a digit per probe: 1 peaked
    QTest::addColumn<int>("first");      // -1: none
    QTest::addColumn<int>("side");       // of the first probe at the end
    QTest::addColumn<bool>("spread");    // first to last known
    const auto row = [](const char* name, Sweep kind, bool stuck, bool flow, int channels,
                        const char* peaked, int first, LeanSide side, bool spread) {
        QTest::newRow(name) << int(kind) << stuck << flow << channels << QString(peaked) << first
                            << int(side) << spread;
    };
    row("six probes leaned through", Sweep::leanThrough, false, true, 6, "111111", 2,
        LeanSide::lean, true);
    row("enriched halfway keeps the peaks", Sweep::enrichHalfway, false, true, 6, "101000", 2,
        LeanSide::rich, false);
    row("a stuck probe is no peak", Sweep::leanThrough, true, true, 6, "110111", 0, LeanSide::lean,
        true);
    row("a single probe", Sweep::leanThrough, false, true, 1, "1", 0, LeanSide::lean, false);
    row("rising without a peak", Sweep::noPeak, false, true, 6, "000000", -1, LeanSide::unknown,
        false);
    row("no fuel flow: peaks by the probes alone", Sweep::leanThrough, false, false, 6, "111111", 2,
        LeanSide::unknown, false);
}

void TestLeanFind::finder() {
    QFETCH(int, kind);
    QFETCH(bool, stuckThird);
    QFETCH(bool, withFlow);
    QFETCH(int, channels);
    QFETCH(QString, peaked);
    QFETCH(int, first);
    QFETCH(int, side);
    QFETCH(bool, spread);
    LeanFinder finder;
    for (const LeanReading& r : sweep(Sweep(kind), stuckThird, withFlow, std::size_t(channels)))
        finder.update(r);
    QCOMPARE(finder.channels(), std::size_t(channels));
    for (int c = 0; c < channels; ++c) {
        const std::optional<LeanPeak>& peak = finder.peak(std::size_t(c));
        QCOMPARE(peak.has_value(), peaked[c] == '1');
        if (!peak)
            continue;
        QVERIFY2(std::abs(peak->egt - (1450 + 5 * c)) < 4, qPrintable(QString::number(peak->egt)));
        QCOMPARE(peak->fuelFlow.has_value(), withFlow);
        if (withFlow) // half a gal/h: noise on a flat top
            QVERIFY2(std::abs(*peak->fuelFlow - peakFlows[std::size_t(c)]) < 0.5,
                     qPrintable(QString::number(*peak->fuelFlow)));
        QVERIFY(*finder.fromPeakOrStart(std::size_t(c)) < 0);
    }
    QCOMPARE(finder.firstToPeak().has_value(), first >= 0);
    if (first >= 0)
        QCOMPARE(int(*finder.firstToPeak()), first);
    QCOMPARE(int(finder.side(0)), side);
    QCOMPARE(finder.fuelFlowSpread().has_value(), spread);
    if (Sweep(kind) == Sweep::noPeak)
        QVERIFY(*finder.fromPeakOrStart(0) > 50); // the rise is shown, never a peak
}

// Two sweeps in a flight, and one cut short by a change of power.
void TestLeanFind::sweepsOfAFlight() {
    LeanSweepSearch search;
    for (const LeanReading& r : sweep(Sweep::twice, false, true, 6))
        search.add(r, 2400, 23);
    QCOMPARE(search.sweeps().size(), std::size_t(2));
    // Leaning began at the start, and again once enriched back to 16 gal/h.
    QVERIFY(std::abs(search.sweeps()[0].leaningFrom - 0) < 4);
    QVERIFY2(std::abs(search.sweeps()[1].leaningFrom - 180) < 4,
             qPrintable(QString::number(search.sweeps()[1].leaningFrom)));
    for (const LeanSweep& found : search.sweeps()) {
        QCOMPARE(int(*found.firstToPeak), 2);
        QVERIFY(std::abs(*found.fuelFlowSpread - (14.0 - 11.6)) < 0.5);
    }
    // By the cut only cylinder 3 has peaked: a sweep given up, its one peak
    // kept; after it nothing rises far enough to peak.
    LeanSweepSearch cut;
    for (const LeanReading& r : sweep(Sweep::leanThrough, false, true, 6))
        cut.add(r, r.time < 60 ? 2400 : 2200, 23);
    QCOMPARE(cut.sweeps().size(), std::size_t(1));
    const LeanSweep& givenUp = cut.sweeps().front();
    QVERIFY(!givenUp.complete);
    for (std::size_t c = 0; c < 6; ++c)
        QCOMPARE(givenUp.peaks[c].has_value(), c == 2);
}

// The words and numbers the screen shows, in the pilot's units.
void TestLeanFind::view_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("temperatureUnit");
    QTest::addColumn<int>("fuelUnit");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<double>("spread"); // 0: none
    const auto row = [](const char* name, Sweep kind, Unit t, Unit f, const char* status,
                        const char* sign, double spread) {
        QTest::newRow(name) << int(kind) << int(t) << int(f) << QString(status) << QString(sign)
                            << spread;
    };
    row("lean of peak", Sweep::leanThrough, Unit::degF, Unit::gallons, "LOP", "-", 2.4);
    row("lean of peak, litres", Sweep::leanThrough, Unit::degC, Unit::litres, "LOP", "-",
        2.4 * litresPerGallon);
    row("rich again after the peak", Sweep::enrichHalfway, Unit::degF, Unit::gallons, "ROP", "-",
        0);
    row("rising, no peak", Sweep::noPeak, Unit::degF, Unit::gallons, "LEAN", "+", 0);
}

void TestLeanFind::view() {
    QFETCH(int, kind);
    QFETCH(int, temperatureUnit);
    QFETCH(int, fuelUnit);
    QFETCH(QString, status);
    QFETCH(QString, sign);
    QFETCH(double, spread);
    LeanFinder finder;
    for (const LeanReading& r : sweep(Sweep(kind), false, true, 6))
        finder.update(r);
    const LeanView view = leanView(finder, 2, Unit(temperatureUnit), Unit(fuelUnit));
    QCOMPARE(QString::fromStdU16String(view.status), status);
    QCOMPARE(QString::fromStdU16String(view.difference).left(1), sign);
    QCOMPARE(view.flowSpread.has_value(), spread > 0);
    if (spread > 0)
        QVERIFY(std::abs(*view.flowSpread - spread) < 0.5 * spread / 2.4);
    QCOMPARE(view.firstToPeak.value_or(0), Sweep(kind) == Sweep::noPeak ? 0 : 3);
}

QTEST_GUILESS_MAIN(TestLeanFind)
#include "tst_leanfind.moc"
