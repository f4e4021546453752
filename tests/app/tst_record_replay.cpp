// Recording and replay through the shell's own tick: a model session
// recorded and replayed shows the same at the same times; the instrument's
// keys reach the replay; a recording refused or failing says so and the
// instrument runs on; the program refuses bad logs before any window.

#include "app/shell/Instrument.h"
#include "panel/OffscreenPanelWindow.h"
#include "tests/support/HeadlessPlatform.h"
#include "tests/support/InstrumentReset.h"

#include "app/shell/InstrumentController.h"
#include "app/shell/InstrumentKeys.h"
#include "app/shell/SessionRecording.h"
#include "app/window/RecordingOpening.h"
#include "engine/Engine.h"
#include "engine/SampleValues.h"
#include "logs/EngineRecorder.h"
#include "logs/ReplaySource.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelArtwork.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <cmath>
#include <csignal>
#include <map>

#include <sys/resource.h>

namespace {

constexpr std::uint32_t spreadSeed = 5;

std::chrono::system_clock::time_point fixedClock() {
    return std::chrono::system_clock::time_point(std::chrono::seconds(1714564800));
}

// Half the last digit each readout shows (the knobs: a pixel of travel).
constexpr auto displayRounding = std::to_array<float>({
    0.5f,                                     // rpm
    0.05f,                                    // manifold pressure
    0.5f,                                     // oil temperature
    0.5f,                                     // oil pressure
    0.05f,                                    // fuel pressure
    0.05f,                                    // fuel flow
    0.05f,                                    // volts
    0.5f,                                     // amps
    0.5f,                                     // outside air
    0.5f,                                     // EGT
    0.5f,                                     // CHT
    0.5f,   0.5f,   0.5f,   0.5f, 0.5f, 0.5f, // EGT per cylinder
    0.5f,   0.5f,   0.5f,   0.5f, 0.5f, 0.5f, // CHT per cylinder
    0.05f,                                    // left tank
    0.05f,                                    // right tank
    0.5f,                                     // torque
    0.5f,                                     // percent power
    0.005f, 0.005f, 0.005f,                   // throttle, propeller, mixture
});
static_assert(displayRounding.size() == quantityCount);

// A pilot's session: throttle in over the first minute, propeller back,
// mixture leaned.
void moveControls(int tick) {
    instrument().engine.throttle = float(std::min(1.0, tick / 900.0));
    instrument().engine.propeller = tick < 1200 ? 1.0f : 0.85f;
    instrument().engine.mixture = tick < 1500 ? 1.0f : 0.6f;
}

QString differences(const EngineSample& shown, const EngineSample& expected) {
    QString text;
    for (std::size_t q = 0; q < quantityCount; ++q) {
        if (shown.present[q] != expected.present[q])
            text += QString(" [%1] present %2").arg(q).arg(shown.present[q]);
        else if (shown.present[q] &&
                 !(std::fabs(shown.values[q] - expected.values[q]) <= displayRounding[q]))
            text += QString(" [%1] %2 for %3").arg(q).arg(shown.values[q]).arg(expected.values[q]);
    }
    return text;
}

struct ProgramRun {
    int status = 0;
    QString errors;
    bool finished = false;
};

// The program with no display to open a window on: a run that reached a
// window would end in the window system's failure, not with status 2.
// Without a display unless the refusal comes after the application starts.
ProgramRun runProgram(const QStringList& arguments, const char* platform = "xcb") {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", platform);
    program.setProcessEnvironment(environment);
    program.start(ZENTOR_DEMO_PROGRAM, arguments);
    ProgramRun run;
    run.finished = program.waitForFinished(10000);
    run.status = program.exitCode();
    run.errors = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

} // namespace

class RecordReplayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;

    QString file(const char* name) const { return folder->filePath(name); }

private slots:
    void initTestCase() { loadPanelArtwork(instrument().artwork); }
    void cleanupTestCase() { freePanelArtwork(instrument().artwork); }

