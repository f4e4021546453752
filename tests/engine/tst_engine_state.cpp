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
            instrument().engine.*field.member = -123.25f;
        fillCylinderSpreads(instrument().engine,
                            std::array<int, 24>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                                13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24});
        const EngineState scrambled = instrument().engine;
        instrument().engine.selectedCylinder = 4;
        instrument().engine.demoMode = 1;
        instrument().engine.muted = 1;
        instrument().model.sweep.rising[3] = false;

        resetEngineState(instrument().engine);

        const EngineState start;
        for (std::size_t i = 0; i < engineFloatFields.size(); ++i) {
            const auto member = engineFloatFields[i].member;
            const float expected = i < engineValueCount ? start.*member : -123.25f;
            QCOMPARE(instrument().engine.*member, expected);
        }
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(instrument().engine.egtSpread[i], scrambled.egtSpread[i]);
            QCOMPARE(instrument().engine.chtSpread[i], scrambled.chtSpread[i]);
        }
        QCOMPARE(instrument().engine.selectedCylinder, std::uint8_t(4));
        QCOMPARE(instrument().engine.demoMode, 1);
        QCOMPARE(instrument().engine.muted, 1);
        QCOMPARE(instrument().model.sweep.rising[3], false);
        instrument().model.sweep.rising[3] = true;
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
        fillCylinderSpreads(instrument().engine, draws);
        for (int i = 0; i < 6; ++i) {
            QVERIFY(std::fabs(instrument().engine.egtSpread[i] - expected) < 1e-15);
            QVERIFY(std::fabs(instrument().engine.chtSpread[i] - expected) < 1e-15);
        }
        if (magnitude == 0)
            QCOMPARE(instrument().engine.egtSpread[0], 1.0);
    }

    // Magnitude then sign, six EGT cylinders first, then six CHT cylinders.
    void drawOrder() {
        std::array<int, 24> draws{};
        for (int i = 0; i < 12; ++i) {
            draws[2 * i] = 1000 * (i + 1);
            draws[2 * i + 1] = i; // even for cylinders 0, 2, 4: below 1
        }
        fillCylinderSpreads(instrument().engine, draws);
        for (int i = 0; i < 12; ++i) {
            const double m = 1000.0 * (i + 1) / 32767.0 * 0.08;
            const double expected = i % 2 == 0 ? 1 - m : 1 + m;
            const double actual =
                i < 6 ? instrument().engine.egtSpread[i] : instrument().engine.chtSpread[i - 6];
            QVERIFY2(std::fabs(actual - expected) < 1e-15, qPrintable(QString::number(i)));
        }
    }

    // The generator is the portable C library one: seed 1 draws 16838, 5758,
    // 10113, 17515, ...; a seed always gives the same factors.
    void seededSpreads() {
        generateCylinderSpreadsFromSeed(instrument().engine, 1);
        QVERIFY(std::fabs(instrument().engine.egtSpread[0] - (1 - 16838 / 32767.0 * 0.08)) < 1e-15);
        QVERIFY(std::fabs(instrument().engine.egtSpread[1] - (1 + 10113 / 32767.0 * 0.08)) < 1e-15);
        const EngineState first = instrument().engine;
        generateCylinderSpreadsFromSeed(instrument().engine, 2);
        QVERIFY(instrument().engine.egtSpread[0] != first.egtSpread[0]);
        generateCylinderSpreadsFromSeed(instrument().engine, 1);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(instrument().engine.egtSpread[i], first.egtSpread[i]);
            QCOMPARE(instrument().engine.chtSpread[i], first.chtSpread[i]);
        }
        for (std::uint32_t seed : {0u, 7u, 1700000000u, 0xFFFFFFFFu}) {
            generateCylinderSpreadsFromSeed(instrument().engine, seed);
            for (int i = 0; i < 6; ++i) {
                QVERIFY(instrument().engine.egtSpread[i] >= 0.92 &&
                        instrument().engine.egtSpread[i] <= 1.08);
                QVERIFY(instrument().engine.chtSpread[i] >= 0.92 &&
                        instrument().engine.chtSpread[i] <= 1.08);
            }
        }
    }
};

QTEST_APPLESS_MAIN(EngineStateTest)
#include "tst_engine_state.moc"
