#include "EngineTestSupport.h"

#include <QTest>

#include <cmath>

namespace {

// Holds the controls and keeps the tanks from running dry, as in a long flight.
void settle(int ticks) {
    for (int i = 0; i < ticks; ++i) {
        instrument().engine.leftFuel = 45.7f;
        instrument().engine.rightFuel = 42.1f;
        stepEngineModel(instrument().engine);
    }
}

} // namespace

class EngineModelTest : public QObject {
    Q_OBJECT

private slots:
    void firstTick_data() {
        QTest::addColumn<float>("throttle");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");
        const struct {
            float throttle;
            const char* field;
            double expected;
            double tolerance;
        } rows[] = {
            // Tolerance 0: exactly this float. Torque is held exactly: its
            // scales are single-precision constants, and 1/2400 in double
            // would move its last digits.
            {0, "manifoldPressure", 16.8548, 1e-4},
            {0, "rpm", 901.743, 1e-3},
            {0, "oilPressure", 2.3, 0},
            {0, "egtRankine", 1487.06, 1e-2},
            {0, "cht", 300.002, 1e-3},
            {0, "oilTemp", 161.003, 1e-3},
            {0, "fuelPressure", 12.7, 0},
            {0, "fuelFlow", 5.3, 0},
            {0, "leftFuel", 45.6996, 1e-4},
            {0, "rightFuel", 42.0996, 1e-4},
            {0, "torque", 148.017273, 0},
            {1, "manifoldPressure", 18.9595, 1e-4},
            {1, "rpm", 1063.97, 1e-2},
            {1, "torque", 195.35466, 0},
            {0, "volts", 14.5, 0},
            {0, "amps", 20, 0},
            {0, "oat", 15, 0},
            {0, "leftCapacity", 50, 0},
        };
        for (const auto& row : rows)
            QTest::addRow("throttle %g %s", row.throttle, row.field)
                << row.throttle << QByteArray(row.field) << row.expected << row.tolerance;
    }

    void firstTick() {
        QFETCH(float, throttle);
        QFETCH(QByteArray, field);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        startWithControls(throttle, 1, 1);
        stepEngine(instrument().engine, instrument().model.sweep);
        const float value = engineField(field);
        // QCOMPARE would let floats differ in their last digits: compare exactly.
        const bool close =
            tolerance == 0 ? value == float(expected) : std::fabs(value - expected) <= tolerance;
        QVERIFY2(close, qPrintable(QString::number(value, 'g', 9)));
    }

    void steadyState_data() {
        QTest::addColumn<float>("throttle");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("expected");
        const struct {
            float throttle;
            const char* field;
            double expected;
        } rows[] = {
            {0, "manifoldPressure", 4.7103}, {0, "rpm", 938.8},       {0, "oilPressure", 42.965},
            {0, "egtRankine", 635.46},       {0, "cht", 90},          {0, "oilTemp", 107.17},
            {0, "fuelPressure", 10.488},     {0, "fuelFlow", 8.989},  {0, "torque", 97.88},
            {1, "manifoldPressure", 28.671}, {1, "rpm", 2400},        {1, "oilPressure", 60},
            {1, "egtRankine", 1984.99},      {1, "cht", 405.82},      {1, "oilTemp", 194.21},
            {1, "fuelPressure", 15.602},     {1, "fuelFlow", 18.487}, {1, "torque", 548.41},
        };
        for (const auto& row : rows)
            QTest::addRow("throttle %g %s", row.throttle, row.field)
                << row.throttle << QByteArray(row.field) << row.expected;
    }

    // cht and oil temperature take many simulated minutes; single-precision
    // storage stalls them a hair short of the target, hence 0.05.
    void steadyState() {
        QFETCH(float, throttle);
        QFETCH(QByteArray, field);
        QFETCH(double, expected);
        startWithControls(throttle, 1, 1);
        settle(60000);
        const float value = engineField(field);
        QVERIFY2(std::fabs(value - expected) <= 0.05, qPrintable(QString::number(value, 'g', 9)));
    }

