// The alarms in the running instrument, through the shell's own tick: the
// model leaned until a cylinder head passes a red line set low, a replayed
// log that goes past it at known times, the chime on the recording audio
// device, acknowledgement by key and by a click on the status bar, and the
// things that raise nothing.

#include "FlightFixture.h"
#include "app/shell/AlarmStartScan.h"
#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/InstrumentKeys.h"
#include "app/shell/PanelControls.h"
#include "engine/EngineModel.h"
#include "engine/SampleValues.h"
#include "logs/ReplaySource.h"
#include "panel/OffscreenPanelWindow.h"
#include "panel/PanelArtwork.h"
#include "sound/AlarmChime.h"
#include "tests/support/HeadlessPlatform.h"
#include "tests/support/InstrumentReset.h"
#include "tests/support/RecordingAudio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every gauge all green but the cylinder heads, red from `redFrom` °F.
AircraftProfile chtRedFrom(double redFrom) {
    AircraftProfile profile = defaultProfile();
    for (GaugeProfile& gauge : profile.gauges) {
        gauge.green = {{gauge.min, gauge.max}};
        gauge.yellow = {};
        gauge.red = {};
    }
    GaugeProfile& cht = profile.gauge(Gauge::cht);
    cht.green = {{cht.min, redFrom}};
    cht.red = {{redFrom, cht.max}};
    return profile;
}

double hottestHead(const EngineState& engine) {
    const EngineSample shown = shownValues(engine);
    double hottest = 0;
    for (int c = 0; c < 6; ++c)
        hottest = std::max(hottest, double(shown[cylinderCht(c)]));
    return hottest;
}

const RecordingBuffer* chimeBuffer(const RecordingDevice& device) {
    for (const auto& buffer : device.buffers)
        if (buffer->bytes.size() == chimeLoop().size() * 2 && !buffer->released)
            return buffer.get();
    return nullptr;
}

bool chiming(const RecordingDevice& device) {
    const RecordingBuffer* buffer = chimeBuffer(device);
    return buffer && buffer->playing;
}

const ScreenAlarms& shown() {
    return instrument().renderer.alarms;
}

// CHT 3 at 350 °F, at 450 from 41 s to 60 s and from 80 s to 89 s, in our
// own recording's columns: against a red line at 400 the warnings start
// where the hold after the crossing (40.5 s, 79.5 s) ends on a tick.
std::string chtExcursions() {
    std::string log = "Time,RPM,CHT3\n";
    for (int second = 0; second <= 120; ++second) {
        const bool hot = (second >= 41 && second <= 60) || (second >= 80 && second <= 89);
        log += std::to_string(second) + ",2400," + (hot ? "450" : "350") + "\n";
    }
    return log;
}
constexpr double firstStart = 655 * 0.065;   // 40.56 s in red, + 31 ticks
constexpr double secondStart = 1255 * 0.065; // 79.56 s in red, + 31 ticks

} // namespace

class InstrumentAlarmsTest : public QObject {
    Q_OBJECT

    RecordingDevice device;
    HeadlessPlatform platform;

    void startWith(const AircraftProfile& profile) {
        instrument().renderer.setAircraft(profile);
        startAlarms(instrument().alarms, profile);
        startShell(platform, testSpreadSeed);
    }

private slots:
    void initTestCase() { loadPanelArtwork(instrument().artwork); }
    void cleanupTestCase() { freePanelArtwork(instrument().artwork); }

    void init() {
        setAudioDevice(&device);
        resetInstrument();
        platform.surface.client = {0, 0, 750, 945}; // panel pixels are client pixels
    }

    void cleanup() {
        setEngineSource(nullptr);
        setAlarmStartScan(nullptr);
        closeShell(platform);
        instrument().alarms = {};
        instrument().renderer.alarms = {};
        instrument().renderer.setAircraft(instrumentProfile);
        setAudioDevice(nullptr);
        device.buffers.clear();
    }

    // Full throttle, then the mixture leaned: the hottest head passes the red
    // line, the warning comes on the tick 2 s later, flashes at about 2 Hz
    // and chimes; acknowledged, it stays red without flash or chime.
    void leanedPastTheRedLine_data() {
        QTest::addColumn<bool>("muted");
        QTest::addColumn<QString>("acknowledge"); // "key" or "click"
        QTest::newRow("A") << false << "key";
        QTest::newRow("a click on the status bar") << false << "click";
        QTest::newRow("Mute ticked: no chime") << true << "key";
    }

