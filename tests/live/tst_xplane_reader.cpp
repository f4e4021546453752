#include "LiveTestSupport.h"

#include "live/XPlaneReader.h"

#include <limits>

class XPlaneReaderTest : public QObject {
    Q_OBJECT

private slots:
    // The request X-Plane documents: 413 bytes, little-endian throughout.
    void request() {
        const auto request =
            encodeRrefRequest(15, 258, "sim/cockpit2/engine/indicators/MPR_in_hg[0]");
        QVERIFY(request);
        const QByteArray bytes(reinterpret_cast<const char*>(request->data()),
                               qsizetype(request->size()));
        QCOMPARE(bytes.size(), 413);
        QCOMPARE(bytes.left(13), QByteArray("RREF\0\x0f\0\0\0\x02\x01\0\0", 13));
        QCOMPARE(bytes.mid(13, 44),
                 QByteArray("sim/cockpit2/engine/indicators/MPR_in_hg[0]\0", 44));
        QCOMPARE(bytes.mid(57), QByteArray(413 - 57, '\0'));
    }

    void requestPathMustFitItsField_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("fits");
        QTest::newRow("399 bytes: room for the ending zero") << QByteArray(399, 'a') << true;
        QTest::newRow("400 bytes: no ending zero") << QByteArray(400, 'a') << false;
        QTest::newRow("a zero byte inside") << QByteArray("sim/a\0b", 7) << false;
    }

    void requestPathMustFitItsField() {
        QFETCH(QByteArray, path);
        QFETCH(bool, fits);
        const auto request =
            encodeRrefRequest(15, 0, std::string_view(path.constData(), std::size_t(path.size())));
        QCOMPARE(bool(request), fits);
        if (fits) {
            const auto fields = decodeRrefRequest(*request);
            QVERIFY(fields);
            QCOMPARE(QByteArray(fields->path.data(), qsizetype(fields->path.size())), path);
        }
    }

    // Indexes are rows of the default table: 0 rpm, 1 manifold pressure,
    // 2 oil temperature (degC), 5 fuel flow (kg/s), 8 left fuel (kg),
    // 12 outside air (degC), 13 throttle.
    void answer_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("ignored");
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        const QByteArray good = rrefAnswer({{0, 2400}, {1, 25.5f}});

        QTest::newRow("two values") << good << true << "rpm=2400 manifoldPressure=25.5"
                                    << "";
        QTest::newRow("oil 100 C is 212 F") << rrefAnswer({{2, 100}}) << true << "oilTemp=212"
                                            << "";
        QTest::newRow("outside air -40 C is -40 F") << rrefAnswer({{12, -40}}) << true << "oat=-40"
                                                    << "";
        QTest::newRow("0.01 kg/s of avgas is 13.23 gal/h")
            << rrefAnswer({{5, 0.01f}}) << true << "fuelFlow=13.2277"
            << "";
        QTest::newRow("54.43 kg of avgas is 20 gal")
            << rrefAnswer({{8, 54.4311f}}) << true << "leftFuel=20"
            << "";
        QTest::newRow("throttle at the stops")
            << rrefAnswer({{13, 0}, {14, 1}}) << true << "throttle=0 propeller=1"
            << "";
        QTest::newRow("empty datagram") << QByteArray() << false << ""
                                        << "wrong magic=1";
        QTest::newRow("wrong magic") << QByteArray("DATA*").append(good.mid(5)) << false << ""
                                     << "wrong magic=1";
        QTest::newRow("header only") << good.left(5) << false << ""
                                     << "too short=1";
        QTest::newRow("header and half a pair") << good.left(9) << false << ""
                                                << "too short=1";
        QTest::newRow("pairs and three bytes") << good + QByteArray(3, '\0') << false << ""
                                               << "odd length=1";
        QTest::newRow("longer than 256 pairs")
            << rrefAnswer(std::vector<RrefPair>(257, RrefPair{0, 2400})) << false << ""
            << "oversized=1";
        QTest::newRow("only unknown indexes")
            << rrefAnswer({{16, 1}, {-1, 1}, {1 << 30, 1}}) << false << ""
            << "unknown index=3";
        QTest::newRow("unknown beside known")
            << rrefAnswer({{99, 1}, {0, 2400}}) << true << "rpm=2400"
            << "unknown index=1";
        QTest::newRow("-999 is unused")
            << rrefAnswer({{0, -999}, {1, 25}}) << true << "manifoldPressure=25"
            << "unused value=1";
        QTest::newRow("NaN and infinity")
            << rrefAnswer({{0, nan}, {1, inf}, {2, -inf}}) << true << ""
            << "non-finite value=3";
        QTest::newRow("absurd values") << rrefAnswer({{0, 1e6f}, {13, 1.5f}, {8, -1}, {1, 25}})
                                       << true << "manifoldPressure=25"
                                       << "absurd value=3";
    }

    // Every answer lands on a sample that already shows an old rpm: what
    // is accepted replaces it, what is refused as a value clears it.
    void answer() {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, valid);
        QFETCH(QString, values);
        QFETCH(QString, ignored);
        const XPlaneReader reader(defaultDatarefMap());
        EngineSample latest;
        LiveCounters counters;
        QCOMPARE(reader.read(bytesOf(datagram), latest, counters), valid);
        QCOMPARE(countersMismatch(counters, ignored), QString());
        QCOMPARE(sampleMismatch(latest, values), QString());
        QCOMPARE(counters.validPackets, valid ? 1u : 0u);
    }

    void refusedValueClearsTheOldReading_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("kept");
        QTest::newRow("a new reading replaces it") << 2100.0f << true;
        QTest::newRow("unused clears it") << -999.0f << false;
        QTest::newRow("NaN clears it") << std::numeric_limits<float>::quiet_NaN() << false;
        QTest::newRow("absurd clears it") << -5.0f << false;
    }

    void refusedValueClearsTheOldReading() {
        QFETCH(float, value);
        QFETCH(bool, kept);
        const XPlaneReader reader(defaultDatarefMap());
        EngineSample latest;
        LiveCounters counters;
        latest.set(Quantity::rpm, 2400);
        reader.read(bytesOf(rrefAnswer({{0, value}})), latest, counters);
        QCOMPARE(latest.has(Quantity::rpm), kept);
    }

    // A mapping file's table decides what an index means.
    void indexesFollowTheTableInUse() {
        const XPlaneReader reader({{Quantity::egt3, "plugin/egt[2]", Unit::kelvin}});
        EngineSample latest;
        LiveCounters counters;
        QVERIFY(reader.read(bytesOf(rrefAnswer({{0, 1000}, {1, 2400}})), latest, counters));
        QCOMPARE(sampleMismatch(latest, "egt3=1340.33"), QString());
        QCOMPARE(countersMismatch(counters, "unknown index=1"), QString());
    }
};

QTEST_GUILESS_MAIN(XPlaneReaderTest)
#include "tst_xplane_reader.moc"