    void init() {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        resetInstrument();
    }

    // A failed check leaves a test early: the shell goes back to the model.
    void cleanup() {
        setSessionRecording(nullptr);
        setEngineSource(nullptr);
        HeadlessPlatform platform;
        closeShell(platform);
    }

    // A model session recorded through the shell's tick, then replayed
    // through it: at each recorded time the screen shows what the session
    // showed, each cylinder too, within the readouts' rounding, and the
    // frames are the session's.
    void roundTrip_data() {
        QTest::addColumn<double>("interval");
        QTest::addColumn<int>("compareEvery"); // recorded rows
        QTest::newRow("every tick") << 0.0 << 97;
        QTest::newRow("every second") << 1.0 << 7;
    }

    void roundTrip() {
        QFETCH(double, interval);
        QFETCH(int, compareEvery);
        constexpr int ticks = 2000;
        LaunchOptions launch;
        launch.recordPath = file("session.csv").toStdString();
        launch.recordInterval = interval;
        std::map<int, std::pair<EngineSample, QImage>> session; // by tick
        {
            HeadlessPlatform platform;
            startShell(platform, spreadSeed);
            OpenedRecording opened = openSessionRecording(launch, fixedClock);
            QVERIFY2(opened.recording, opened.error.c_str());
            setSessionRecording(opened.recording.get());
            for (int tick = 0; tick < ticks; ++tick) {
                moveControls(tick);
                const std::uint64_t rowsBefore = opened.recording->rows();
                // The tick as the timer runs it, its frame only where it is compared.
                stepInstrument();
                if (opened.recording->rows() > rowsBefore && rowsBefore % compareEvery == 0) {
                    composeFrame(instrument().view, panelScene(instrument()));
                    session[tick] = {shownValues(instrument().engine),
                                     platform.surface.lastFrame.image()};
                }
            }
            setSessionRecording(nullptr);
            closeShell(platform);
        }
        QVERIFY(session.size() > 10);

        resetInstrument();
        HeadlessPlatform platform;
        startShell(platform, spreadSeed + 1); // spreads do not matter: cylinders were logged
        ReplayOptions options;
        options.log.indexInBackground = false;
        ReplaySource::Opened replay = ReplaySource::open(*launch.recordPath, options);
        QVERIFY2(replay.source, replay.error.message().c_str());
        setEngineSource(replay.source.get());
        int compared = 0;
        for (int tick = 0; tick < ticks; ++tick) {
            const auto recorded = session.find(tick);
            if (recorded == session.end() && tick + 1 < ticks) {
                stepInstrument();
                continue;
            }
            tickFrameTimer();
            if (recorded == session.end())
                continue;
            const QString wrong =
                differences(shownValues(instrument().engine), recorded->second.first);
            QVERIFY2(wrong.isEmpty(), qPrintable(QString("tick %1:%2").arg(tick).arg(wrong)));
            QVERIFY2(platform.surface.lastFrame.image() == recorded->second.second,
                     qPrintable(QString("frame of tick %1").arg(tick)));
            ++compared;
        }
        QCOMPARE(compared, int(session.size()));
        QVERIFY(platform.statuses.last().startsWith("session.csv 00:02:09 / 00:02:"));
    }

    // The player's keys through the instrument's keys: they act on a replay
    // and are left to the window system while the model runs.
    void replayKeys_data() {
        QTest::addColumn<InstrumentKey>("key");
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("speed");
        QTest::addColumn<bool>("paused");
        QTest::newRow("Space") << InstrumentKey::pauseReplay << 100.0 << 1.0 << true;
        QTest::newRow("Left") << InstrumentKey::seekBack << 90.0 << 1.0 << false;
        QTest::newRow("Right") << InstrumentKey::seekForward << 110.0 << 1.0 << false;
        QTest::newRow("Shift+Left") << InstrumentKey::seekBackLong << 40.0 << 1.0 << false;
        QTest::newRow("Shift+Right") << InstrumentKey::seekForwardLong << 160.0 << 1.0 << false;
        QTest::newRow("+") << InstrumentKey::replayFaster << 100.0 << 2.0 << false;
        QTest::newRow("-") << InstrumentKey::replaySlower << 100.0 << 0.5 << false;
        QTest::newRow("Home") << InstrumentKey::replayToStart << 0.0 << 1.0 << false;
    }