    void approachLimited_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("target");
        QTest::addColumn<double>("limit");
        QTest::addColumn<double>("expected");
        QTest::newRow("far below: full step up") << 0.0 << 41.3 << 2.3 << 2.3;
        QTest::newRow("far above: full step down") << 50.0 << 41.3 << 2.3 << 47.7;
        QTest::newRow("within reach below: lands") << 40.0 << 41.3 << 2.3 << 41.3;
        QTest::newRow("within reach above: lands") << 41.5 << 41.3 << 2.3 << 41.3;
        QTest::newRow("exactly one step away") << 10.0 << 10.3 << 0.3 << 10.3;
        QTest::newRow("at target stays") << 41.3 << 41.3 << 2.3 << 41.3;
    }

    void approachLimited() {
        QFETCH(double, value);
        QFETCH(double, target);
        QFETCH(double, limit);
        QFETCH(double, expected);
        QCOMPARE(::approachLimited(value, target, limit), expected);
    }

    void approachTargetAtTargetStays() {
        QCOMPARE(approachTarget(900.0, 900.0, 0.2838, 1.2433), 900.0);
        QVERIFY(approachTarget(900.0, 938.8, 0.2838, 1.2433) > 900.0);
        QVERIFY(approachTarget(938.8, 900.0, 0.2838, 1.2433) < 938.8);
    }

    // Whatever the pilot does with the knobs, the pressures and the flow move
    // at their limited rates and the cylinder heads never read below 90 F.
    void stepLimitsHoldUnderAnyControlMovement() {
        startWithControls(0, 1, 1);
        std::uint32_t noise = 12345;
        auto nextPosition = [&noise] {
            noise = noise * 1664525u + 1013904223u;
            return float(noise >> 8) / float(1u << 24);
        };
        for (int tick = 0; tick < 20000; ++tick) {
            if (tick % 40 == 0) {
                instrument().engine.throttle = nextPosition();
                instrument().engine.propeller = nextPosition();
                instrument().engine.mixture = nextPosition();
            }
            const EngineState before = instrument().engine;
            stepEngineModel(instrument().engine);
            QVERIFY(std::fabs(instrument().engine.oilPressure - before.oilPressure) <=
                    2.3f + 1e-5f);
            QVERIFY(std::fabs(instrument().engine.fuelPressure - before.fuelPressure) <=
                    2.3f + 1e-5f);
            QVERIFY(std::fabs(instrument().engine.fuelFlow - before.fuelFlow) <= 0.3f + 1e-5f);
            QVERIFY(instrument().engine.cht >= 90.0f);
            QVERIFY(instrument().engine.leftFuel <= before.leftFuel);
            QVERIFY(instrument().engine.rightFuel <= before.rightFuel);
        }
    }

    void rpmTarget_data() {
        QTest::addColumn<float>("throttle");
        QTest::addColumn<float>("propeller");
        QTest::addColumn<double>("expected");
        QTest::newRow("idle") << 0.0f << 1.0f << 938.8;
        QTest::newRow("below the cap") << 0.5f << 1.0f << 2251.3;
        QTest::newRow("just past the cap") << 0.557f << 1.0f << 2400.0;
        QTest::newRow("full throttle") << 1.0f << 1.0f << 2400.0;
        QTest::newRow("full throttle, coarse propeller") << 1.0f << 0.0f << 1920.0;
        QTest::newRow("capped, coarse propeller") << 0.6f << 0.0f << 1920.0;
        QTest::newRow("half propeller") << 1.0f << 0.5f << 2160.0;
    }

    void rpmTarget() {
        QFETCH(float, throttle);
        QFETCH(float, propeller);
        QFETCH(double, expected);
        startWithControls(throttle, propeller, 1);
        settle(3000);
        QVERIFY2(std::fabs(instrument().engine.rpm - expected) < 0.05,
                 qPrintable(QString::number(instrument().engine.rpm, 'g', 9)));
    }

    // Both tanks dry: the engine runs down smoothly, and the intake sees
    // ambient pressure from the tick after rpm has fallen below 100.
    void fuelStarvation() {
        startWithControls(0.5f, 1, 1);
        instrument().engine.rpm = 2200;
        instrument().engine.leftFuel = 0;
        instrument().engine.rightFuel = 0;
        int belowHundredAt = -1;
        for (int tick = 0; tick < 5000 && belowHundredAt < 0; ++tick) {
            const EngineState before = instrument().engine;
            stepEngineModel(instrument().engine);
            QVERIFY(instrument().engine.rpm < before.rpm);
            QVERIFY(instrument().engine.rpm >= 0);
            QCOMPARE(instrument().engine.leftFuel, 0.0f);
            if (instrument().engine.rpm < 100)
                belowHundredAt = tick;
            else
                QVERIFY(instrument().engine.manifoldPressure <
                        25.0f); // still on the throttle's target
        }
        QVERIFY(belowHundredAt > 0);
        const float mapBefore = instrument().engine.manifoldPressure;
        stepEngineModel(instrument().engine);
        QCOMPARE(instrument().engine.manifoldPressure,
                 float(approachTarget(mapBefore, 29.92, 2.1871, 0.8065)));
        for (int tick = 0; tick < 3000; ++tick)
            stepEngineModel(instrument().engine);
        QVERIFY(instrument().engine.rpm < 1.0f);
        QVERIFY(std::fabs(instrument().engine.manifoldPressure - 29.92) < 0.01);
    }

    void chtNeverBelowFloor() {
        startWithControls(0, 1, 1);
        instrument().engine.cht = 50; // a cold head (below the floor) is lifted to it at once
        stepEngineModel(instrument().engine);
        QCOMPARE(instrument().engine.cht, 90.0f);
    }

    // A lean mixture at low rpm gives a negative flow figure; it must never
    // refill the tanks.
    void negativeFuelFlowAddsNoFuel() {
        startWithControls(0, 1, 0);
        instrument().engine.rpm = 100;
        instrument().engine.fuelFlow = -2.0f;
        const float left = instrument().engine.leftFuel;
        const float right = instrument().engine.rightFuel;
        stepEngineModel(instrument().engine);
        QVERIFY(instrument().engine.fuelFlow < 0.0f);
        QCOMPARE(instrument().engine.leftFuel, left);
        QCOMPARE(instrument().engine.rightFuel, right);
    }

    void emptyTankStaysAtZero() {
        startWithControls(1, 1, 1);
        instrument().engine.leftFuel = 0.0001f;
        instrument().engine.rightFuel = 20;
        stepEngineModel(instrument().engine);
        QCOMPARE(instrument().engine.leftFuel, 0.0f);
        QVERIFY(instrument().engine.rightFuel < 20.0f);
        QVERIFY(instrument().engine.rpm > 900.0f); // one tank still feeds the engine
    }
};

QTEST_APPLESS_MAIN(EngineModelTest)
#include "tst_engine_model.moc"