    void leanedPastTheRedLine() {
        QFETCH(bool, muted);
        QFETCH(QString, acknowledge);
        startShell(platform, testSpreadSeed);
        EngineState& engine = instrument().engine;
        engine.throttle = 1;
        for (int tick = 0; tick < 20000; ++tick) // warmed up, rich
            stepEngineModel(engine);
        const double redLine = hottestHead(engine) + 2;
        instrument().renderer.setAircraft(chtRedFrom(redLine));
        startAlarms(instrument().alarms, instrument().renderer.aircraft());
        engine.muted = muted ? 1 : 0;
        QVERIFY(pressInstrumentKey(InstrumentKey::chooseMixture, platform));
        for (int tenth = 0; tenth < 10; ++tenth)
            pressInstrumentKey(InstrumentKey::knobOutTenth, platform);
        int ticks = 0;
        while (hottestHead(engine) < redLine && ticks++ < 20000)
            stepInstrument();
        QVERIFY(hottestHead(engine) >= redLine);
        for (int tick = 0; tick < 30; ++tick) {
            QCOMPARE(shown().count, std::size_t(0));
            stepInstrument();
        }
        QCOMPARE(shown().count, std::size_t(0));
        stepInstrument(); // 31 ticks: 2.015 s
        QCOMPARE(shown().count, std::size_t(1));
        QCOMPARE(shown().severity, Severity::warning);
        QVERIFY(QString::fromStdU16String(shown().message).startsWith("CHT "));
        QVERIFY(QString::fromStdU16String(shown().message).contains(" HIGH "));
        const auto flashing = [] {
            return std::any_of(shown().looks.begin(), shown().looks.end(),
                               [](const ReadoutLook& look) { return look.flashes && look.red; });
        };
        QVERIFY(flashing());
        QCOMPARE(chiming(device), !muted);
        int inverse = 0;
        for (std::uint64_t tick = 0; tick < 2 * flashTicks; ++tick) {
            stepInstrument();
            inverse += shown().flashInverse ? 1 : 0;
        }
        QCOMPARE(inverse, int(flashTicks));

        if (acknowledge == "key")
            QVERIFY(pressInstrumentKey(InstrumentKey::acknowledgeAlarms, platform));
        else
            pressLeftButton(instrument(), 300, 518, true);
        stepInstrument();
        QVERIFY(!flashing());
        QVERIFY(std::any_of(shown().looks.begin(), shown().looks.end(),
                            [](const ReadoutLook& look) { return look.red; }));
        QCOMPARE(shown().count, std::size_t(1));
        QVERIFY(!chiming(device));
    }

    // Demo Mode sweeps every gauge through its red: nothing is raised.
    void demoModeRaisesNothing() {
        startWith(chtRedFrom(250));
        toggleDemoMode(instrument(), true);
        for (int tick = 0; tick < 2000; ++tick) {
            stepInstrument();
            QCOMPARE(shown().count, std::size_t(0));
        }
        QVERIFY(!chimeBuffer(device));
    }

    // Without alarms Enter and A are not the instrument's, and nothing is
    // watched: the screen's alarms stay plain whatever the values.
    void offWithoutAProfile() {
        startShell(platform, testSpreadSeed);
        instrument().engine.oilPressure = 0;
        for (int tick = 0; tick < 100; ++tick)
            stepInstrument();
        QVERIFY(!pressInstrumentKey(InstrumentKey::acknowledgeAlarms, platform));
        QVERIFY(!pressInstrumentKey(InstrumentKey::nextAlarm, platform));
        QVERIFY(shown() == ScreenAlarms{});
        QVERIFY(!chimeBuffer(device));
    }