    void replayKeys() {
        QFETCH(InstrumentKey, key);
        QFETCH(double, position);
        QFETCH(double, speed);
        QFETCH(bool, paused);
        std::string log = "Time,RPM\n";
        for (int second = 0; second <= 300; ++second)
            log += std::to_string(second) + ",2000\n";
        HeadlessPlatform platform;
        startShell(platform, spreadSeed);
        tickFrameTimer();
        const EngineState before = instrument().engine;
        QVERIFY(!pressInstrumentKey(key, platform));
        QCOMPARE(instrument().engine.rpm, before.rpm);

        LogOptions whole;
        whole.indexInBackground = false;
        ReplayOptions options;
        options.from = 100;
        ReplaySource replay(EngineLog::openBytes("flight.csv", log, whole).log, options);
        setEngineSource(&replay);
        tickFrameTimer();
        QVERIFY(pressInstrumentKey(key, platform));
        QCOMPARE(replay.playback().position(), position);
        QCOMPARE(replay.playback().speed(), speed);
        QCOMPARE(replay.playback().paused(), paused);
    }

    // An existing file is kept unless --force replaces it.
    void recordingRefusesAnExistingFile_data() {
        QTest::addColumn<bool>("force");
        QTest::newRow("kept") << false;
        QTest::newRow("replaced with --force") << true;
    }

    void recordingRefusesAnExistingFile() {
        QFETCH(bool, force);
        const QString path = file("flight.csv");
        QVERIFY(writeFile(path, "Time,RPM\n0,900\n"));
        LaunchOptions launch;
        launch.recordPath = path.toStdString();
        launch.overwriteRecording = force;
        const OpenedRecording opened = openSessionRecording(launch, fixedClock);
        QCOMPARE(bool(opened.recording), force);
        QCOMPARE(QString::fromStdString(opened.error),
                 force ? QString() : path + ": already exists (--force replaces it)");
        QCOMPARE(readFile(path) == "Time,RPM\n0,900\n", !force);
    }

    // The file stops taking rows while recording: the instrument says so
    // once, in the caption beside what the source says, and runs on.
    void recordingFailsWhileRunning_data() {
        QTest::addColumn<bool>("replaying");
        QTest::newRow("the model") << false;
        QTest::newRow("a replay") << true;
    }

    void recordingFailsWhileRunning() {
        QFETCH(bool, replaying);
        HeadlessPlatform platform;
        startShell(platform, spreadSeed);
        LogOptions whole;
        whole.indexInBackground = false;
        ReplaySource replay(
            EngineLog::openBytes("flight.csv", "Time,RPM\n0,2000\n600,2600\n", whole).log, {});
        if (replaying)
            setEngineSource(&replay);
        const QString path = file("full.csv");
        RecorderOptions recorderOptions;
        recorderOptions.interval = 0;
        auto created = EngineRecorder::create(path.toStdString(), recorderOptions);
        QVERIFY(created.recorder);
        QStringList heard;
        SessionRecording recording(
            std::move(created.recorder), fixedClock,
            [&](const std::string& what) { heard << QString::fromStdString(what); });
        setSessionRecording(&recording);

        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = original;
        small.rlim_cur = rlim_t(QFileInfo(path).size() + 600);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        constexpr int ticks = 40;
        for (int tick = 0; tick < ticks; ++tick) {
            moveControls(tick * 20);
            tickFrameTimer();
        }
        setrlimit(RLIMIT_FSIZE, &original);
        std::signal(SIGXFSZ, previousHandler);

        const QString failure = path + ": cannot write: File too large; recording stopped";
        QCOMPARE(heard, QStringList{failure});
        QVERIFY(recording.rows() > 0 && recording.rows() < 10);
        QCOMPARE(QString::fromStdString(recording.failure()), failure);
        QVERIFY(shellRunning());
        QCOMPARE(platform.surface.framesShown, ticks);
        const QString expected =
            replaying ? QString::fromStdString(replay.status()) + " \u2014 " + failure : failure;
        QCOMPARE(platform.statuses.last(), expected);
        if (replaying)
            QCOMPARE(instrument().engine.rpm, float(2000 + (ticks - 1) * 0.065));
        else
            QVERIFY(instrument().engine.rpm > 900.0f); // the throttle went in; the model ran on
    }

