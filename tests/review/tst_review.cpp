// The flight review: its figures against the plans our fixture flights were
// made from, gaps left as gaps, and zentor-snapshot --review writing it.

#include "FlightFixture.h"

#include "aircraft/InstrumentProfile.h"
#include "review/FlightReview.h"
#include "review/ReviewText.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(FlightKind)

class ReviewTest : public QObject {
    Q_OBJECT
private slots:
    void headerFigures_data();
    void headerFigures();
    void leanSweeps_data();
    void leanSweeps();
    void gapsStayGaps();
    void pictures_data();
    void pictures();
};

namespace {

constexpr int columns = 1440;

FlightReview reviewOf(const FlightPlan& plan, const AircraftProfile& profile = instrumentProfile) {
    ReviewReading reading = reviewLogBytes("flight.csv", flightLog(plan), profile, columns);
    if (!reading.review)
        qFatal("%s", reading.error.c_str());
    return std::move(*reading.review);
}

// The plan's truth over its rows, second by second, as a pilot would add it up.
struct Truth {
    double running = 0;
    double flowFuel = 0;
    double tankFuel = 0;
    std::array<double, 6> hottestEgt{};
    double spread = 0; // the largest of the steady stretches' spreads
};

bool lost(const FlightPlan& plan, int row, bool probesToo) {
    for (std::size_t g = 0; g < plan.gaps.size(); ++g)
        if ((g == 0 || probesToo) && row >= plan.gaps[g][0] && row < plan.gaps[g][1])
            return true;
    return false;
}

Truth truthOf(const FlightPlan& plan) {
    Truth truth;
    truth.hottestEgt.fill(-1e9);
    for (int row = 1; row < plan.rows(); ++row) {
        if (lost(plan, row - 1, false) || lost(plan, row, false))
            continue;
        truth.running += 1; // every phase runs the engine above 500 rpm
        truth.flowFuel += (planFlow(plan, row - 1) + planFlow(plan, row)) / 2 / 3600;
    }
    for (int row = 1; row < plan.rows(); ++row)
        truth.tankFuel += (planFlow(plan, row - 1) + planFlow(plan, row)) / 2 / 3600;
    truth.tankFuel *= plan.tankBurnOverFlow;
    for (int row = 0; row < plan.rows(); ++row) {
        if (lost(plan, row, true))
            continue;
        const bool steady = row >= 60 &&
                            std::abs(planFlow(plan, row - 60) - planFlow(plan, row)) < 0.01 &&
                            planFlow(plan, row) > 5;
        double low = 1e9, high = -1e9;
        for (int c = 0; c < 6; ++c) {
            if (c == 2 && plan.egt3Stuck)
                continue;
            const double egt = planEgt(plan, c, row);
            truth.hottestEgt[std::size_t(c)] = std::max(truth.hottestEgt[std::size_t(c)], egt);
            low = std::min(low, egt);
            high = std::max(high, egt);
        }
        if (steady)
            truth.spread = std::max(truth.spread, high - low);
    }
    return truth;
}

} // namespace

void ReviewTest::headerFigures_data() {
    QTest::addColumn<FlightKind>("kind");
    QTest::addColumn<int>("alarms");
    QTest::addColumn<bool>("stuck"); // cylinder 3's EGT probe found failed
    QTest::newRow("lean sweep") << FlightKind::leanSweep << 1 << false;
    QTest::newRow("enriched halfway") << FlightKind::enrichedHalfway << 1 << false;
    QTest::newRow("failed probe") << FlightKind::stuckProbe << 1 << true;
    QTest::newRow("gaps") << FlightKind::gaps << 1 << false;
}

