// A log replayed as the instrument's engine source: the player's keys, the
// end of the log, the caption, the bad-row report, and no data for what the
// log lacks, on the screen.

#include "LogTestFiles.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "logs/ReplaySource.h"
#include "tests/support/ScreenProbe.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

// Five minutes of a log a row a second, rpm counting the seconds up from
// 1000 so that what the screen shows tells where the replay stands.
std::string flightLog() {
    std::string text = "Time,RPM,Oil Temp (°F)\n";
    for (int second = 0; second < 300; ++second)
        text += std::to_string(second) + "," + std::to_string(1000 + second) + ",180\n";
    return text;
}

ReplaySource replayOf(const std::string& text, double from,
                      std::function<void(const std::string&)> report = {}) {
    LogOptions whole;
    whole.indexInBackground = false;
    EngineLog::Opened opened = EngineLog::openBytes("logs/flight.csv", text, whole);
    if (!opened.log)
        qFatal("%s", opened.error.message().c_str());
    ReplayOptions options;
    options.from = from;
    options.report = std::move(report);
    return ReplaySource(std::move(opened.log), std::move(options));
}

struct KeyName {
    const char* name;
    PlayerControl control;
};

constexpr auto keyNames = std::to_array<KeyName>({
    {.name = "Space", .control = PlayerControl::pauseOrResume},
    {.name = "Left", .control = PlayerControl::seekBack},
    {.name = "Right", .control = PlayerControl::seekForward},
    {.name = "Shift+Left", .control = PlayerControl::seekBackLong},
    {.name = "Shift+Right", .control = PlayerControl::seekForwardLong},
    {.name = "+", .control = PlayerControl::faster},
    {.name = "-", .control = PlayerControl::slower},
    {.name = "Home", .control = PlayerControl::toStart},
});

// "step", "step 20" (ticks) or a key's name, in order.
void play(ReplaySource& replay, const QStringList& actions) {
    for (const QString& action : actions) {
        if (action.startsWith("step")) {
            const int ticks = action == "step" ? 1 : action.section(' ', 1).toInt();
            for (int tick = 0; tick < ticks; ++tick)
                replay.step(instrument().engine);
            continue;
        }
        const auto key = std::find_if(keyNames.begin(), keyNames.end(),
                                      [&](const KeyName& row) { return action == row.name; });
        if (key == keyNames.end())
            qFatal("no key %s", qPrintable(action));
        QVERIFY(replay.control(key->control));
    }
}

} // namespace

class ReplaySourceTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetEngine(); }

    // Where each key leaves the replay, and what the next tick shows there.
    void playerKeys_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("speed");
        QTest::addColumn<bool>("paused");
        const auto row = [](const char* name, double from, QStringList actions, double position,
                            double speed, bool paused) {
            QTest::newRow(name) << from << actions << position << speed << paused;
        };
        row("the first tick shows the start", 100, {"step"}, 100, 1, false);
        row("plays at its own pace", 100, {"step 11"}, 100.65, 1, false);
        row("pause holds the position", 100, {"step", "Space", "step 20"}, 100, 1, true);
        row("resume goes on from there", 100, {"step", "Space", "step 5", "Space", "step 10"},
            100.65, 1, false);
        row("Right: 10 s on", 100, {"Space", "Right", "step"}, 110, 1, true);
        row("Left: 10 s back", 100, {"Space", "Left", "step"}, 90, 1, true);
        row("Shift+Right: 60 s on", 100, {"Space", "Shift+Right", "step"}, 160, 1, true);
        row("Shift+Left: 60 s back", 100, {"Space", "Shift+Left", "step"}, 40, 1, true);
        row("a seek while playing shows at the next tick", 100, {"step", "Right", "step"}, 110.065,
            1, false);
        row("Left stops at the start", 5, {"Space", "Left", "step"}, 0, 1, true);
        row("Shift+Left stops at the start", 30, {"Space", "Shift+Left", "step"}, 0, 1, true);
        row("Right stops at the last row", 295, {"step", "Space", "Right", "step"}, 299, 1, true);
        row("Shift+Right to the end pauses there", 250, {"step", "Shift+Right", "step"}, 299, 1,
            true);
        row("+ doubles the speed", 100, {"step", "+", "step 10"}, 101.3, 2, false);
        row("+ stops at 64x", 0, {"step", "+", "+", "+", "+", "+", "+", "+"}, 0, 64, false);
        row("- halves the speed", 100, {"step", "-", "step 10"}, 100.325, 0.5, false);
        row("- stops at 1/4x", 0, {"step", "-", "-", "-"}, 0, 0.25, false);
        row("Home goes to the start", 100, {"step", "Home", "step"}, 0.065, 1, false);
        row("Home keeps a pause", 100, {"Space", "Home", "step"}, 0, 1, true);
        row("the end pauses on the last row", 298, {"step 40"}, 299, 1, true);
        row("Space at the end plays from the start", 298, {"step 40", "Space", "step"}, 0.065, 1,
            false);
        row("a start past the end shows the last row, paused", 1000, {"step"}, 299, 1, true);
    }

    void playerKeys() {
        QFETCH(double, from);
        QFETCH(QStringList, actions);
        QFETCH(double, position);
        QFETCH(double, speed);
        QFETCH(bool, paused);
        ReplaySource replay = replayOf(flightLog(), from);
        play(replay, actions);
        QVERIFY2(std::fabs(replay.playback().position() - position) < 1e-9,
                 qPrintable(QString::number(replay.playback().position(), 'f', 6)));
        QCOMPARE(replay.playback().speed(), speed);
        QCOMPARE(replay.playback().paused(), paused);
        QVERIFY(!instrument().engine.lacks(Quantity::rpm));
        QCOMPARE(instrument().engine.rpm, float(1000 + position));
        QCOMPARE(instrument().engine.oilTemp, 180.0f);
    }

    // The caption: file name without its folder, position and length, speed,
    // "paused"; the keys change it at once, before the next tick.
    void caption_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("caption");
        QTest::newRow("playing") << 100.0 << QStringList{"step"}
                                 << "flight.csv 00:01:40 / 00:04:59 1x";
        QTest::newRow("paused") << 100.0 << QStringList{"step", "Space"}
                                << "flight.csv 00:01:40 / 00:04:59 1x paused";
        QTest::newRow("seconds rounded down")
            << 59.99 << QStringList{"step"} << "flight.csv 00:00:59 / 00:04:59 1x";
        QTest::newRow("faster") << 0.0 << QStringList{"step", "+", "+"}
                                << "flight.csv 00:00:00 / 00:04:59 4x";
        QTest::newRow("slower") << 0.0 << QStringList{"step", "-", "-"}
                                << "flight.csv 00:00:00 / 00:04:59 1/4x";
        QTest::newRow("at the end")
            << 290.0 << QStringList{"step 200"} << "flight.csv 00:04:59 / 00:04:59 1x paused";
    }

    void caption() {
        QFETCH(double, from);
        QFETCH(QStringList, actions);
        QFETCH(QString, caption);
        ReplaySource replay = replayOf(flightLog(), from);
        QVERIFY(!replay.followsControls());
        play(replay, actions);
        QCOMPARE(QString::fromStdString(replay.status()), caption);
    }

    // Bad rows and unreadable cells are reported once the log is read to its
    // end: in the caption from then on, and once to whoever listens.
    void badRowsReportedOnce() {
        QStringList heard;
        ReplaySource replay =
            replayOf("Time,RPM\n0,900\n1,1000\n0.5,1100\n2,12OO\nnoon,1300\n3,1400\n", 0,
                     [&](const std::string& line) { heard << QString::fromStdString(line); });
        for (int tick = 0; tick < 100; ++tick)
            replay.step(instrument().engine);
        const QString report = "2 bad rows skipped, the first on line 4: time goes backwards; 1 "
                               "unreadable cell (not a number), on line 5, RPM: 12OO";
        QCOMPARE(heard, QStringList{"logs/flight.csv: " + report});
        QCOMPARE(QString::fromStdString(replay.status()),
                 "flight.csv 00:00:03 / 00:00:03 1x paused \u2014 " + report);
        QCOMPARE(instrument().engine.rpm, 1400.0f);
    }

    // A start past the end (a time of day typed for a place in the log) is
    // refused with the log's length; the last row itself is a start.
    void startPastTheEndRefused_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<QString>("error");
        QTest::newRow("the last row") << 299.0 << "";
        QTest::newRow("a time of day") << 56301.0
                                       << "flight.csv: --from 15:38:21 is past the end of the log "
                                          "(00:04:59 long)";
    }

    void startPastTheEndRefused() {
        QFETCH(double, from);
        QFETCH(QString, error);
        QTemporaryDir directory;
        const QString path = directory.filePath("flight.csv");
        QVERIFY(writeFile(path, QByteArray::fromStdString(flightLog())));
        ReplayOptions options;
        options.from = from;
        const ReplaySource::Opened opened = ReplaySource::open(path.toStdString(), options);
        QCOMPARE(bool(opened.source), error.isEmpty());
        if (!error.isEmpty())
            QCOMPARE(QString::fromStdString(opened.error.message()), directory.filePath(error));
    }

    // What the log lacks at the moment shown is no data: dashes in its
    // readout and no pointer, never a start value or an earlier row's.
    void lackingValueShownAsNoData_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::newRow("no column") << QByteArray("Time,RPM\n0,2000\n2,2400\n4,2400\n");
        QTest::newRow("an empty cell")
            << QByteArray("Time,RPM,Oil Temp (°F)\n0,2000,180\n2,2400,\n4,2400,185\n");
        QTest::newRow("an unreadable number")
            << QByteArray("Time,RPM,Oil Temp (°F)\n0,2000,180\n2,2400,hot\n4,2400,185\n");
        QTest::newRow("an absurd number")
            << QByteArray("Time,RPM,Oil Temp (°F)\n0,2000,180\n2,2400,1e9\n4,2400,185\n");
    }

    void lackingValueShownAsNoData() {
        QFETCH(QByteArray, log);
        ReplaySource replay = replayOf(log.toStdString(), 2);
        replay.step(instrument().engine);
        QVERIFY(instrument().engine.lacks(Quantity::oilTemp));
        QVERIFY(!instrument().engine.lacks(Quantity::rpm));
        QCOMPARE(instrument().engine.rpm, 2400.0f);
        const QImage screen = renderScreen();
        // The oil temperature strip: its readout left of the unit, its pointer's column.
        const QPointF strip(400, 40);
        const QImage dashes = renderTextBox(strip, "---", {-50, 89, 62, 25}, &ScreenKit::boldFont26,
                                            0xFFFFFFFF, gfx::StringAlignment::far);
        QVERIFY(probes::sameRegion(screen, dashes, QRect(350, 129, 56, 25)));
        QCOMPARE(probes::count(screen, QRect(408, 32, 1, 91), probes::isWhite), 0);
        // The rpm the log has is drawn: not dashes.
        const QImage rpmDashes =
            renderTextBox({200, 140}, "----", {-50, -50, 100, 40}, &ScreenKit::boldFont32,
                          0xFFFFFFFF, gfx::StringAlignment::center);
        QVERIFY(!probes::sameRegion(screen, rpmDashes, QRect(150, 92, 100, 33)));
    }
};

QTEST_MAIN(ReplaySourceTest)
#include "tst_replay_source.moc"
