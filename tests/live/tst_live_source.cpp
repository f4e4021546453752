// The instrument driven by a fake simulator on loopback: the shell ticks a
// LiveSource as the program does, on a clock the test moves by hand.

#include "tests/support/RecordingAudio.h"
#include "tests/support/ShellFixture.h"

#include "LiveTestSupport.h"
#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "live/LiveSource.h"
#include "live/XPlaneDatarefs.h"
#include "live/fake/FakeEngine.h"
#include "live/fake/FakeFlightGear.h"
#include "live/fake/FakeXPlane.h"
#include "panel/PanelArtwork.h"
#include "sound/EngineSound.h"
#include "sound/PlaybackFrequency.h"

#include <QElapsedTimer>
#include <QTest>
#include <QUdpSocket>

#include <cmath>
#include <memory>

namespace {

// A fake simulator and the options that make the monitor listen for it.
class Simulator {
public:
    virtual ~Simulator() = default;
    virtual LiveOptionTexts options() const = 0;
    virtual quint16 port() const = 0;
    // One packet of the fake engine at that moment; false while it cannot
    // be sent yet (X-Plane answers only what was asked of it).
    virtual bool send(double seconds) = 0;
    // A packet in which the simulator says it has no rpm, in its own way.
    virtual QByteArray noRpm(const QByteArray& how) const = 0;
    virtual void sendRaw(const QByteArray& packet) = 0;
};

class XPlane final : public Simulator {
public:
    LiveOptionTexts options() const override {
        LiveOptionTexts texts;
        texts.xplane = QStringLiteral("127.0.0.1:%1").arg(port());
        return texts;
    }
    quint16 port() const override { return fake.endpoint().port; }
    bool send(double seconds) override {
        fake.receive();
        if (fake.subscriptions().size() < xplaneDefaultDatarefCount)
            return false;
        fake.sendEngine(seconds);
        return true;
    }
    QByteArray noRpm(const QByteArray& how) const override {
        const float value = how == "-999" ? -999.0f : how.toFloat();
        return rrefAnswer({{0, value}, {1, 24.0f}});
    }
    void sendRaw(const QByteArray& packet) override { fake.sendRaw(packet); }

    FakeXPlane fake;
};

// A port nobody holds now, for the monitor to listen on.
quint16 freeUdpPort() {
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

class FlightGear final : public Simulator {
public:
    LiveOptionTexts options() const override {
        LiveOptionTexts texts;
        texts.flightgear = QString::number(port());
        return texts;
    }
    quint16 port() const override { return port_; }
    bool send(double seconds) override {
        fake.sendEngine(seconds);
        return true;
    }
    QByteArray noRpm(const QByteArray& how) const override {
        QList<QByteArray> fields = FakeFlightGear::engineLine(0).trimmed().split(',');
        fields[0] = how;
        return fields.join(',') + '\n';
    }
    void sendRaw(const QByteArray& packet) override { fake.sendRaw(packet); }

    quint16 port_ = freeUdpPort();
    FakeFlightGear fake{{QHostAddress(QHostAddress::LocalHost), port_}};
};

std::unique_ptr<Simulator> makeSimulator(const QString& name) {
    if (name == "X-Plane")
        return std::make_unique<XPlane>();
    return std::make_unique<FlightGear>();
}

QString title(const QString& status) {
    return status + QStringLiteral(" \u2014 Corvane Zentor Demo");
}

float fake(Quantity quantity, double seconds) {
    return float(fakeEngineValue(quantity, seconds));
}

} // namespace

class LiveSourceTest : public QObject {
    Q_OBJECT

    double now = 1000;
    RecordingDevice audio;
    std::unique_ptr<Simulator> simulator;
    std::unique_ptr<LiveSource> source;
    std::unique_ptr<OpenShell> shell;

    RecordingBuffer& loop() { return *audio.buffers.back(); }
    std::uint64_t validPackets() const { return source->link().counters().validPackets; }

    // Sends the fake engine at `seconds` and ticks until the source has taken
    // it, for at most two seconds of real time; the link's clock stands still.
    bool deliver(double seconds) {
        const std::uint64_t before = validPackets();
        bool sent = false;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 2000) {
            sent = sent || simulator->send(seconds);
            shell->tick();
            if (validPackets() > before)
                return true;
            QTest::qWait(2);
        }
        return false;
    }

    // Every engine value no data; the knobs are not values and stay put.
    static bool everyValueNoData() {
        return instrument().engine.noData.count() == quantityCount - 3;
    }

    void expectFollows(double seconds) {
        QCOMPARE(instrument().engine.rpm, fake(Quantity::rpm, seconds));
        QVERIFY(!instrument().engine.lacks(Quantity::manifoldPressure));
        QVERIFY(qAbs(instrument().engine.throttle - fake(Quantity::throttle, seconds)) < 1e-5f);
        QVERIFY(qAbs(instrument().engine.mixture - fake(Quantity::mixture, seconds)) < 1e-5f);
        shell->tick(); // the sound follows the rpm the previous tick left
        QVERIFY(loop().playing);
        QCOMPARE(loop().pitch, engineSoundFrequency(fake(Quantity::rpm, seconds),
                                                    instrument().sound.baseFrequency));
    }

private slots:
    void initTestCase() {
        setAudioDevice(&audio);
        loadPanelArtwork(instrument().artwork);
    }

