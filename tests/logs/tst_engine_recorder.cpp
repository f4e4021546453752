#include "LogTestFiles.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "engine/EngineModel.h"
#include "logs/EngineRecorder.h"
#include "tests/support/InstrumentReset.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const auto sessionStart = std::chrono::system_clock::time_point(std::chrono::seconds(1714564800));

RecorderOptions options(double interval, bool overwrite = false) {
    RecorderOptions chosen;
    chosen.version = "0.1.0";
    chosen.interval = interval;
    chosen.overwrite = overwrite;
    return chosen;
}

// What the screen shows of the model's record, in its units: EGT and CHT per
// cylinder as the bars draw them, outside air in degrees F.
EngineSample displayed(const EngineState& e) {
    EngineSample sample;
    const auto set = [&](Quantity q, double value) { sample.set(q, float(value)); };
    set(Quantity::rpm, e.rpm);
    set(Quantity::manifoldPressure, e.manifoldPressure);
    set(Quantity::oilTemp, e.oilTemp);
    set(Quantity::oilPressure, e.oilPressure);
    set(Quantity::fuelPressure, e.fuelPressure);
    set(Quantity::fuelFlow, e.fuelFlow);
    set(Quantity::volts, e.volts);
    set(Quantity::amps, e.amps);
    set(Quantity::oat, e.oat * 1.8 + 32);
    for (int c = 0; c < 6; ++c) {
        set(cylinderEgt(c), (double(e.egtRankine) - 459.67 - 850) * e.egtSpread[c] + 850);
        set(cylinderCht(c), double(e.cht) * e.chtSpread[c]);
    }
    set(Quantity::leftFuel, e.leftFuel);
    set(Quantity::rightFuel, e.rightFuel);
    set(Quantity::torque, e.torque);
    set(Quantity::throttle, e.throttle);
    set(Quantity::propeller, e.propeller);
    set(Quantity::mixture, e.mixture);
    return sample;
}

RecordedTick tickAt(int tick, const EngineSample& values) {
    RecordedTick recorded;
    recorded.seconds = tick * modelTimeStep;
    recorded.utc = sessionStart + std::chrono::milliseconds(tick * 65);
    recorded.values = values;
    recorded.selectedCylinder = 3;
    return recorded;
}

} // namespace

class EngineRecorderTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
    }

    // A model session recorded and replayed: at each recorded time the
    // replay shows exactly the values the session showed, and between rows
    // values within their neighbours'.
    void roundTrip_data() {
        QTest::addColumn<double>("interval");
        QTest::newRow("every tick") << 0.0;
        QTest::newRow("every second") << 1.0;
    }

    void roundTrip() {
        QFETCH(double, interval);
        const QString path = folder->filePath("session.csv");
        auto created = EngineRecorder::create(path.toStdString(), options(interval));
        QVERIFY2(created.recorder, created.error.c_str());
        resetInstrument();
        generateCylinderSpreadsFromSeed(instrument().engine, 5);
        std::vector<std::pair<double, EngineSample>> session;
        for (int tick = 0; tick < 3000; ++tick) {
            instrument().engine.throttle = float(std::min(1.0, tick / 1500.0));
            instrument().engine.mixture = tick > 2000 ? 0.4f : 1.0f;
            instrument().engine.propeller = 0.8f;
            stepEngineModel(instrument().engine);
            const RecordedTick recorded = tickAt(tick, displayed(instrument().engine));
            if (created.recorder->record(recorded) == RecordOutcome::written)
                session.emplace_back(std::round(recorded.seconds * 1000) / 1000, recorded.values);
        }
        QCOMPARE(created.recorder->rows(), std::uint64_t(session.size()));
        created.recorder.reset();

        LogOptions synchronous;
        synchronous.indexInBackground = false;
        auto opened = EngineLog::open(path.toStdString(), synchronous);
        QVERIFY2(opened.log, opened.error.message().c_str());
        EngineLog& log = *opened.log;
        QCOMPARE(int(log.format()), int(LogFormat::ownRecording));
        QCOMPARE(log.writer(), std::string("zentor-demo 0.1.0"));
        QCOMPARE(log.progress().rows, std::uint64_t(session.size()));
        QCOMPARE(log.progress().badRows, std::uint64_t(0));
        QCOMPARE(log.progress().length, session.back().first);
        for (std::size_t i = 0; i < session.size(); ++i) {
            const auto& [time, values] = session[i];
            const EngineSample replayed = log.sampleAt(time);
            QCOMPARE(replayed.present, values.present);
            for (std::size_t q = 0; q < quantityCount; ++q)
                QCOMPARE(replayed.values[q], values.values[q]);
            if (i + 1 == session.size())
                break;
            const EngineSample between = log.sampleAt((time + session[i + 1].first) / 2);
            const EngineSample& next = session[i + 1].second;
            for (std::size_t q = 0; q < quantityCount; ++q) {
                const float low = std::min(values.values[q], next.values[q]);
                const float high = std::max(values.values[q], next.values[q]);
                QVERIFY(between.values[q] >= low && between.values[q] <= high);
            }
        }
    }

    // The aircraft's registration rides on the first line and comes back as
    // the log's aircraft; one a CSV cell cannot hold as it stands is left out.
    void tailNumber_data() {
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("aircraft");
        const QString writer = "# engine log written by zentor-demo 0.1.0";
        QTest::newRow("noted") << "D-EZNT" << writer + ",tail=D-EZNT"
                               << "D-EZNT";
        QTest::newRow("none") << "" << writer << "";
        QTest::newRow("a comma") << "N1,2" << writer << "";
        QTest::newRow("a quote") << "N1\"2" << writer << "";
        QTest::newRow("a space") << "N1 2" << writer << "";
        QTest::newRow("over ten") << "N1234567890" << writer << "";
    }

    void tailNumber() {
        QFETCH(QString, tail);
        QFETCH(QString, firstLine);
        QFETCH(QString, aircraft);
        const QString path = folder->filePath("tail.csv");
        RecorderOptions chosen = options(0);
        chosen.tail = tail.toStdString();
        auto created = EngineRecorder::create(path.toStdString(), chosen);
        QVERIFY(created.recorder);
        EngineSample values;
        values.set(Quantity::rpm, 2400);
        created.recorder->record(tickAt(0, values));
        created.recorder->record(tickAt(20, values));
        created.recorder.reset();
        QCOMPARE(QString::fromUtf8(readFile(path).split('\n')[0]), firstLine);
        LogOptions synchronous;
        synchronous.indexInBackground = false;
        auto opened = EngineLog::open(path.toStdString(), synchronous);
        QVERIFY(opened.log);
        QCOMPARE(opened.log->writer(), std::string("zentor-demo 0.1.0"));
        QCOMPARE(QString::fromStdString(opened.log->layout().aircraft), aircraft);
    }

    // The header names the writer and every column with its unit; a row
    // holds the time stamp, the seconds, each value, empty cells for absent
    // ones, then Demo Mode, Mute and the selected cylinder.
    void fileText() {
        const QString path = folder->filePath("text.csv");
        auto created = EngineRecorder::create(path.toStdString(), options(1));
        QVERIFY(created.recorder);
        EngineSample values;
        values.set(Quantity::rpm, 2400.5f);
        values.set(Quantity::oat, -40.0f);
        values.set(Quantity::egt3, 1234.5678f);
        values.set(Quantity::mixture, 0.1f);
        RecordedTick tick = tickAt(20, values);
        tick.demoMode = true;
        tick.selectedCylinder = 6;
        QCOMPARE(created.recorder->record(tick), RecordOutcome::written);
        const QList<QByteArray> lines = readFile(path).split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QByteArray("# engine log written by zentor-demo 0.1.0"));
        QVERIFY(lines[1].startsWith("UTC (ISO 8601),Elapsed (s),RPM (rpm),Manifold Pressure "
                                    "(inHg),Oil Temp (°F),Oil Pressure (psi),"));
        QVERIFY(lines[1].endsWith(
            "Throttle (0-1),Propeller (0-1),Mixture (0-1),Demo Mode (0/1),Mute (0/1),"
            "Selected Cylinder (1-6)"));
        QCOMPARE(lines[2], QByteArray("2024-05-01T12:00:01.300Z,1.300,2400.5,,,,,,,,-40,,,,,"
                                      "1234.5677,,,,,,,,,,,,,,,,0.1,1,0,6"));
        QCOMPARE(lines[3], QByteArray());
    }

    // Rows land on the first tick at or after each interval, never drifting;
    // with no interval, on every tick.
    void interval_data() {
        QTest::addColumn<double>("interval");
        QTest::addColumn<QList<int>>("ticks");
        QTest::newRow("every tick") << 0.0 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("the tick's own period")
            << 0.065 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("half a second") << 0.5 << QList<int>{0, 8, 16, 24, 31, 39, 47, 54, 62, 70};
        QTest::newRow("a second") << 1.0 << QList<int>{0, 16, 31, 47, 62, 77, 93, 108, 124, 139};
    }

    void interval() {
        QFETCH(double, interval);
        QFETCH(QList<int>, ticks);
        auto created = EngineRecorder::create(folder->filePath("interval.csv").toStdString(),
                                              options(interval));
        QVERIFY(created.recorder);
        QList<int> written;
        double seconds = 0;
        for (int tick = 0; written.size() < ticks.size(); ++tick) {
            RecordedTick recorded = tickAt(tick, {});
            recorded.seconds = seconds; // summed as the tick sums it
            seconds += modelTimeStep;
            if (created.recorder->record(recorded) == RecordOutcome::written)
                written.append(tick);
        }
        QCOMPARE(written, ticks);
    }

    // An existing file is never replaced unless asked; a file that cannot be
    // created or written is refused with the system's reason.
    void files_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing, kept")
            << "existing.csv" << false << "existing.csv: already exists" << true;
        QTest::newRow("existing, replaced") << "existing.csv" << true << "" << false;
        QTest::newRow("new") << "new.csv" << false << "" << false;
        QTest::newRow("no such folder")
            << "missing/new.csv" << false
            << "missing/new.csv: cannot create: No such file or directory" << false;
        QTest::newRow("a folder") << "." << true << ".: cannot create: Is a directory" << false;
        // A device or a pipe: never waited on, never written to.
        QTest::newRow("a device") << "/dev/full" << true
                                  << "/dev/full: cannot create: not a regular file" << false;
        QTest::newRow("a pipe without a reader")
            << "pipe" << true << "pipe: cannot create: not a regular file" << false;
    }

    void files() {
        QFETCH(QString, path);
        QFETCH(bool, overwrite);
        QFETCH(QString, error);
        QFETCH(bool, exists);
        const QString full = path.startsWith('/') ? path : folder->filePath(path);
        const QString shown = path.startsWith('/') ? path : folder->path() + "/" + path;
        const QByteArray before = "Time,RPM\n0,900\n";
        QVERIFY(writeFile(folder->filePath("existing.csv"), before));
        QVERIFY(QFile::exists(folder->filePath("pipe")) ||
                ::mkfifo(folder->filePath("pipe").toLocal8Bit().constData(), 0600) == 0);
        auto created = EngineRecorder::create(full.toStdString(), options(1, overwrite));
        QCOMPARE(QString::fromStdString(created.error),
                 error.isEmpty() ? QString() : QString(error).replace(path, shown));
        QCOMPARE(created.exists, exists);
        QCOMPARE(bool(created.recorder), error.isEmpty());
        if (path == "existing.csv")
            QCOMPARE(readFile(full) == before, !overwrite);
    }

    // The disk fills while recording: the row that does not fit fails, once;
    // recording stops and the program goes on. What reached the file replays,
    // the cut row counted as bad.
    void diskFillsWhileRecording() {
        const QString path = folder->filePath("full.csv");
        auto created = EngineRecorder::create(path.toStdString(), options(0));
        QVERIFY(created.recorder);
        const qint64 headerSize = QFileInfo(path).size();
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = original;
        small.rlim_cur = rlim_t(headerSize + 500);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        EngineSample values;
        values.set(Quantity::rpm, 2400);
        values.set(Quantity::oilTemp, 180.25f);
        QList<RecordOutcome> outcomes;
        for (int tick = 0; tick < 20; ++tick)
            outcomes.append(created.recorder->record(tickAt(tick, values)));
        setrlimit(RLIMIT_FSIZE, &original);
        std::signal(SIGXFSZ, previousHandler);

        const int written = int(created.recorder->rows());
        QVERIFY(written > 1 && written < 19);
        for (int tick = 0; tick < 20; ++tick)
            QCOMPARE(outcomes[tick], tick < written    ? RecordOutcome::written
                                     : tick == written ? RecordOutcome::failed
                                                       : RecordOutcome::stopped);
        QCOMPARE(QString::fromStdString(created.recorder->failure()),
                 path + ": cannot write: File too large; recording stopped");

        auto opened = openText(readFile(path).toStdString());
        QVERIFY(opened.log);
        QCOMPARE(int(opened.log->progress().rows), written);
        QCOMPARE(int(opened.log->progress().badRows), 1);
        QCOMPARE(opened.log->sampleAt(99)[Quantity::oilTemp], 180.25f);
    }

private:
    std::unique_ptr<QTemporaryDir> folder;
};

QTEST_GUILESS_MAIN(EngineRecorderTest)
#include "tst_engine_recorder.moc"