    // The program refuses, in one line and with status 2, before any
    // window: a log it cannot replay, a recording onto an existing file;
    // nothing is recorded then.
    void programRefuses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error"); // after "zentor-demo: ", %1 the folder
        QTest::newRow("a missing log")
            << QStringList{"--replay", "%1/none.csv", "--record", "%1/new.csv"}
            << "%1/none.csv: cannot open: No such file or directory";
        QTest::newRow("an empty log")
            << QStringList{"--replay", "%1/empty.csv"} << "%1/empty.csv: empty file";
        QTest::newRow("no engine column")
            << QStringList{"--replay", "%1/columns.csv", "--record", "%1/new.csv"}
            << "%1/columns.csv:1: no engine value column recognised among \"Time\", \"Altitude\"";
        QTest::newRow("no data row") << QStringList{"--replay", "%1/header.csv"}
                                     << "%1/header.csv:1: no data rows after the header row";
        QTest::newRow("an existing recording")
            << QStringList{"--record", "%1/flight.csv"}
            << "%1/flight.csv: already exists (--force replaces it)";
    }

    void programRefuses() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QVERIFY(writeFile(file("empty.csv"), ""));
        QVERIFY(writeFile(file("columns.csv"), "Time,Altitude\n0,1000\n"));
        QVERIFY(writeFile(file("header.csv"), "Time,RPM\n"));
        QVERIFY(writeFile(file("flight.csv"), "Time,RPM\n0,900\n"));
        for (QString& argument : arguments)
            argument.replace("%1", folder->path());
        const ProgramRun run = runProgram(arguments);
        QVERIFY(run.finished);
        QCOMPARE(run.errors, "zentor-demo: " + error.arg(folder->path()) + "\n");
        QCOMPARE(run.status, 2);
        QVERIFY(!QFile::exists(file("new.csv")));
        QCOMPARE(readFile(file("flight.csv")), QByteArray("Time,RPM\n0,900\n"));
    }

    // A simulator's port taken by another program: the start is refused
    // after the recording's file was made, and the file goes again.
    void refusedSimulatorLeavesNoRecording() {
        QUdpSocket taken;
        QVERIFY(taken.bind(QHostAddress::LocalHost, 0));
        const ProgramRun run = runProgram(
            {"--flightgear", QString::number(taken.localPort()), "--record", file("new.csv")},
            "offscreen");
        QVERIFY(run.finished);
        QVERIFY2(run.errors.contains("zentor-demo: cannot listen for FlightGear"),
                 qPrintable(run.errors));
        QCOMPARE(run.status, 2);
        QVERIFY(!QFile::exists(file("new.csv")));
    }

private:
    static bool writeFile(const QString& path, const QByteArray& bytes) {
        QFile out(path);
        return out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               out.write(bytes) == bytes.size();
    }
    static QByteArray readFile(const QString& path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
};

QTEST_MAIN(RecordReplayTest)
#include "tst_record_replay.moc"
