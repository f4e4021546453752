// zentor-demo's command line: options that run, and every bad one answered
// with one line naming it and status 2; and the keys the window takes.

#include "app/window/CommandLine.h"
#include "app/window/KeyBindings.h"

#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT

    static ParsedLaunch parse(const QString& line) {
        return parseLaunchOptions(QStringList{QStringLiteral("zentor-demo")} +
                                  line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    }

private slots:
    void refusedBeforeAnyWindow_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* line, const char* message) {
            QTest::newRow(line) << QString(line) << QString(message);
        };
        row("--bogus", "zentor-demo: Unknown option 'bogus'.\n");
        row("flight.csv", "zentor-demo: unexpected argument 'flight.csv'\n");
        row("--replay", "zentor-demo: Missing value after '--replay'.\n");
        row("--replay f.csv --speed 100",
            "zentor-demo: --speed: '100' is not a speed from 1/4 to 64\n");
        row("--replay f.csv --speed 0",
            "zentor-demo: --speed: '0' is not a speed from 1/4 to 64\n");
        row("--replay f.csv --from -5",
            "zentor-demo: --from: '-5' is not a time in seconds or hh:mm:ss\n");
        row("--speed 2", "zentor-demo: --speed needs --replay\n");
        row("--from 10", "zentor-demo: --from needs --replay\n");
        row("--force", "zentor-demo: --force needs --record or --write-aircraft\n");
        row("--record-interval 5", "zentor-demo: --record-interval needs --record\n");
        row("--record r.csv --record-interval soon",
            "zentor-demo: --record-interval: 'soon' is not a number of seconds\n");
        row("--size 10x", "zentor-demo: --size: '10x' is not a client size WxH from 1x1 to "
                          "16384x16384\n");
        row("--size 0x600", "zentor-demo: --size: '0x600' is not a client size WxH from 1x1 to "
                            "16384x16384\n");
        row("--size 20000x600", "zentor-demo: --size: '20000x600' is not a client size WxH from "
                                "1x1 to 16384x16384\n");
        row("--replay f.csv --xplane 127.0.0.1",
            "zentor-demo: --replay cannot run beside a simulator (--xplane, --flightgear)\n");
        row("--replay f.csv --record f.csv",
            "zentor-demo: --record would overwrite the log being replayed\n");
    }

    void refusedBeforeAnyWindow() {
        QFETCH(QString, line);
        QFETCH(QString, message);
        const ParsedLaunch launch = parse(line);
        QVERIFY(!launch.options);
        QCOMPARE(launch.exitStatus, 2);
        QCOMPARE(QString::fromStdString(launch.output), message);
    }

    void optionsThatRun() {
        const ParsedLaunch none = parse(QString());
        QVERIFY(none.options);
        QVERIFY(!none.options->recordPath && !none.options->replayPath);
        QVERIFY(!none.options->fullscreen && !none.options->clientSize);
        QVERIFY(none.options->live.xplane.isEmpty() && none.options->live.flightgear.isEmpty());

        const ParsedLaunch replay =
            parse("--replay f.csv --speed 1/4 --from 01:02:03 --record r.csv "
                  "--record-interval 0 --force --size 800x600 --fullscreen");
        QVERIFY(replay.options);
        QCOMPARE(replay.options->replaySpeed, 0.25);
        QCOMPARE(replay.options->replayFrom, 3723.0);
        QCOMPARE(replay.options->recordInterval, 0.0);
        QVERIFY(replay.options->overwriteRecording && replay.options->fullscreen);
        QCOMPARE(*replay.options->clientSize, QSize(800, 600));
        QCOMPARE(*replay.options->recordPath, std::string("r.csv"));

        const ParsedLaunch live = parse("--xplane 10.0.0.2:49001 --listen 0.0.0.0");
        QVERIFY(live.options);
        QCOMPARE(live.options->live.xplane, QStringLiteral("10.0.0.2:49001"));
        QCOMPARE(live.options->live.listen, QStringLiteral("0.0.0.0"));
    }

    void helpListsOptionsAndKeys() {
        const ParsedLaunch help = parse("--help");
        QVERIFY(!help.options);
        QCOMPARE(help.exitStatus, 0);
        const QString text = QString::fromStdString(help.output);
        QVERIFY(text.startsWith("Usage: zentor-demo [options]"));
        for (const char* listed : {"--replay <FILE>", "--xplane <HOST[:PORT]>", "--fullscreen",
                                   "Shift+Left", "Page Down", "Escape", "Alt+Space", "Wheel"})
            QVERIFY2(text.contains(QLatin1String(listed)), listed);
        QCOMPARE(parse("--version").output, std::string("zentor-demo " ZENTOR_VERSION "\n"));
    }

    void keysAsPressed_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("action"); // -1: not the instrument's
        const auto row = [](const char* name, int key, Qt::KeyboardModifiers modifiers,
                            int action) { QTest::newRow(name) << key << int(modifiers) << action; };
        row("C", Qt::Key_C, Qt::NoModifier, int(InstrumentKey::stepCylinder));
        row("Shift+C still steps", Qt::Key_C, Qt::ShiftModifier, int(InstrumentKey::stepCylinder));
        row("Left", Qt::Key_Left, Qt::NoModifier, int(InstrumentKey::seekBack));
        row("Shift+Left", Qt::Key_Left, Qt::ShiftModifier, int(InstrumentKey::seekBackLong));
        row("+ typed with Shift", Qt::Key_Plus, Qt::ShiftModifier,
            int(InstrumentKey::replayFaster));
        row("+ on the keypad", Qt::Key_Plus, Qt::KeypadModifier, int(InstrumentKey::replayFaster));
        row("Alt+Space is the window's", Qt::Key_Space, Qt::AltModifier, -1);
        row("Ctrl+M is not Mute", Qt::Key_M, Qt::ControlModifier, -1);
        row("Enter does nothing", Qt::Key_Return, Qt::NoModifier, -1);
        row("Escape is the window's", Qt::Key_Escape, Qt::NoModifier, -1);
    }

    void keysAsPressed() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, action);
        const std::optional<InstrumentKey> bound =
            boundKey(key, Qt::KeyboardModifiers(QFlag(modifiers)));
        QCOMPARE(bound ? int(*bound) : -1, action);
    }
};

QTEST_MAIN(CommandLineTest)
#include "tst_command_line.moc"
