// The aircraft profile: the instrument's own is today's screen, pixel for
// pixel; every kind of bad file is refused with one FILE:LINE:COLUMN line;
// good files read as written; and the programs take and refuse them before
// any window opens.

#include "aircraft/InstrumentProfile.h"
#include "aircraft/ProfileReader.h"
#include "aircraft/ProfileWriter.h"
#include "app/window/CommandLine.h"
#include "engine/Engine.h"
#include "screen/GaugeAnatomy.h"
#include "tools/Snapshot.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <fstream>

namespace {

const AircraftProfile& own = defaultProfile();

const GaugeProfile& gauge(Gauge g) {
    return own.gauge(g);
}

// Where the screen draws a value today, by the mappings its tables were made with.
float rpmArc(double rpm) { // clockwise from the x axis, as the arcs start
    return float((rpm - 2400) * 0.01 * 21.25) + 270;
}
float mapDial(double inHg) { // clockwise from the top, as the end marks stand
    return float((30 - inHg) * (1.0 / 15) * 170 + 95);
}
float egtRow(double egt) {
    return float(92 - (egt - 825) * (1.0 / 825) * 92);
}
float chtRow(double cht) {
    return float(92 - (cht - 200) * (1.0 / 300) * 92);
}
float strip(Gauge g, double value) {
    return stripY(float(value), float(gauge(g).min), float(gauge(g).max));
}

struct PixelRow {
    const char* what;
    float drawn; // as the screen's table holds it
    float fromProfile;
};

std::string readFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

class AircraftProfileTest : public QObject {
    Q_OBJECT

private slots:
    // Each marking of the instrument's own profile lands on the pixel or
    // angle the screen's tables draw it at today.
    void ownProfileIsTodaysScreen() {
        using enum Gauge;
        const PixelRow rows[] = {
            {"rpm green starts", 185, rpmArc(gauge(rpm).green[0].from)},
            {"rpm yellow starts", 335, rpmArc(gauge(rpm).yellow[0].from)},
            {"rpm red starts", 345, rpmArc(gauge(rpm).red[0].from)},
            {"rpm red ends", 345 + 10, rpmArc(gauge(rpm).red[0].to)},
            {"map green starts", 5 + 90, mapDial(gauge(manifoldPressure).green[0].to)},
            {"map green ends", 5 + 170 + 90, mapDial(gauge(manifoldPressure).green[0].from)},
            {"map end mark 15", 265, mapDial(gauge(manifoldPressure).redLines[0])},
            {"map end mark 30", 95, mapDial(gauge(manifoldPressure).redLines[1])},
            {"egt red", 0, egtRow(gauge(egt).red[0].to)},
            {"egt yellow", 5.5757575f, egtRow(gauge(egt).yellow[0].to)},
            {"egt green", 16.727272f, egtRow(gauge(egt).green[0].to)},
            {"egt bottom", 92, egtRow(gauge(egt).green[0].from)},
            {"cht red", 0, chtRow(gauge(cht).red[0].to)},
            {"cht yellow", 6.1333332f, chtRow(gauge(cht).yellow[0].to)},
            {"cht green", 24.533333f, chtRow(gauge(cht).green[0].to)},
            {"oil-t green top", 18.75f, strip(oilTemperature, gauge(oilTemperature).green[0].to)},
            {"oil-t green foot", 18.75f + 33.75f,
             strip(oilTemperature, gauge(oilTemperature).green[0].from)},
            {"oil-t line 90", 52.5f, strip(oilTemperature, gauge(oilTemperature).redLines[0])},
            {"oil-t line 225", 18.75f, strip(oilTemperature, gauge(oilTemperature).redLines[1])},
            {"oil-p green top", 15, strip(oilPressure, gauge(oilPressure).green[0].to)},
            {"oil-p green foot", 15 + 51, strip(oilPressure, gauge(oilPressure).green[0].from)},
            {"oil-p line 15", 66, strip(oilPressure, gauge(oilPressure).redLines[0])},
            {"fuel-p green foot", 45, strip(fuelPressure, gauge(fuelPressure).green[0].from)},
            {"fuel-p line 20", 0, strip(fuelPressure, gauge(fuelPressure).redLines[1])},
            {"volts green foot", 62.5f, strip(volts, gauge(volts).green[0].from)},
            {"amps green foot", 37.5f, strip(amps, gauge(amps).green[0].from)},
            {"oat red top", 39, strip(oat, gauge(oat).red[0].to)},
            {"oat red foot", 39 + 5.4f, strip(oat, gauge(oat).red[0].from)},
            {"ff green foot", 61.875f, strip(fuelFlow, gauge(fuelFlow).green[0].from)},
            {"ff line 3.5", 61.875f, strip(fuelFlow, gauge(fuelFlow).redLines[0])},
        };
        for (const PixelRow& row : rows)
            QVERIFY2(row.drawn == row.fromProfile,
                     qPrintable(QStringLiteral("%1: drawn at %2, the profile gives %3")
                                    .arg(QLatin1String(row.what))
                                    .arg(double(row.drawn), 0, 'g', 9)
                                    .arg(double(row.fromProfile), 0, 'g', 9)));
        QCOMPARE(own.cylinders, 6);
        QCOMPARE(own.tailNumber.view(), std::string_view("N5038K"));
        QCOMPARE(own.leftTank, double(EngineState{}.leftCapacity));
        QCOMPARE(own.rightTank, double(EngineState{}.rightCapacity));
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, QByteArray text, const char* error) {
            QTest::newRow(name) << text << QString::fromLatin1(error);
        };
        row("empty", "", "p.toml:1:1: the file is empty");
        row("blank", " \n\t\n", "p.toml:1:1: the file is empty");
        row("binary",
            QByteArray("cylinders = 6\n\x7F"
                       "ELF\0\x01",
                       20),
            "p.toml:2:1: binary data (byte 0x7F)");
        row("not toml", "cylinders = = 6", "p.toml:1:13: ");
        row("parser quotes a line feed", "c = i\ne", "p.toml:1:6: ");
        row("beyond ascii", "# \u00B0F\ntemperature_unit = \"\u00B0F\"",
            "p.toml:2:21: a profile's keys and values are plain ASCII");
        row("unknown key", "cylinder = 4",
            "p.toml:1:1: unknown key 'cylinder'; did you mean "
            "'cylinders'?");
        row("unknown gauge", "[oil_presure]",
            "p.toml:1:2: unknown key 'oil_presure'; did you mean 'oil_pressure'?");
        row("unknown marking", "[volts]\nscale = [10, 16]\ngren = [[11, 16]]",
            "p.toml:3:1: unknown key 'gren'; did you mean 'green'?");
        row("five cylinders", "cylinders = 5",
            "p.toml:1:13: cylinders = 5: the instrument shows 4 or 6 cylinders");
        row("text for a number", "left_tank = \"fifty\"",
            "p.toml:1:13: left_tank must be a number, not text");
        row("not finite", "right_tank = nan", "p.toml:1:14: right_tank must be a finite number");
        row("unknown unit", "temperature_unit = \"kelvin\"",
            "p.toml:1:20: unknown temperature_unit 'kelvin'; use degF or degC");
        row("peak drop as text", "lean_peak_drop = \"ten\"",
            "p.toml:1:18: lean_peak_drop must be a number, not text");
        row("peak drop in the noise", "lean_peak_drop = 0.5",
            "p.toml:1:18: lean_peak_drop = 0.5: degrees F from 1 to 100");
        row("peak drop never seen", "lean_peak_drop = 250",
            "p.toml:1:18: lean_peak_drop = 250: degrees F from 1 to 100");
        row("bad tail number", "tail_number = \"N 1\"",
            "p.toml:1:15: tail_number must be text of 1 to 10 letters, digits and dashes");
        row("no scale", "[amps]\ngreen = [[0, 50]]",
            "p.toml:1:1: [amps] needs scale = [bottom, top]");
        row("scale upside down", "[volts]\nscale = [16, 10]",
            "p.toml:2:9: scale range [16, 10] is the wrong way round or empty");
        row("range upside down", "[volts]\nscale = [10, 16]\ngreen = [[16, 11]]",
            "p.toml:3:10: green range [16, 11] is the wrong way round or empty");
        row("ranges overlap",
            "[cht]\nscale = [200, 500]\ngreen = [[200, 430]]\n"
            "yellow = [[420, 480]]",
            "p.toml:4:11: yellow range [420, 480] overlaps green range [200, 430]");
        row("range off the scale", "[oil_temperature]\nscale = [0, 300]\nred = [[225, 320]]",
            "p.toml:3:8: red range [225, 320] lies outside the scale [0, 300]");
        row("red line off the scale", "[oil_temperature]\nscale = [0, 300]\nred_lines = [320]",
            "p.toml:3:14: red line 320 lies outside the scale [0, 300]");
        row("too many ranges", "[oat]\nscale = [-25, 100]\nred = [[0,1],[1,2],[2,3],[3,4],[4,5]]",
            "p.toml:3:32: at most 4 red ranges");
        row("both low bounds",
            "[amps]\nscale = [-50, 50]\nreadout_white = { above = 0, "
            "at_least = 1 }",
            "p.toml:3:");
    }