void ReviewTest::headerFigures() {
    QFETCH(FlightKind, kind);
    QFETCH(int, alarms);
    QFETCH(bool, stuck);
    const FlightPlan plan = flightPlan(kind);
    const FlightReview review = reviewOf(plan);
    const FlightFigures& f = review.figures;
    const Truth truth = truthOf(plan);

    QCOMPARE(review.tailNumber, plan.tail);
    QCOMPARE(startText(review), std::string("2026-06-14 14:12:00 UTC"));
    QCOMPARE(f.length, double(plan.rows() - 1));
    QVERIFY(f.runningSeconds && std::abs(*f.runningSeconds - truth.running) <= 1);
    QVERIFY2(f.fuelByFlow && std::abs(*f.fuelByFlow - truth.flowFuel) < 0.01,
             qPrintable(QString::number(*f.fuelByFlow) + " " + QString::number(truth.flowFuel)));
    // Tanks written to the hundredth of a gallon.
    QVERIFY(f.fuelByQuantity && std::abs(*f.fuelByQuantity - truth.tankFuel) < 0.02);
    for (int c = 0; c < 6; ++c) {
        const auto& egt = f.hottestEgt[std::size_t(c)];
        const double expected = c == 2 && stuck ? 154 : truth.hottestEgt[std::size_t(c)];
        QVERIFY2(egt && std::abs(egt->value - expected) <= plan.egtNoise + 0.5,
                 qPrintable(
                     QString("cylinder %1: %2, plan %3").arg(c + 1).arg(egt->value).arg(expected)));
        QCOMPARE(f.egtProbeStuck[std::size_t(c)], c == 2 && stuck);
    }
    // Cylinder 3's minute of heat is its hottest, and the flight's one caution.
    const auto& hot = f.hottestCht[2];
    QVERIFY(hot && std::abs(hot->value - plan.hotCht) <= plan.chtNoise + 0.5);
    QVERIFY(hot->time >= plan.hotFrom && hot->time < plan.hotTo);
    QVERIFY(f.cruiseSpread);
    QVERIFY2(std::abs(f.cruiseSpread->value - truth.spread) <= 2 * plan.egtNoise + 1,
             qPrintable(QString("%1, plan %2").arg(f.cruiseSpread->value).arg(truth.spread)));
    QCOMPARE(f.alarmCount, std::uint64_t(alarms));
    QCOMPARE(f.firstAlarms.front().message.substr(0, 10), std::string("CHT 3 HIGH"));
    QCOMPARE(f.firstAlarms.front().time, plan.hotFrom + 2);
}

// Each cylinder peaks where the plan put its peak, within the probe noise;
// a sweep given up halfway keeps the peaks it had; a failed probe or
// cylinders already lean of their peaks when the data came back give none;
// a profile's peak drop larger than the leanest cylinder falls past its peak
// (cylinder 4: 58 °F from 10.6 to 9.4 gal/h) leaves that one out.
void ReviewTest::leanSweeps_data() {
    QTest::addColumn<FlightKind>("kind");
    QTest::addColumn<QString>("peaked"); // cylinders 1 to 6; empty: no sweep found
    QTest::addColumn<int>("first");
    QTest::addColumn<bool>("complete");   // every probe that moved peaked
    QTest::addColumn<double>("peakDrop"); // the profile's
    QTest::newRow("lean sweep") << FlightKind::leanSweep << "111111" << 3 << true << 10.0;
    QTest::newRow("enriched halfway")
        << FlightKind::enrichedHalfway << "001000" << 3 << false << 10.0;
    QTest::newRow("failed probe") << FlightKind::stuckProbe << "110111" << 1 << true << 10.0;
    QTest::newRow("gaps") << FlightKind::gaps << "" << 0 << false << 10.0;
    QTest::newRow("drop past the leanest")
        << FlightKind::leanSweep << "111011" << 3 << false << 60.0;
}

