// zentor-snapshot: its command line, the engine state it sets up, and the
// program's exit statuses and output.

#include "FlightFixture.h"
#include "app/shell/Instrument.h"
#include "engine/Engine.h"
#include "tools/Snapshot.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class SnapshotTest : public QObject {
    Q_OBJECT
private slots:
    void commandLines_data();
    void commandLines();
    void assignmentsReachTheEngineRecord();
    void framesRepeatForASeed();
    void programExitStatuses_data();
    void programExitStatuses();
    void loggedMoments_data();
    void loggedMoments();
    void describedLogs_data();
    void describedLogs();
    void leanReadouts_data();
    void leanReadouts();
};

namespace {

// A log of six seconds: rpm and oil temperature, no fuel flow column, and
// one row that goes back in time.
const QByteArray snapshotLog = "Time,RPM,Oil Temp (°F)\n"
                               "0,900,100\n"
                               "2,1100,120\n"
                               "1,5000,500\n"
                               "6,2400,180\n";

QString writeLog(const QTemporaryDir& directory) {
    const QString path = directory.filePath("flight.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(snapshotLog) != snapshotLog.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

static ParsedCommandLine parse(const QStringList& arguments) {
    std::vector<std::string> owned;
    for (const QString& argument : arguments)
        owned.push_back(argument.toStdString());
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    return parseSnapshotCommandLine(views);
}

void SnapshotTest::commandLines_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error"); // empty: accepted
    QTest::newRow("output only") << QStringList{"a.png"} << "";
    QTest::newRow("every option")
        << QStringList{"--set",   "rpm=2400", "--set=egtSpread[2]=1.05", "--ticks",
                       "10",      "--seed=7", "--screen-only",           "--size",
                       "586x822", "a.png"}
        << "";
    QTest::newRow("no output") << QStringList{"--screen-only"} << "no OUTPUT.png given";
    QTest::newRow("two outputs") << QStringList{"a.png", "b.png"} << "one OUTPUT.png only";
    QTest::newRow("unknown option") << QStringList{"--colour", "a.png"} << "unknown option";
    QTest::newRow("unknown field") << QStringList{"--set", "rmp=1", "a.png"} << "no engine field";
    QTest::newRow("value not a number")
        << QStringList{"--set", "rpm=fast", "a.png"} << "not a value for rpm";
    QTest::newRow("float out of range")
        << QStringList{"--set", "rpm=1e60", "a.png"} << "not a value for rpm";
    QTest::newRow("spread without index")
        << QStringList{"--set", "egtSpread=1", "a.png"} << "needs an index 0..5";
    QTest::newRow("spread index 6")
        << QStringList{"--set", "chtSpread[6]=1", "a.png"} << "needs an index 0..5";
    QTest::newRow("cylinder beyond 8 bits")
        << QStringList{"--set", "selectedCylinder=256", "a.png"} << "not a value";
    QTest::newRow("negative ticks") << QStringList{"--ticks", "-1", "a.png"} << "--ticks needs";
    QTest::newRow("seed missing") << QStringList{"a.png", "--seed"} << "--seed needs a value";
    QTest::newRow("size without height") << QStringList{"--size", "586", "a.png"} << "--size needs";
    QTest::newRow("replay at a time")
        << QStringList{"--replay", "f.csv", "--at", "1:02:03", "a.png"} << "";
    QTest::newRow("replay from its first row") << QStringList{"--replay=f.csv", "a.png"} << "";
    QTest::newRow("at without replay")
        << QStringList{"--at", "5", "a.png"} << "--at needs --replay";
    QTest::newRow("at a negative time")
        << QStringList{"--replay", "f.csv", "--at", "-5", "a.png"} << "--at needs a time";
    QTest::newRow("at no time") << QStringList{"--replay", "f.csv", "--at", "soon", "a.png"}
                                << "--at needs a time";
    QTest::newRow("replay and ticks")
        << QStringList{"--replay", "f.csv", "--ticks", "5", "a.png"} << "choose one";
    QTest::newRow("describe") << QStringList{"--replay", "f.csv", "--describe"} << "";
    QTest::newRow("describe without a log") << QStringList{"--describe"} << "--describe needs";
    QTest::newRow("describe draws nothing")
        << QStringList{"--replay", "f.csv", "--describe", "a.png"} << "no OUTPUT.png";
    QTest::newRow("review") << QStringList{"--replay", "f.csv",  "--review",
                                           "r.svg",    "--size", "800x600"}
                            << "";
    QTest::newRow("review without a log") << QStringList{"--review", "r.png"} << "needs --replay";
    QTest::newRow("review of a moment")
        << QStringList{"--replay", "f.csv", "--review", "r.png", "--at", "5"} << "whole log";
    QTest::newRow("review and a frame")
        << QStringList{"--replay", "f.csv", "--review", "r.png", "a.png"} << "no OUTPUT.png";
    QTest::newRow("lean") << QStringList{"--replay", "f.csv",   "--lean", "0:24:50",
                                         "--at",     "0:27:50", "a.png"}
                          << "";
    QTest::newRow("lean without a log") << QStringList{"--lean", "5", "a.png"} << "needs --replay";
    QTest::newRow("lean without a moment")
        << QStringList{"--replay", "f.csv", "--lean", "5", "a.png"} << "needs --at";
    QTest::newRow("lean after the moment")
        << QStringList{"--replay", "f.csv", "--lean", "0:10", "--at", "9", "a.png"}
        << "--at 00:00:09 is before --lean 00:00:10";
    QTest::newRow("lean in a review")
        << QStringList{"--replay", "f.csv", "--lean", "5", "--review", "r.png"} << "one moment";
    QTest::newRow("review as a jpeg")
        << QStringList{"--replay", "f.csv", "--review", "r.jpg"} << "ending .png or .svg";
}

void SnapshotTest::commandLines() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const ParsedCommandLine parsed = parse(arguments);
    QCOMPARE(parsed.options.has_value(), error.isEmpty());
    QVERIFY2(error.isEmpty() ? parsed.error.empty()
                             : QString::fromStdString(parsed.error).contains(error),
             parsed.error.c_str());
    QVERIFY(parsed.error.find('\n') == std::string::npos);
}

void SnapshotTest::assignmentsReachTheEngineRecord() {
    const ParsedCommandLine parsed =
        parse({"--set", "rpm=2400", "--set", "egtSpread[2]=1.05", "--set", "selectedCylinder=3",
               "--set", "demoMode=1", "--set", "oat=nan", "a.png"});
    QVERIFY(parsed.options);
    Instrument instrument;
    prepareEngineState(instrument, *parsed.options);
    QCOMPARE(instrument.engine.rpm, 2400.0f);
    QCOMPARE(instrument.engine.egtSpread[2], 1.05);
    QCOMPARE(int(instrument.engine.selectedCylinder), 3);
    QCOMPARE(instrument.engine.demoMode, 1);
    QVERIFY(std::isnan(instrument.engine.oat));
    QCOMPARE(instrument.engine.mixture, 1.0f); // where the window starts the controls
}

void SnapshotTest::framesRepeatForASeed() {
    Instrument instrument;
    SnapshotOptions options;
    options.ticks = 20;
    QCOMPARE(renderFrame(instrument, options).size(), QSize(750, 945)); // the whole panel
    options.size = ClientSize{375, 300};
    QCOMPARE(renderFrame(instrument, options).size(), QSize(375, 300));
    options = SnapshotOptions{};
    options.screenOnly = true;
    const QImage first = renderFrame(instrument, options);
    QCOMPARE(first.size(), QSize(630, 483));
    QCOMPARE(renderFrame(instrument, options), first);
    options.seed = 99; // other spreads: other bars
    QVERIFY(renderFrame(instrument, options) != first);
}

void SnapshotTest::programExitStatuses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("written") << QStringList{"--screen-only", "--set", "rpm=2400"} << 0;
    QTest::newRow("bad value") << QStringList{"--ticks", "many"} << 2;
    QTest::newRow("bad option") << QStringList{"--frobnicate"} << 2;
    QTest::newRow("a replayed log")
        << QStringList{"--screen-only", "--replay", "%1", "--at", "3"} << 0;
    QTest::newRow("a log that is not there")
        << QStringList{"--replay", "%1.missing", "--at", "3"} << 2;
    QTest::newRow("a log with no engine column") << QStringList{"--replay", "%2"} << 2;
    QTest::newRow("lean after the moment")
        << QStringList{"--replay", "%1", "--lean", "5", "--at", "3"} << 2;
    // A time of day typed where a place in the log is meant.
    QTest::newRow("past the end of the log")
        << QStringList{"--replay", "%1", "--at", "15:38:21"} << 2;
}