    // A replayed log: its starts are found beside it, N and P go from one to
    // the next with the warning up where they land, and play on raises the
    // same warning as the log plays through it.
    void replaySeeksAlarmStarts() {
        QTemporaryDir folder;
        const QString path = folder.filePath("flight.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(chtExcursions()));
        file.close();
        const AircraftProfile profile = chtRedFrom(400);
        startWith(profile);
        ReplayOptions options;
        options.log.indexInBackground = false;
        ReplaySource::Opened replay = ReplaySource::open(path.toStdString(), options);
        QVERIFY(replay.source);
        setEngineSource(replay.source.get());
        AlarmStartScan scan(path.toStdString(), profile);
        setAlarmStartScan(&scan);
        QTRY_VERIFY((stepInstrument(), !instrument().alarms.starts.empty()));
        const std::vector<AlarmStart>& starts = instrument().alarms.starts;
        QCOMPARE(starts.size(), std::size_t(2));
        QCOMPARE(starts[0].time, firstStart);
        QCOMPARE(starts[0].message, std::string("CHT 3 HIGH 450"));
        QCOMPARE(starts[1].time, secondStart);

        const auto position = [&] { return replay.source->playback().position(); };
        const auto seek = [&](InstrumentKey key, double expected) {
            QVERIFY(pressInstrumentKey(key, platform));
            QCOMPARE(position(), expected);
            QCOMPARE(shown().count, std::size_t(1));
            QCOMPARE(QString::fromStdU16String(shown().message), QString("CHT 3 HIGH 450"));
        };
        seek(InstrumentKey::nextAlarm, firstStart);
        seek(InstrumentKey::nextAlarm, secondStart);
        seek(InstrumentKey::previousAlarm, firstStart);
        QVERIFY(pressInstrumentKey(InstrumentKey::previousAlarm, platform)); // none before
        QCOMPARE(position(), firstStart);

        // Played from the start: the warning rises on the scan's own tick.
        QVERIFY(pressInstrumentKey(InstrumentKey::replayToStart, platform));
        stepInstrument();
        while (position() < firstStart - 1e-6) {
            QCOMPARE(shown().count, std::size_t(0));
            stepInstrument();
        }
        QCOMPARE(shown().count, std::size_t(1));
    }

    // A flight with a lean sweep: N and P stop where the pilot began leaning
    // as well as at the alarm starts, nearest first either way.
    void replayStopsAtLeanSweeps() {
        QTemporaryDir folder;
        const QString path = folder.filePath("flight.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(flightLog(flightPlan(FlightKind::leanSweep))));
        file.close();
        const ReplayStops stops = scanReplayStops(path.toStdString(), instrumentProfile, 1.0);
        QCOMPARE(stops.leanSweeps.size(), std::size_t(1));
        const double leaningFrom = 300 + 600 + 600; // taxi, climb and cruise behind
        QVERIFY2(std::abs(stops.leanSweeps[0] - leaningFrom) < 10,
                 qPrintable(QString::number(stops.leanSweeps[0])));
        QCOMPARE(stops.alarms.size(), std::size_t(1)); // cylinder 3 hot in the climb
        AlarmWatch watch;
        startAlarms(watch, instrumentProfile);
        watch.starts = stops.alarms;
        watch.leanSweeps = stops.leanSweeps;
        const double alarm = stops.alarms[0].time;
        QCOMPARE(nextAlarmStart(watch, 0, true), std::optional<double>(alarm));
        QCOMPARE(nextAlarmStart(watch, alarm, true), std::optional<double>(stops.leanSweeps[0]));
        QCOMPARE(nextAlarmStart(watch, 3000, false), std::optional<double>(stops.leanSweeps[0]));
        QCOMPARE(nextAlarmStart(watch, stops.leanSweeps[0], false), std::optional<double>(alarm));
        AlarmWatch alarmsOff; // the sweeps only
        alarmsOff.starts = stops.alarms;
        alarmsOff.leanSweeps = stops.leanSweeps;
        QCOMPARE(nextAlarmStart(alarmsOff, 0, true), std::optional<double>(stops.leanSweeps[0]));

        // In the running instrument, alarms off: N goes to the sweep.
        startShell(platform, testSpreadSeed);
        ReplayOptions options;
        options.log.indexInBackground = false;
        ReplaySource::Opened replay = ReplaySource::open(path.toStdString(), options);
        QVERIFY(replay.source);
        setEngineSource(replay.source.get());
        AlarmStartScan scan(path.toStdString(), instrumentProfile);
        setAlarmStartScan(&scan);
        QTRY_VERIFY((stepInstrument(), !instrument().alarms.leanSweeps.empty()));
        QVERIFY(pressInstrumentKey(InstrumentKey::nextAlarm, platform));
        QCOMPARE(replay.source->playback().position(), instrument().alarms.leanSweeps[0]);
        QCOMPARE(shown().count, std::size_t(0)); // no alarm judged: they are off
    }
};

QTEST_MAIN(InstrumentAlarmsTest)
#include "tst_instrument_alarms.moc"