    void refused() {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        const ProfileReading reading =
            readAircraftProfileText(std::string_view(text.constData(), text.size()), "p.toml");
        QVERIFY(!reading.profile);
        QVERIFY2(QString::fromStdString(reading.error).startsWith(error), reading.error.c_str());
        QVERIFY(!reading.error.empty() && reading.error.find('\n') == std::string::npos);
    }

    void tooLongIsRefusedUnparsed() {
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("big.toml")).toStdString();
        std::ofstream(path) << std::string(maxProfileBytes + 1, '#');
        QVERIFY(readAircraftProfile(path).error.starts_with(path + ":1:1: longer than 262144"));
        QVERIFY(readAircraftProfile(path + ".none").error.starts_with(path + ".none: cannot"));
    }

    void ownProfileWrittenReadsBackExactly() {
        const ProfileReading reading =
            readAircraftProfileText(writeAircraftProfile(own), "own.toml");
        QVERIFY2(reading.profile, reading.error.c_str());
        QVERIFY(*reading.profile == own);
        // Comments only: every value the instrument's own, and no aircraft named.
        AircraftProfile unnamed = own;
        unnamed.tailNumber = {};
        QVERIFY(*readAircraftProfileText("# nothing yet\n", "c.toml").profile == unnamed);
    }

    void fourCylinderCelsiusAsWritten() {
        const ProfileReading reading =
            readAircraftProfile(ZENTOR_AIRCRAFT_DATA "/four-cylinder-celsius.toml");
        QVERIFY2(reading.profile, reading.error.c_str());
        const AircraftProfile& p = *reading.profile;
        QCOMPARE(p.tailNumber.view(), std::string_view("TEST-4C"));
        QCOMPARE(p.cylinders, 4);
        QCOMPARE(p.leanPeakDrop, 15.0);
        QVERIFY(p.temperatureUnit == Unit::degC && p.fuelUnit == Unit::litres);
        QVERIFY(readAircraftProfileText("temperature_unit = \"Celsius\" # \u00B0C", "u.toml")
                    .profile->temperatureUnit == Unit::degC);
        QVERIFY((p.gauge(Gauge::rpm).green == Ranges{{500, 2500}}));
        QVERIFY(p.gauge(Gauge::oilPressure).yellow == (Ranges{{10, 25}, {60, 90}}));
        QVERIFY(!p.gauge(Gauge::cht).whiteReadout); // white inside its green
        QVERIFY(p.gauge(Gauge::oat) == gauge(Gauge::oat));
        const GaugeProfile& fuel = p.gauge(Gauge::fuelQuantity);
        QVERIFY((fuel.min == 0 && fuel.max == 24 && fuel.red == Ranges{{0, 3}}));
        QVERIFY(*readAircraftProfileText(writeAircraftProfile(p), "again.toml").profile == p);
    }

    // The example the screen's documentation shows: sound, and its tanks
    // read 100 litres at the F mark.
    void exampleAircraftReads() {
        const ProfileReading reading =
            readAircraftProfile(ZENTOR_AIRCRAFT_DATA "/../example-four-cylinder.toml");
        QVERIFY2(reading.profile, reading.error.c_str());
        const AircraftProfile& p = *reading.profile;
        QCOMPARE(p.cylinders, 4);
        QCOMPARE(std::round(conversionBetween(Unit::gallons, p.fuelUnit)(p.leftTank) * 1000), 1e5);
        QVERIFY(p.gauge(Gauge::fuelQuantity).max == p.rightTank);
    }

    void programsTakeAndRefuseProfiles() {
        const auto launch = [](QStringList arguments) {
            return parseLaunchOptions(QStringList{QStringLiteral("zentor-demo")} + arguments);
        };
        const QString good = QStringLiteral(ZENTOR_AIRCRAFT_DATA "/four-cylinder-celsius.toml");
        const ParsedLaunch taken = launch({QStringLiteral("--aircraft"), good});
        QVERIFY(taken.options && taken.options->aircraft &&
                taken.options->aircraft->cylinders == 4);
        QCOMPARE(launch({"--write-aircraft", "a.toml", "--replay", "f.csv"}).output,
                 std::string("zentor-demo: --write-aircraft writes a file and exits: it takes no "
                             "--replay\n"));

        QTemporaryDir dir;
        const QString written = dir.filePath(QStringLiteral("own.toml"));
        const auto run = [](const QStringList& arguments) {
            QProcess program;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-display"));
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(ZENTOR_DEMO_PROGRAM), arguments);
            program.waitForFinished(20000);
            return std::pair{program.exitCode(), QString::fromUtf8(program.readAllStandardError())};
        };
        QCOMPARE(run({"--write-aircraft", written}).first, 0);
        QVERIFY(*readAircraftProfile(written.toStdString()).profile == own);
        QCOMPARE(run({"--write-aircraft", written}),
                 std::pair(2, "zentor-demo: " + written + " exists; --force replaces it\n"));
        QCOMPARE(run({"--write-aircraft", written, "--force"}).first, 0);

        std::string text = readFile(written);
        QVERIFY(text.starts_with("# Aircraft profile"));
        text.replace(text.find("red_lines = []", text.find("[egt]")), 14, "red_lines = [1700]");
        std::ofstream(written.toStdString(), std::ios::trunc) << text;
        const auto [status, error] = run({"--aircraft", written});
        QCOMPARE(status, 2);
        QCOMPARE(error, "zentor-demo: " + written +
                            ":40:14: red line 1700 lies outside the scale [825, 1650]\n");
        const std::string path = written.toStdString();
        const std::string_view snapshot[] = {"--aircraft", path, "out.png"};
        QVERIFY(parseSnapshotCommandLine(snapshot).error.ends_with("red line 1700 lies outside "
                                                                   "the scale [825, 1650]"));
    }
};

QTEST_MAIN(AircraftProfileTest)
#include "tst_aircraft_profile.moc"