void SnapshotTest::programExitStatuses() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QTemporaryDir directory;
    const QString output = directory.filePath("frame.png");
    const QString log = writeLog(directory);
    const QString noEngine = directory.filePath("altitude.csv");
    QFile altitude(noEngine);
    QVERIFY(altitude.open(QIODevice::WriteOnly) && altitude.write("Time,Altitude\n0,1000\n") > 0);
    altitude.close();
    for (QString& argument : arguments)
        argument.replace("%1", log).replace("%2", noEngine);
    QProcess program;
    program.start(ZENTOR_SNAPSHOT_PROGRAM, arguments << output);
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), status);
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    if (status == 0) {
        QCOMPARE(QImage(output).size(), QSize(630, 483));
        // The log's one bad row is reported, and the frame written all the same.
        const QString report =
            "zentor-snapshot: " + log + ": 1 bad row skipped, on line 4: time goes backwards\n";
        QCOMPARE(errors.contains(report), arguments.contains("--replay"));
    } else {
        QVERIFY(!QFile::exists(output));
        QVERIFY(errors.startsWith("zentor-snapshot: ") && errors.count('\n') == 1);
        if (arguments.contains("15:38:21"))
            QVERIFY2(errors.contains("past the end of the log (00:00:06 long)"),
                     qPrintable(errors));
    }
}