void ReviewTest::leanSweeps() {
    QFETCH(FlightKind, kind);
    QFETCH(QString, peaked);
    QFETCH(int, first);
    QFETCH(bool, complete);
    QFETCH(double, peakDrop);
    const FlightPlan plan = flightPlan(kind);
    AircraftProfile profile = instrumentProfile;
    profile.leanPeakDrop = peakDrop;
    const FlightReview review = reviewOf(plan, profile);
    QCOMPARE(review.sweepCount, std::uint64_t(peaked.isEmpty() ? 0 : 1));
    if (peaked.isEmpty())
        return;
    const LeanSweep& sweep = review.sweeps.front();
    QCOMPARE(sweep.channels, std::size_t(6));
    QCOMPARE(sweep.firstToPeak ? int(*sweep.firstToPeak) + 1 : 0, first);
    double richest = 0, leanest = 1e9;
    for (int c = 0; c < 6; ++c) {
        const auto& peak = sweep.peaks[std::size_t(c)];
        QCOMPARE(peak.has_value(), peaked[c] == '1');
        if (!peak)
            continue;
        QVERIFY(std::abs(peak->egt - plan.peakEgt[std::size_t(c)]) <= plan.egtNoise + 0.5);
        // Near its peak a cylinder's EGT moves less than the noise for 0.4 gal/h.
        QVERIFY2(
            peak->fuelFlow && std::abs(*peak->fuelFlow - plan.peakFlow[std::size_t(c)]) <= 0.45,
            qPrintable(QString("cylinder %1 at %2").arg(c + 1).arg(peak->fuelFlow.value_or(0))));
        richest = std::max(richest, plan.peakFlow[std::size_t(c)]);
        leanest = std::min(leanest, plan.peakFlow[std::size_t(c)]);
    }
    // A spread only once every probe that moved has peaked.
    QCOMPARE(sweep.complete, complete);
    QCOMPARE(sweep.fuelFlowSpread.has_value(), sweep.complete);
    if (sweep.complete)
        QVERIFY(std::abs(*sweep.fuelFlowSpread - (richest - leanest)) <= 0.9);
}

// Where the log has no values no line is drawn: no bin inside a gap holds
// one, and the first after it does not join the last before.
void ReviewTest::gapsStayGaps() {
    const FlightPlan plan = flightPlan(FlightKind::gaps);
    const FlightReview review = reviewOf(plan);
    for (const auto& gap : plan.gaps) {
        for (const std::size_t s : {std::size_t(0), std::size_t(12)}) { // EGT 1, RPM
            const bool lostHere = s == 0 || &gap == &plan.gaps.front();
            const std::vector<PlotBin>& bins = review.series[s];
            const auto bin = [&](double t) { return std::size_t(t / review.binLength); };
            for (std::size_t b = bin(gap[0]) + 1; b < bin(gap[1]); ++b)
                QCOMPARE(bins[b].filled, !lostHere);
            QCOMPARE(bins[bin(gap[1])].joined, !lostHere);
        }
    }
}

void ReviewTest::pictures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QSize>("size");
    QTest::newRow("png") << "review.png" << QStringList{} << QSize(1600, 1200);
    QTest::newRow("png sized") << "review.png" << QStringList{"--size", "1000x800"}
                               << QSize(1000, 800);
    QTest::newRow("svg") << "review.svg" << QStringList{} << QSize();
}

void ReviewTest::pictures() {
    QFETCH(QString, name);
    QFETCH(QStringList, extra);
    QFETCH(QSize, size);
    QTemporaryDir directory;
    const QString log = directory.filePath("flight.csv");
    QFile file(log);
    const std::string bytes = flightLog(flightPlan(FlightKind::leanSweep));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())) > 0);
    file.close();
    const QString output = directory.filePath(name);
    QProcess program;
    program.start(ZENTOR_SNAPSHOT_PROGRAM,
                  QStringList{"--replay", log, "--review", output} + extra);
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    if (size.isValid()) {
        QCOMPARE(QImage(output).size(), size);
        return;
    }
    // Text stays text, so that it is sharp at any size and can be found.
    QFile svg(output);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    QVERIFY(text.contains("N624RV") && text.contains("CHT 3 HIGH"));
}

QTEST_GUILESS_MAIN(ReviewTest)
#include "tst_review.moc"
