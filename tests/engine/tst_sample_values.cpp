// An outside source's values into the engine record, and the record's values
// as a recording keeps them: units, cylinders, power, knobs and no data.

#include "EngineTestSupport.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/CylinderTemperatures.h"
#include "engine/EnginePower.h"
#include "engine/SampleValues.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Reported {
    Quantity quantity;
    float value;
};

EngineSample sampleOf(const std::vector<Reported>& values) {
    EngineSample sample;
    for (const Reported& row : values)
        sample.set(row.quantity, row.value);
    return sample;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Reported>)

class SampleValuesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetInstrument(); }

    void valuesIntoTheRecord_data() {
        QTest::addColumn<std::vector<Reported>>("reported");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("expected");
        QTest::newRow("rpm as it is")
            << std::vector<Reported>{{Quantity::rpm, 2310}} << QByteArray("rpm") << 2310.0;
        QTest::newRow("oil temperature")
            << std::vector<Reported>{{Quantity::oilTemp, 190}} << QByteArray("oilTemp") << 190.0;
        QTest::newRow("outside air F to the record's C")
            << std::vector<Reported>{{Quantity::oat, 59}} << QByteArray("oat") << 15.0;
        QTest::newRow("one EGT F to the record's Rankine")
            << std::vector<Reported>{{Quantity::egt, 1400}} << QByteArray("egtRankine") << 1859.67;
        QTest::newRow("one CHT") << std::vector<Reported>{{Quantity::cht, 355}} << QByteArray("cht")
                                 << 355.0;
        QTest::newRow("percent power at 2400 rpm gives torque")
            << std::vector<Reported>{{Quantity::rpm, 2400}, {Quantity::percentPower, 75}}
            << QByteArray("torque") << 75 / 100.0 * 260 * 5252 / 2400;
        QTest::newRow("reported torque wins over percent power")
            << std::vector<Reported>{{Quantity::rpm, 2400},
                                     {Quantity::percentPower, 75},
                                     {Quantity::torque, 300}}
            << QByteArray("torque") << 300.0;
        QTest::newRow("percent power of a stopped engine")
            << std::vector<Reported>{{Quantity::rpm, 0}, {Quantity::percentPower, 0}}
            << QByteArray("torque") << 0.0;
        QTest::newRow("a reported knob moves")
            << std::vector<Reported>{{Quantity::throttle, 0.4f}} << QByteArray("throttle") << 0.4;
        QTest::newRow("an unreported knob stays put")
            << std::vector<Reported>{{Quantity::rpm, 2000}} << QByteArray("mixture") << 1.0;
    }

    void valuesIntoTheRecord() {
        QFETCH(std::vector<Reported>, reported);
        QFETCH(QByteArray, field);
        QFETCH(double, expected);
        applySample(sampleOf(reported), instrument().engine);
        QVERIFY2(std::fabs(engineField(field) - expected) <= 1e-3 * std::max(1.0, expected),
                 qPrintable(QString("%1 is %2").arg(field).arg(engineField(field))));
    }

    // Everything a sample lacks is no data; the knobs are never "no data",
    // they stay where they were.
    void whatASampleLacksIsNoData_data() {
        QTest::addColumn<std::vector<Reported>>("reported");
        QTest::addColumn<Quantity>("quantity");
        QTest::addColumn<bool>("lacking");
        const std::vector<Reported> rpmOnly{{Quantity::rpm, 2000}};
        QTest::newRow("reported") << rpmOnly << Quantity::rpm << false;
        QTest::newRow("not reported") << rpmOnly << Quantity::oilPressure << true;
        QTest::newRow("torque without power") << rpmOnly << Quantity::torque << true;
        QTest::newRow("power without rpm")
            << std::vector<Reported>{{Quantity::percentPower, 60}} << Quantity::torque << true;
        QTest::newRow("power with rpm")
            << std::vector<Reported>{{Quantity::rpm, 2000}, {Quantity::percentPower, 60}}
            << Quantity::torque << false;
        QTest::newRow("a knob") << rpmOnly << Quantity::throttle << false;
        QTest::newRow("an empty sample") << std::vector<Reported>{} << Quantity::fuelFlow << true;
    }

    void whatASampleLacksIsNoData() {
        QFETCH(std::vector<Reported>, reported);
        QFETCH(Quantity, quantity);
        QFETCH(bool, lacking);
        applySample(sampleOf(reported), instrument().engine);
        QCOMPARE(instrument().engine.lacks(quantity), lacking);
    }

    // One probe per engine spreads over the cylinders as for the model; any
    // per-cylinder value makes every cylinder its own, missing ones no data.
    void cylinderTemperatures_data() {
        QTest::addColumn<std::vector<Reported>>("reported");
        QTest::addColumn<bool>("measured");
        QTest::addColumn<std::vector<int>>("lackingCylinders");
        QTest::newRow("one EGT") << std::vector<Reported>{{Quantity::egt, 1350}} << false
                                 << std::vector<int>{};
        QTest::newRow("no EGT at all")
            << std::vector<Reported>{} << false << std::vector<int>{0, 1, 2, 3, 4, 5};
        QTest::newRow("six EGTs") << std::vector<Reported>{{Quantity::egt1, 1300},
                                                           {Quantity::egt2, 1310},
                                                           {Quantity::egt3, 1320},
                                                           {Quantity::egt4, 1330},
                                                           {Quantity::egt5, 1340},
                                                           {Quantity::egt6, 1350}}
                                  << true << std::vector<int>{};
        QTest::newRow("two of six EGTs")
            << std::vector<Reported>{{Quantity::egt2, 1310}, {Quantity::egt5, 1340}} << true
            << std::vector<int>{0, 2, 3, 5};
    }

    void cylinderTemperatures() {
        QFETCH(std::vector<Reported>, reported);
        QFETCH(bool, measured);
        QFETCH(std::vector<int>, lackingCylinders);
        applySample(sampleOf(reported), instrument().engine);
        QCOMPARE(instrument().engine.egtMeasured, measured);
        const EngineSample sample = sampleOf(reported);
        for (int c = 0; c < cylinderCount; ++c) {
            const bool lacking = std::find(lackingCylinders.begin(), lackingCylinders.end(), c) !=
                                 lackingCylinders.end();
            QCOMPARE(egtMissing(instrument().engine, c), lacking);
            if (measured && !lacking)
                QCOMPARE(shownEgt(instrument().engine, c), double(sample[cylinderEgt(c)]));
        }
    }

    // What a recording keeps of a model tick comes back as the same screen:
    // every value, per cylinder, within single precision.
    void shownValuesComeBack() {
        instrument().engine.throttle = 0.8f;
        instrument().engine.mixture = 0.7f;
        for (int tick = 0; tick < 400; ++tick)
            stepEngine(instrument().engine, instrument().model.sweep);
        const EngineState session = instrument().engine;
        const EngineSample shown = shownValues(session);
        resetInstrument();
        applySample(shown, instrument().engine);
        const EngineSample again = shownValues(instrument().engine);
        for (std::size_t q = 0; q < quantityCount; ++q) {
            const Quantity quantity = Quantity(q);
            QCOMPARE(again.has(quantity), shown.has(quantity));
            if (shown.has(quantity))
                QVERIFY2(std::fabs(again[quantity] - shown[quantity]) <=
                             1e-5f * std::max(1.0f, std::fabs(shown[quantity])),
                         qPrintable(QString("quantity %1").arg(q)));
        }
        // The single-probe columns stay empty: the cylinders carry the figures.
        QVERIFY(!shown.has(Quantity::egt) && shown.has(Quantity::egt6));
        QCOMPARE(shown[Quantity::percentPower],
                 float(percentOfRatedPower(session.torque, session.rpm)));
    }

    // A recording of a source that lacked a value keeps it absent.
    void noDataStaysAbsent() {
        applySample(sampleOf({{Quantity::rpm, 2100}}), instrument().engine);
        const EngineSample shown = shownValues(instrument().engine);
        QVERIFY(shown.has(Quantity::rpm));
        QVERIFY(!shown.has(Quantity::oilTemp));
        QVERIFY(!shown.has(cylinderEgt(0)));
        QVERIFY(!shown.has(Quantity::percentPower));
        QVERIFY(shown.has(Quantity::throttle));
    }
};

QTEST_MAIN(SampleValuesTest)
#include "tst_sample_values.moc"