// --at counts from the log's first row, in seconds or h:mm:ss; between rows
// values are interpolated. What the log lacks is no data; --set applies on top.
void SnapshotTest::loggedMoments_data() {
    QTest::addColumn<QString>("at");
    QTest::addColumn<float>("rpm");
    QTest::addColumn<float>("oilTemp");
    QTest::newRow("the first row") << "0" << 900.0f << 100.0f;
    QTest::newRow("between rows") << "1" << 1000.0f << 110.0f;
    QTest::newRow("past the bad row") << "4" << 1750.0f << 150.0f;
    QTest::newRow("h:mm:ss") << "0:00:06" << 2400.0f << 180.0f;
}

void SnapshotTest::loggedMoments() {
    QFETCH(QString, at);
    QFETCH(float, rpm);
    QFETCH(float, oilTemp);
    QTemporaryDir directory;
    const QString log = writeLog(directory);
    const ParsedCommandLine parsed =
        parse({"--replay", log, "--at", at, "--set", "selectedCylinder=3", "a.png"});
    QVERIFY2(parsed.options, parsed.error.c_str());
    const LoggedMoment moment = readLoggedMoment(*parsed.options->replay, *parsed.options->at);
    QVERIFY2(moment.values, moment.error.c_str());
    Instrument instrument;
    prepareEngineState(instrument, *parsed.options, &*moment.values);
    QCOMPARE(instrument.engine.rpm, rpm);
    QCOMPARE(instrument.engine.oilTemp, oilTemp);
    QVERIFY(instrument.engine.lacks(Quantity::fuelFlow));
    QVERIFY(!instrument.engine.lacks(Quantity::rpm));
    QCOMPARE(int(instrument.engine.selectedCylinder), 3);
}

