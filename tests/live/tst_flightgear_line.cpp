#include "LiveTestSupport.h"

#include "live/FlightGearProtocol.h"
#include "live/fake/FakeFlightGear.h"

namespace {

// Fields in the protocol file's order: rpm, MAP, oil temp, oil press, fuel
// press, fuel flow, EGT, CHT, left, right, volts, amps, OAT, throttle,
// propeller, mixture.
const QByteArray cruise = "2400,25.5,180,60,24,12.5,1350,360,20,18,28.1,5,59,0.7,1,0.8";
const QString cruiseValues =
    "rpm=2400 manifoldPressure=25.5 oilTemp=180 oilPressure=60 fuelPressure=24 "
    "fuelFlow=12.5 egt=1350 cht=360 leftFuel=20 rightFuel=18 volts=28.1 amps=5 oat=59 "
    "throttle=0.7 propeller=1 mixture=0.8";

QByteArray withField(int index, const QByteArray& field) {
    QList<QByteArray> fields = cruise.split(',');
    fields[index] = field;
    return fields.join(',') + '\n';
}

QString without(const QString& values, const QString& name) {
    QStringList kept;
    for (const QString& item : values.split(' '))
        if (item.section('=', 0, 0) != name)
            kept << item;
    return kept.join(' ');
}

} // namespace

class FlightGearLineTest : public QObject {
    Q_OBJECT

private slots:
    void line_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("ignored");
        QTest::newRow("every field") << cruise + '\n' << true << cruiseValues << "";
        // Lines FlightGear 2020.3 sent with our protocol file, its default
        // trainer cold and dark (before and after the flight model ran), then
        // with its engine started.
        QTest::newRow("FlightGear 2020.3 starting")
            << QByteArray("0,,,,,,,,0,0,,0,94.65803384,0,1,1\n") << true
            << "rpm=0 leftFuel=0 rightFuel=0 amps=0 oat=94.658 throttle=0 propeller=1 mixture=1"
            << "";
        QTest::newRow("FlightGear 2020.3 cold and dark")
            << QByteArray("0,29.81776045,59.26965198,0,,0,59.26482402,59.26264988,5.370708749,5."
                          "370708749,0,0,"
                          "58.77858292,0,1,0\n")
            << true
            << "rpm=0 manifoldPressure=29.8178 oilTemp=59.2697 oilPressure=0 fuelFlow=0 "
               "egt=59.2648 cht=59.2626 "
               "leftFuel=5.37071 rightFuel=5.37071 volts=0 amps=0 oat=58.7786 throttle=0 "
               "propeller=1 mixture=0"
            << "";
        QTest::newRow("FlightGear 2020.3 engine running")
            << QByteArray(
                   "787.1306721,9.338830655,62.08265724,49.93055109,,0.9956817509,1434.736955,"
                   "102.1561489,5.371954596,5.371954596,27.54942931,6.612397868,68.08460846,0.2,1,"
                   "1\n")
            << true
            << "rpm=787.131 manifoldPressure=9.33883 oilTemp=62.0827 oilPressure=49.9306 "
               "fuelFlow=0.995682 "
               "egt=1434.74 cht=102.156 leftFuel=5.37195 rightFuel=5.37195 volts=27.5494 "
               "amps=6.6124 oat=68.0846 "
               "throttle=0.2 propeller=1 mixture=1"
            << "";
        QTest::newRow("an empty field is a property the aircraft lacks")
            << withField(4, "") << true << without(cruiseValues, "fuelPressure") << "";
        QTest::newRow("negative amps, exponent")
            << withField(11, "-1.5e1") << true << without(cruiseValues, "amps") + " amps=-15"
            << "";
        QTest::newRow("nan") << withField(0, "nan") << true << without(cruiseValues, "rpm")
                             << "non-finite value=1";
        QTest::newRow("inf") << withField(6, "-inf") << true << without(cruiseValues, "egt")
                             << "non-finite value=1";
        QTest::newRow("absurd rpm")
            << withField(0, "99999") << true << without(cruiseValues, "rpm") << "absurd value=1";
        QTest::newRow("throttle past the stop")
            << withField(13, "1.2") << true << without(cruiseValues, "throttle")
            << "absurd value=1";
        QTest::newRow("fifteen fields") << cruise.left(cruise.lastIndexOf(',')) + '\n'
                                        << false << ""
                                        << "too few fields=1";
        QTest::newRow("seventeen fields") << cruise + ",1\n"
                                          << false << ""
                                          << "too many fields=1";
        QTest::newRow("a newline alone") << QByteArray("\n") << false << ""
                                         << "too few fields=1";
        QTest::newRow("no newline") << cruise << false << ""
                                    << "bad field=1";
        QTest::newRow("carriage return") << cruise + "\r\n"
                                         << false << ""
                                         << "bad field=1";
        QTest::newRow("two lines in one packet") << cruise + '\n' + cruise + '\n'
                                                 << false << ""
                                                 << "bad field=1";
        QTest::newRow("empty packet") << QByteArray() << false << ""
                                      << "bad field=1";
        QTest::newRow("a word") << withField(2, "hot") << false << ""
                                << "bad field=1";
        QTest::newRow("a boolean") << withField(13, "true") << false << ""
                                   << "bad field=1";
        QTest::newRow("a number and more") << withField(1, "25.5in") << false << ""
                                           << "bad field=1";
        QTest::newRow("leading space") << withField(1, " 25.5") << false << ""
                                       << "bad field=1";
        QTest::newRow("past double range") << withField(0, "1e999") << false << ""
                                           << "bad field=1";
        QTest::newRow("a field of 49 digits") << withField(0, QByteArray(49, '1')) << false << ""
                                              << "bad field=1";
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\x13,\x80\n", 6) << false << ""
                                        << "bad field=1";
        QTest::newRow("longer than 1024 bytes") << QByteArray(1025, ',') << false << ""
                                                << "oversized=1";
    }

    void line() {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, valid);
        QFETCH(QString, values);
        QFETCH(QString, ignored);
        EngineSample latest;
        LiveCounters counters;
        QCOMPARE(readFlightGearLine(bytesOf(datagram), latest, counters), valid);
        QCOMPARE(countersMismatch(counters, ignored), QString());
        QCOMPARE(sampleMismatch(latest, values), QString());
    }

    // A broken line changes nothing: the last good values stay.
    void brokenLineKeepsTheLastValues() {
        EngineSample latest;
        LiveCounters counters;
        QVERIFY(readFlightGearLine(bytesOf(cruise + '\n'), latest, counters));
        QVERIFY(!readFlightGearLine(bytesOf(withField(3, "x")), latest, counters));
        QCOMPARE(sampleMismatch(latest, cruiseValues), QString());
    }

    // The fake simulator's line is a line of the protocol, whatever the moment.
    void fakeLineReads() {
        for (double t = 0; t < 700; t += 7.3) {
            EngineSample latest;
            LiveCounters counters;
            QVERIFY(readFlightGearLine(bytesOf(FakeFlightGear::engineLine(t)), latest, counters));
            QCOMPARE(countersMismatch(counters, ""), QString());
            QCOMPARE(int(latest.present.count()), int(flightGearPropertyCount));
        }
    }
};

QTEST_GUILESS_MAIN(FlightGearLineTest)
#include "tst_flightgear_line.moc"
