#include "EngineTestSupport.h"

#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

void enterDemoMode() {
    instrument().engine.demoMode = 1;
    resetEngineState(instrument().engine);
}

} // namespace

class DemoSweepTest : public QObject {
    Q_OBJECT

private slots:
    void init() { startWithControls(0, 1, 1); }

    void extremes_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("lowest");
        QTest::addColumn<double>("highest");
        const struct {
            const char* field;
            double lowest;
            double highest;
        } rows[] = {
            {"fuelFlow", -0.2, 20.0},
            {"leftFuel", -0.1, 50.1},
            {"rightFuel", -0.4, 50.1},
            {"oilTemp", 0, 301},
            {"oilPressure", 0, 117},
            {"fuelPressure", -0.4, 20.6},
            {"volts", 10.0, 16.0},
            {"amps", -50, 50},
            {"oat", -30, 50},
            {"rpm", 1800, 2800},
            {"manifoldPressure", 14.7, 30.3},
            {"egtRankine", 990, 2010},
            {"cht", 198, 600},
        };
        for (const auto& row : rows)
            QTest::newRow(row.field) << QByteArray(row.field) << row.lowest << row.highest;
    }

    // From the reset values with every direction rising, each gauge swings
    // between fixed extremes; rpm's low end counts after its first climb.
    void extremes() {
        QFETCH(QByteArray, field);
        QFETCH(double, lowest);
        QFETCH(double, highest);
        enterDemoMode();
        double low = INFINITY;
        double high = -INFINITY;
        for (int tick = 0; tick < 6000; ++tick) {
            stepEngine(instrument().engine, instrument().model.sweep);
            if (tick < 200)
                continue;
            low = std::min(low, double(engineField(field)));
            high = std::max(high, double(engineField(field)));
        }
        QVERIFY2(std::fabs(low - lowest) < 0.06, qPrintable(QString::number(low, 'g', 9)));
        QVERIFY2(std::fabs(high - highest) < 0.06, qPrintable(QString::number(high, 'g', 9)));
    }

    // rpm climbs 20 a tick from 900 and lands on 2800 exactly; the reversal
    // holds it one tick, then it sweeps exactly 1800..2800.
    void rpmSweepsExactly() {
        enterDemoMode();
        for (int tick = 1; tick <= 95; ++tick) {
            stepEngine(instrument().engine, instrument().model.sweep);
            QCOMPARE(instrument().engine.rpm, float(900 + 20 * tick));
        }
        stepEngine(instrument().engine, instrument().model.sweep);
        QCOMPARE(instrument().engine.rpm, 2800.0f);
        QCOMPARE(instrument().model.sweep.rising[9], false);
        stepEngine(instrument().engine, instrument().model.sweep);
        QCOMPARE(instrument().engine.rpm, 2780.0f);
        float low = 2800, high = 0;
        for (int tick = 0; tick < 3000; ++tick) {
            stepEngine(instrument().engine, instrument().model.sweep);
            low = std::min(low, instrument().engine.rpm);
            high = std::max(high, instrument().engine.rpm);
            QCOMPARE(instrument().engine.torque, 400.0f);
        }
        QCOMPARE(low, 1800.0f);
        QCOMPARE(high, 2800.0f);
    }

    // Leaving and re-entering demo mode resets the values but keeps each
    // direction: a falling rpm below its low bound first turns, in place.
    void directionsSurviveSpells() {
        enterDemoMode();
        for (int tick = 0; tick < 100; ++tick)
            stepEngine(instrument().engine, instrument().model.sweep);
        QCOMPARE(instrument().model.sweep.rising[9], false);
        instrument().engine.demoMode = 0;
        resetEngineState(instrument().engine);
        QCOMPARE(instrument().model.sweep.rising[9], false);
        enterDemoMode();
        stepEngine(instrument().engine, instrument().model.sweep);
        QCOMPARE(instrument().engine.rpm, 900.0f);
        QCOMPARE(instrument().model.sweep.rising[9], true);
        stepEngine(instrument().engine, instrument().model.sweep);
        QCOMPARE(instrument().engine.rpm, 920.0f);
    }

    void controlsIgnored() {
        enterDemoMode();
        for (int tick = 0; tick < 500; ++tick)
            stepEngine(instrument().engine, instrument().model.sweep);
        const EngineState reference = instrument().engine;
        std::array<bool, sweptValueCount> directions;
        std::ranges::copy(instrument().model.sweep.rising, directions.begin());

        auto runWithKnobs = [&](float throttle, float propeller, float mixture) {
            instrument().engine = reference;
            std::ranges::copy(directions, instrument().model.sweep.rising.begin());
            instrument().engine.throttle = throttle;
            instrument().engine.propeller = propeller;
            instrument().engine.mixture = mixture;
            for (int tick = 0; tick < 300; ++tick)
                stepEngine(instrument().engine, instrument().model.sweep);
            return instrument().engine;
        };
        const EngineState pushedIn = runWithKnobs(1, 1, 1);
        const EngineState pulledOut = runWithKnobs(0, 0, 0);
        for (std::size_t i = 0; i < engineValueCount; ++i)
            QCOMPARE(pushedIn.*engineFloatFields[i].member, pulledOut.*engineFloatFields[i].member);
    }

    void capacitiesAndFlagsUntouched() {
        enterDemoMode();
        instrument().engine.muted = 1;
        for (int tick = 0; tick < 1000; ++tick)
            stepEngine(instrument().engine, instrument().model.sweep);
        QCOMPARE(instrument().engine.leftCapacity, 50.0f);
        QCOMPARE(instrument().engine.rightCapacity, 50.0f);
        QCOMPARE(instrument().engine.muted, 1);
        QCOMPARE(instrument().engine.demoMode, 1);
    }
};

QTEST_APPLESS_MAIN(DemoSweepTest)
#include "tst_demo_sweep.moc"