// --describe prints, without drawing, what was read and how: lines that
// must appear for each of our export fixtures.
void SnapshotTest::describedLogs_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("clock steps") << "export-clock-steps.csv"
                                 << QStringList{
                                        "format: avionics export, aircraft N721ZT",
                                        "   4  \"RPM\" / \"E1 RPM\" -> RPM, rpm\n",
                                        "   5  \"Manifold Press (inch Hg)\" / \"E1 MAP\" -> "
                                        "Manifold Pressure, inch Hg\n",
                                        "time: local date in column 1 with the local time of day "
                                        "in column 2, less the UTC offset in column 3, as UTC\n",
                                        "rows: 12, the first at 2024-06-02 14:00:00 UTC, the last "
                                        "at 2024-06-02 13:58:11 UTC\n",
                                        "length: 00:00:11\n",
                                        "clock corrections: 2 steps of the log's clock",
                                        "skipped rows: none\n",
                                    };
    QTest::newRow("extra columns")
        << "export-extra-columns.csv"
        << QStringList{
               "\"Engine Power (%)\" / \"E1 %Pwr\" -> Percent Power, %\n",
               "\"Main Fuel Qty (gal)\" / \"FQtyL\" -> Left Fuel, gal\n",
               "\"Aux Fuel Qty (gal)\" / \"FQtyR\" -> Right Fuel, gal\n",
               "\"Batt Amps\" / \"BattAmp\" -> Amps, A\n",
               "\"Amps2\" / \"amp2\" -> not used (Amps is read from column 8)\n",
               "\"Volts 2\" / \"volt2\" -> Volts, V\n",
               "\"Oil Temperature Probe A (deg F)\" / \"E1 OilT\" (by its short name) -> Oil "
               "Temp, deg F\n",
               "unreadable cells:\n  1 not a number, the first on line 5, Oil Temperature Probe A "
               "(deg F): 27O0\n",
           };
    QTest::newRow("UTC time beside the local") << "export-utc-time-midnight-utc.csv"
                                               << QStringList{
                                                      "\"UTC Time (hh:mm:ss)\" / \"UTC Time\" -> "
                                                      "not used\n",
                                                      "rows: 6, the first at 2024-10-14 23:59:57 "
                                                      "UTC, the last at 2024-10-15 00:00:02 UTC\n",
                                                  };
}

void SnapshotTest::describedLogs() {
    QFETCH(QString, file);
    QFETCH(QStringList, lines);
    QProcess program;
    program.start(ZENTOR_SNAPSHOT_PROGRAM,
                  {"--replay", QStringLiteral(ZENTOR_LOG_FIXTURES "/") + file, "--describe"});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
    const QString text = QString::fromUtf8(program.readAllStandardOutput());
    for (const QString& line : lines)
        QVERIFY2(text.contains(line), qPrintable(line + " not in:\n" + text));
}

namespace {

// The cylinder 1 probe of the lean-sweep flight alone, as a monitor with one
// EGT logs it.
std::string singleProbeLog(const FlightPlan& plan) {
    std::string text = "Time,RPM,Fuel Flow (gal/hour),EGT (deg F)\n";
    for (int t = 0; t < plan.rows(); ++t)
        text += std::to_string(t) + ",2400," + std::to_string(planFlow(plan, t)) + "," +
                std::to_string(planEgt(plan, 0, t)) + "\n";
    return text;
}

// `line` as `expected` says, where each {v~t} in it stands for a number
// within t of v.
bool lineMatches(const QString& line, const QString& expected) {
    static const QRegularExpression token(R"(\{([\d.]+)~([\d.]+)\})");
    QString pattern = "^";
    std::vector<std::pair<double, double>> numbers;
    qsizetype from = 0;
    for (auto it = token.globalMatch(expected); it.hasNext();) {
        const QRegularExpressionMatch number = it.next();
        pattern += QRegularExpression::escape(expected.mid(from, number.capturedStart() - from)) +
                   R"((\d+(?:\.\d+)?))";
        numbers.emplace_back(number.captured(1).toDouble(), number.captured(2).toDouble());
        from = number.capturedEnd();
    }
    const QRegularExpressionMatch match =
        QRegularExpression(pattern + QRegularExpression::escape(expected.mid(from)) + "$")
            .match(line);
    for (std::size_t i = 0; match.hasMatch() && i < numbers.size(); ++i)
        if (std::abs(match.captured(int(i) + 1).toDouble() - numbers[i].first) > numbers[i].second)
            return false;
    return match.hasMatch();
}

} // namespace

