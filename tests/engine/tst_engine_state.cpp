#include "EngineTestSupport.h"

#include <QTest>

#include <array>
#include <cmath>

class EngineStateTest : public QObject {
    Q_OBJECT

private slots:
    // The reset restores all sixteen engine values and nothing else.
    void resetRestoresEngineValuesOnly() {
        resetInstrument();
        for (const EngineFloatField& field : engineFloatFields)
            engineState.*field.member = -123.25f;
        fillCylinderSpreads(std::array<int, 24>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                                13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24});
        const EngineState scrambled = engineState;
        engineState.selectedCylinder = 4;
        engineState.demoMode = 1;
        engineState.muted = 1;
        sweepDirections()[3] = false;

        resetEngineState();

        const EngineState start;
        for (std::size_t i = 0; i < engineFloatFields.size(); ++i) {
            const auto member = engineFloatFields[i].member;
            const float expected = i < engineValueCount ? start.*member : -123.25f;
            QCOMPARE(engineState.*member, expected);
        }
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(engineState.egtSpread[i], scrambled.egtSpread[i]);
            QCOMPARE(engineState.chtSpread[i], scrambled.chtSpread[i]);
        }
        QCOMPARE(engineState.selectedCylinder, std::uint8_t(4));
        QCOMPARE(engineState.demoMode, 1);
        QCOMPARE(engineState.muted, 1);
        QCOMPARE(sweepDirections()[3], false);
        sweepDirections()[3] = true;
    }

    void spreadFromDraws_data() {
        QTest::addColumn<int>("magnitude");
        QTest::addColumn<int>("sign");
        QTest::addColumn<double>("expected");
        QTest::newRow("zero draw, even sign") << 0 << 0 << 1.0;
        QTest::newRow("zero draw, odd sign") << 0 << 1 << 1.0;
        QTest::newRow("largest draw, even sign") << 32767 << 2 << 0.92;
        QTest::newRow("largest draw, odd sign") << 32767 << 32767 << 1.08;
        QTest::newRow("half draw, odd sign") << 16384 << 3 << 1.0 + 16384 / 32767.0 * 0.08;
    }

    void spreadFromDraws() {
        QFETCH(int, magnitude);
        QFETCH(int, sign);
        QFETCH(double, expected);
        std::array<int, 24> draws{};
        for (int i = 0; i < 12; ++i) {
            draws[2 * i] = magnitude;
            draws[2 * i + 1] = sign;
        }
        fillCylinderSpreads(draws);
        for (int i = 0; i < 6; ++i) {
            QVERIFY(std::fabs(engineState.egtSpread[i] - expected) < 1e-15);
            QVERIFY(std::fabs(engineState.chtSpread[i] - expected) < 1e-15);
        }
        if (magnitude == 0)
            QCOMPARE(engineState.egtSpread[0], 1.0);
    }

    // Magnitude then sign, six EGT cylinders first, then six CHT cylinders.
    void drawOrder() {
        std::array<int, 24> draws{};
        for (int i = 0; i < 12; ++i) {
            draws[2 * i] = 1000 * (i + 1);
            draws[2 * i + 1] = i; // even for cylinders 0, 2, 4: below 1
        }
        fillCylinderSpreads(draws);
        for (int i = 0; i < 12; ++i) {
            const double m = 1000.0 * (i + 1) / 32767.0 * 0.08;
            const double expected = i % 2 == 0 ? 1 - m : 1 + m;
            const double actual = i < 6 ? engineState.egtSpread[i] : engineState.chtSpread[i - 6];
            QVERIFY2(std::fabs(actual - expected) < 1e-15, qPrintable(QString::number(i)));
        }
    }

    // The generator is the portable C library one: seed 1 draws 16838, 5758,
    // 10113, 17515, ...; a seed always gives the same factors.
    void seededSpreads() {
        generateCylinderSpreadsFromSeed(1);
        QVERIFY(std::fabs(engineState.egtSpread[0] - (1 - 16838 / 32767.0 * 0.08)) < 1e-15);
        QVERIFY(std::fabs(engineState.egtSpread[1] - (1 + 10113 / 32767.0 * 0.08)) < 1e-15);
        const EngineState first = engineState;
        generateCylinderSpreadsFromSeed(2);
        QVERIFY(engineState.egtSpread[0] != first.egtSpread[0]);
        generateCylinderSpreadsFromSeed(1);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(engineState.egtSpread[i], first.egtSpread[i]);
            QCOMPARE(engineState.chtSpread[i], first.chtSpread[i]);
        }
        for (std::uint32_t seed : {0u, 7u, 1700000000u, 0xFFFFFFFFu}) {
            generateCylinderSpreadsFromSeed(seed);
            for (int i = 0; i < 6; ++i) {
                QVERIFY(engineState.egtSpread[i] >= 0.92 && engineState.egtSpread[i] <= 1.08);
                QVERIFY(engineState.chtSpread[i] >= 0.92 && engineState.chtSpread[i] <= 1.08);
            }
        }
    }
};

QTEST_APPLESS_MAIN(EngineStateTest)
#include "tst_engine_state.moc"