    void cleanupTestCase() {
        setAudioDevice(nullptr);
        freePanelArtwork(instrument().artwork);
    }

    void cleanup() {
        shell.reset();
        setEngineSource(nullptr);
        source.reset();
        simulator.reset();
    }

    void followsTheSimulatorAndShowsItsSilence_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("X-Plane") << "X-Plane"
                                 << "X-Plane at 127.0.0.1:%1";
        QTest::newRow("FlightGear") << "FlightGear"
                                    << "FlightGear on UDP 127.0.0.1:%1";
    }

    void followsTheSimulatorAndShowsItsSilence() {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        simulator = makeSimulator(name);
        std::string error;
        source = openLiveSource(simulator->options(), &error, [this] { return now; });
        QVERIFY2(source, error.c_str());
        const QString live = title(shown.arg(simulator->port()));
        const QString waiting = title("Waiting for " + shown.arg(simulator->port()));

        // Opened as the program opens it: the source steps once before the
        // first frame, so that neither the screen nor the sound ever shows the
        // model's start values.
        setEngineSource(source.get());
        shell = std::make_unique<OpenShell>();
        source->step(instrument().engine);
        shell->tick();
        QCOMPARE(shell->window.windowTitle(), waiting);
        QVERIFY(everyValueNoData());
        QVERIFY(!loop().playing);
        QCOMPARE(instrument().engine.throttle, 0.0f); // where the window opens it

        QVERIFY(deliver(0));
        QCOMPARE(shell->window.windowTitle(), live);
        expectFollows(0);
        QVERIFY(deliver(7.5)); // a quarter period on: rpm and throttle at their peaks
        expectFollows(7.5);
        const float throttle = instrument().engine.throttle;

        now += 1.99;
        shell->tick();
        QCOMPARE(shell->window.windowTitle(), live);
        QVERIFY(!instrument().engine.lacks(Quantity::rpm));
        now += 0.01; // two seconds without a valid packet
        shell->tick();
        QCOMPARE(shell->window.windowTitle(), waiting);
        QVERIFY(everyValueNoData());
        QCOMPARE(instrument().engine.throttle, throttle);
        shell->tick();
        QVERIFY(!loop().playing);

        now += 30;
        QVERIFY(deliver(22.5));
        QCOMPARE(shell->window.windowTitle(), live);
        expectFollows(22.5);
    }

    // A simulator's way of saying "no value" (X-Plane's -999, NaN, infinity)
    // shows as no data on the next frame: no needle, dashes, no sound.
    void noValueWithinOneFrame_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("how");
        for (const char* name : {"X-Plane", "FlightGear"})
            for (const char* how : {"-999", "nan", "inf", "-inf"})
                QTest::addRow("%s %s", name, how) << QString(name) << QByteArray(how);
    }

    void noValueWithinOneFrame() {
        QFETCH(QString, name);
        QFETCH(QByteArray, how);
        simulator = makeSimulator(name);
        std::string error;
        source = openLiveSource(simulator->options(), &error, [this] { return now; });
        QVERIFY2(source, error.c_str());
        setEngineSource(source.get());
        shell = std::make_unique<OpenShell>();
        source->step(instrument().engine);
        QVERIFY(deliver(7.5));
        expectFollows(7.5);
        const std::uint64_t before = validPackets();
        simulator->sendRaw(simulator->noRpm(how));
        QElapsedTimer waited;
        waited.start();
        while (validPackets() == before && waited.elapsed() < 2000) {
            QTest::qWait(2);
            shell->tick();
        }
        QCOMPARE(validPackets(), before + 1);
        QVERIFY(instrument().engine.lacks(Quantity::rpm));
        shell->tick(); // the sound follows what the previous tick left
        QVERIFY(!loop().playing);
    }

    // What the program opens before its window: the model without the
    // options (no source, no error), else a source or one line saying why not.
    void opensOnlyWhenAsked_data() {
        QTest::addColumn<QString>("flightgear");
        QTest::addColumn<QString>("listen");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("error");
        QTest::newRow("no options") << ""
                                    << "" << false << "";
        QTest::newRow("free port") << "free"
                                   << "" << true << "";
        QTest::newRow("port taken") << "taken"
                                    << "" << false << "cannot listen for FlightGear";
        QTest::newRow("--listen alone") << ""
                                        << "127.0.0.1" << false << "--listen needs";
    }

    void opensOnlyWhenAsked() {
        QFETCH(QString, flightgear);
        QFETCH(QString, listen);
        QFETCH(bool, opens);
        QFETCH(QString, error);
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress(QHostAddress::LocalHost), 0));
        LiveOptionTexts texts;
        texts.listen = listen;
        if (flightgear == "taken")
            texts.flightgear = QString::number(holder.localPort());
        else if (flightgear == "free")
            texts.flightgear = QString::number(freeUdpPort());
        std::string why = "untouched";
        const std::unique_ptr<LiveSource> opened = openLiveSource(texts, &why);
        QCOMPARE(bool(opened), opens);
        QVERIFY2(QString::fromStdString(why).startsWith(error), why.c_str());
        QVERIFY(error.isEmpty() == why.empty());
        QVERIFY(!QString::fromStdString(why).contains('\n'));
    }
};

QTEST_MAIN(LiveSourceTest)
#include "tst_live_source.moc"