// The pilot presses L at 00:24:50, in cruise at 13 gal/h, and leans at
// 0.02 gal/h a second from 00:25:00: the fixture's cylinders peak at 11.8
// (cylinder 3, first), 11.3, 11.0, 10.9, 10.8 and 10.6 gal/h (cylinder 4,
// last), a spread of 1.2. The line says what the screen shows at --at;
// temperatures within the probe noise, fuel flows within what a peak moves
// by in that noise.
void SnapshotTest::leanReadouts_data() {
    QTest::addColumn<QString>("flight");
    QTest::addColumn<QString>("at");
    QTest::addColumn<int>("cylinder");
    QTest::addColumn<QString>("line");
    const QString peaks = " 1:{11.3~0.45} 2:{10.9~0.45} 3:{11.8~0.45} 4:{10.6~0.45} "
                          "5:{11.0~0.45} 6:{10.8~0.45}";
    // Cylinder 1 from 1336 °F at the L to 1420 at 12.2 gal/h.
    QTest::newRow("rising to the peaks")
        << "lean-sweep"
        << "00:25:40" << 0
        << "lean 00:25:40: LEAN  cylinder 1 +{83~6}  peaks 1:-- 2:-- 3:-- 4:-- 5:-- 6:--";
    QTest::newRow("cylinder 3 past its peak")
        << "lean-sweep"
        << "00:26:40" << 2
        << "lean 00:26:40: LOP  1ST 3  cylinder 3 -{26~6}  peaks 1:-- 2:-- 3:{11.8~0.45} 4:-- "
           "5:-- 6:--";
    QTest::newRow("all past their peaks")
        << "lean-sweep"
        << "00:27:50" << 0
        << "lean 00:27:50: LOP  1ST 3  SPREAD {1.2~0.5}  cylinder 1 -{116~6}  peaks" + peaks;
    // Back to 12.5 gal/h once cylinder 3 alone peaked: its peak is kept.
    QTest::newRow("enriched halfway")
        << "enriched-halfway"
        << "00:28:00" << 2
        << "lean 00:28:00: ROP  1ST 3  cylinder 3 -{20~6}  peaks 1:-- 2:-- 3:{11.8~0.45} 4:-- "
           "5:-- 6:--";
    // A probe stuck at 154 °F neither moves nor peaks, nor holds up the spread.
    QTest::newRow("stuck probe")
        << "stuck-probe"
        << "00:27:50" << 2
        << "lean 00:27:50: LEAN  1ST 1  SPREAD {0.7~0.5}  cylinder 3 +0  peaks 1:{11.3~0.45} "
           "2:{10.9~0.45} 3:-- 4:{10.6~0.45} 5:{11.0~0.45} 6:{10.8~0.45}";
    QTest::newRow("one EGT") << "single-egt"
                             << "00:27:50" << 4
                             << "lean 00:27:50: LOP  1 EGT  EGT -{116~6}  peak {11.3~0.45}";
}

void SnapshotTest::leanReadouts() {
    QFETCH(QString, flight);
    QFETCH(QString, at);
    QFETCH(int, cylinder);
    QFETCH(QString, line);
    const auto kind = flight == "enriched-halfway" ? FlightKind::enrichedHalfway
                      : flight == "stuck-probe"    ? FlightKind::stuckProbe
                                                   : FlightKind::leanSweep;
    const FlightPlan plan = flightPlan(kind);
    const std::string text = flight == "single-egt" ? singleProbeLog(plan) : flightLog(plan);
    QTemporaryDir directory;
    const QString log = directory.filePath(flight + ".csv");
    QFile file(log);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.data(), qint64(text.size())) > 0);
    file.close();
    QProcess program;
    program.start(ZENTOR_SNAPSHOT_PROGRAM,
                  {"--replay", log, "--lean", "00:24:50", "--at", at, "--set",
                   "selectedCylinder=" + QString::number(cylinder), "--screen-only",
                   directory.filePath("frame.png")});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(printed.endsWith('\n') && lineMatches(printed.chopped(1), line),
             qPrintable(printed + "is not\n" + line));
}

QTEST_MAIN(SnapshotTest)
#include "tst_snapshot.moc"
