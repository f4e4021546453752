#include "LogTestFiles.h"

#include "logs/EngineLog.h"
#include "logs/RowIndex.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <random>

namespace {

// Checks a sample against "RPM=2400 -Volts": each named value shown as
// given (to the screen's display rounding at most), each "-name" absent.
QByteArray mismatches(const EngineSample& sample, const QByteArray& expected) {
    QByteArray wrong;
    for (const QByteArray& token : expected.split(' ')) {
        if (token.isEmpty())
            continue;
        const bool absent = token.startsWith('-');
        const QByteArray name = absent ? token.mid(1) : token.left(token.indexOf('='));
        const QByteArray spaced = QByteArray(name).replace('_', ' ');
        std::optional<Quantity> quantity;
        for (const QuantityRow& column : quantityRows)
            if (QByteArray::fromStdString(std::string(column.title)) == spaced)
                quantity = column.quantity;
        if (!quantity)
            return "no quantity " + name;
        if (absent ? sample.has(*quantity)
                   : !sample.has(*quantity) ||
                         std::fabs(sample[*quantity] -
                                   token.mid(token.indexOf('=') + 1).toDouble()) > 0.005)
            wrong += token + " ";
    }
    return wrong.isEmpty() ? QByteArray() : wrong + "in: " + describeSample(sample);
}

std::string tenMegabytes() {
    return std::string(10 << 20, '7');
}

// The sample at `at` as the frame timer gets it, tick after tick: one call
// reads a bounded amount, so past a long bad line it may take a few.
EngineSample playTo(EngineLog& log, double at) {
    const double target = std::clamp(std::isnan(at) ? 0.0 : at, 0.0, log.progress().length);
    EngineSample sample = log.sampleAt(at);
    for (int tick = 0; tick < 64 && sample.time != target; ++tick)
        sample = log.sampleAt(at);
    return sample;
}

// Deterministic bytes of every value, NULs included.
std::string garbage() {
    std::string bytes;
    std::minstd_rand random(7);
    for (int i = 0; i < 65536; ++i)
        bytes.push_back(char(random() & 0xFF));
    return bytes;
}

std::string utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

} // namespace

class EngineLogTest : public QObject {
    Q_OBJECT

private slots:
    // Each layout recognised from its header, its columns matched and
    // converted, values between rows interpolated.
    void formats_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("at");
        QTest::addColumn<QByteArray>("expected");
        const struct {
            const char* name;
            const char* file;
            LogFormat format;
            double length;
            double at;
            const char* expected;
        } rows[] = {
            {"avionics, first row", "avionics-export.csv", LogFormat::avionicsExport, 4, 0,
             "RPM=900 Manifold_Pressure=12.1 Oil_Temp=120 Oil_Pressure=60 Fuel_Pressure=19.5 "
             "Fuel_Flow=3.1 Volts=28.1 Amps=5.2 OAT=59 EGT1=1100 EGT6=1095 CHT1=250 CHT6=249 "
             "Left_Fuel=30 Right_Fuel=10 Percent_Power=20 -EGT -CHT -Torque -Throttle"},
            {"avionics, between rows", "avionics-export.csv", LogFormat::avionicsExport, 4, 0.5,
             "RPM=1200 EGT3=1170 CHT2=257 Right_Fuel=10"},
            {"avionics, empty cell", "avionics-export.csv", LogFormat::avionicsExport, 4, 1,
             "RPM=1500 -Right_Fuel"},
            {"avionics, after an empty cell", "avionics-export.csv", LogFormat::avionicsExport, 4,
             1.5, "RPM=1800 -Right_Fuel"},
            {"avionics, past the end", "avionics-export.csv", LogFormat::avionicsExport, 4, 99,
             "RPM=2400 Oil_Temp=124 CHT6=309 Right_Fuel=9.9"},
            {"semicolons, decimal comma, units", "generic-semicolon.csv", LogFormat::genericCsv, 2,
             0.25,
             "RPM=2405 Manifold_Pressure=24.03739 Oil_Temp=180.59 Oil_Pressure=60.91584 "
             "Fuel_Flow=12.03307 EGT=1293.8 CHT=356.45 OAT=59 Left_Fuel=26.40399 "
             "Right_Fuel=25.09634"},
            {"semicolons, empty cell", "generic-semicolon.csv", LogFormat::genericCsv, 2, 2,
             "RPM=2430 -Manifold_Pressure"},
            {"tabs, time stamps with zones", "generic-iso.tsv", LogFormat::genericCsv, 5, 3.75,
             "RPM=2550 Fuel_Flow=13.5 CHT1=353 EGT1=1365 Throttle=0.95"},
            {"export, past UTC midnight", "export-midnight-utc.csv", LogFormat::avionicsExport, 5,
             4.5, "RPM=2345 Manifold_Pressure=24.45 Oil_Temp=184.5 Oil_Pressure=60"},
            {"export, past local midnight", "export-midnight-local.csv", LogFormat::avionicsExport,
             5, 5, "RPM=2350"},
            {"export with UTC Time, past UTC midnight", "export-utc-time-midnight-utc.csv",
             LogFormat::avionicsExport, 5, 5, "RPM=2350"},
            {"export with UTC Time, past local midnight", "export-utc-time-midnight-local.csv",
             LogFormat::avionicsExport, 5, 3.5, "RPM=2335"},
            {"export, clock set back 3 min and on 1 min", "export-clock-steps.csv",
             LogFormat::avionicsExport, 11, 9, "RPM=2390 Oil_Temp=189"},
            {"export, the extra columns", "export-extra-columns.csv", LogFormat::avionicsExport, 3,
             0,
             "RPM=2400 Percent_Power=65 Left_Fuel=24.5 Right_Fuel=8 Amps=-1.5 Volts=28.1 "
             "Oil_Temp=185 EGT1=1320 CHT1=340"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString(row.file) << int(row.format) << row.length << row.at
                                    << QByteArray(row.expected);
    }

    void formats() {
        QFETCH(QString, file);
        QFETCH(int, format);
        QFETCH(double, length);
        QFETCH(double, at);
        QFETCH(QByteArray, expected);
        auto opened = EngineLog::open(QString(ZENTOR_LOG_FIXTURES "/" + file).toStdString());
        QVERIFY2(opened.log, opened.error.message().c_str());
        opened.log->waitForIndex();
        QCOMPARE(int(opened.log->format()), format);
        QCOMPARE(opened.log->progress().length, length);
        QCOMPARE(opened.log->progress().badRows, std::uint64_t(0));
        QCOMPARE(opened.log->progress().clockCorrections,
                 std::uint64_t(file == "export-clock-steps.csv" ? 2 : 0));
        if (file.startsWith("export-"))
            QCOMPARE(opened.log->layout().aircraft, std::string("N721ZT"));
        const QByteArray wrong = mismatches(opened.log->sampleAt(at), expected);
        QVERIFY2(wrong.isEmpty(), wrong.constData());
    }

    // Every kind of bad input: a clear one-line error naming the file and
    // line, or a log whose bad rows are skipped and counted once.
    void malformed_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("error");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("badRows");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<double>("at");
        QTest::addColumn<QByteArray>("expected");
        const auto refused = [](const char* name, const std::string& bytes, const char* error) {
            QTest::newRow(name) << QByteArray::fromStdString(bytes) << QByteArray(error) << 0 << 0
                                << QByteArray() << 0.0 << QByteArray();
        };
        const auto read = [](const char* name, const std::string& bytes, int rows, int badRows,
                             const char* report, double at, const char* expected) {
            QTest::newRow(name) << QByteArray::fromStdString(bytes) << QByteArray() << rows
                                << badRows << QByteArray(report) << at << QByteArray(expected);
        };
        refused("empty file", "", "test.csv: empty file");
        refused("blank lines only", "\n\r\n  \n", "test.csv:3: no header row, only blank lines");
        refused("comment lines only", "#a\n# b\n",
                "test.csv:2: no header row after the comment lines");
        std::string comments;
        for (int i = 0; i < 65; ++i)
            comments += "#\n";
        refused("65 comment lines", comments + "Time,RPM\n0,1\n",
                "test.csv:65: no header row after 64 comment lines");
        read("64 comment lines", comments.substr(2) + "Time,RPM\n0,1\n", 1, 0, "", 0, "RPM=1");
        refused("header only", "Time,RPM\n", "test.csv:1: no data rows after the header row");
        refused("header only, no line end", "Time,RPM",
                "test.csv:1: no data rows after the header row");
        refused("no recognisable column", "Foo,Bar,Baz,Qux,Quux\n1,2,3,4,5\n",
                "test.csv:1: no engine value column recognised among \"Foo\", \"Bar\", \"Baz\", "
                "\"Qux\", ...");
        refused("binary garbage", garbage(), "test.csv:3: binary data, not a text log");
        refused("UTF-16", utf16("Time,RPM\n0,1\n"),
                "test.csv:1: UTF-16 text; save the log as UTF-8");
        refused("10 MB header line", "#c\n" + tenMegabytes() + "\n0,1\n",
                "test.csv:2: header row longer than 1 MiB");
        refused("a million columns in the header", "Time" + std::string(1000000, ',') + "\n0\n",
                "test.csv:1: header row of more than 4096 columns");
        refused("only unreadable rows", "Time,RPM\nxx,1\n\nyy,2\n",
                "test.csv:2: no readable data row (no readable time)");

        read("byte-order mark",
             "\xEF\xBB\xBF"
             "Time,RPM\n0,2400\n1,2500\n",
             2, 0, "", 0.5, "RPM=2450");
        read("CRLF", "Time,RPM\r\n0,2400\r\n1,2500\r\n", 2, 0, "", 0.5, "RPM=2450");
        read("CR alone", "Time,RPM\r0,2400\r1,2500\r", 2, 0, "", 0.5, "RPM=2450");
        read("semicolons with a decimal comma", "Time;RPM;Volts\n0;2400;28,5\n1;2500;28,7\n", 2, 0,
             "", 0.5, "RPM=2450 Volts=28.6");
        read("tabs", "Time\tRPM\tVolts\n0\t2400\t28.5\n1\t2500\t28.7\n", 2, 0, "", 0.5,
             "RPM=2450 Volts=28.6");
        read("quoted separators and line breaks",
             "Time,Note,RPM\n0,\"a, b\nc\",2400\n1,\"x\"\"y\",2500\nz,\"q\",1\n", 2, 1,
             "test.csv: 1 bad row skipped, on line 5: no readable time", 1, "RPM=2500");
        read("10 MB data line", "Time,RPM\n0,2400\n" + tenMegabytes() + "\n2,2600\n", 2, 1,
             "test.csv: 1 bad row skipped, on line 3: row longer than 1 MiB", 1, "RPM=2500");
        read("a million columns in a row",
             "Time,RPM\n0,2400\n1" + std::string(1000000, ',') + "\n2,2600\n", 2, 1,
             "test.csv: 1 bad row skipped, on line 3: row of more than 4096 cells", 1, "RPM=2500");
        const char* const nanCells =
            "test.csv: 4 unreadable cells (not a number), the first on line 2, RPM: nan";
        read("nan, inf, 1e999 cells",
             "Time,RPM,Volts,Amps,OAT\n0,nan,inf,1e999,-1e999\n1,2500,28,10,15\n", 2, 0, nanCells,
             0, "-RPM -Volts -Amps -OAT");
        read("no value where the earlier row has none",
             "Time,RPM,Volts,Amps,OAT\n0,nan,inf,1e999,-1e999\n1,2500,28,10,15\n", 2, 0, nanCells,
             0.5, "-RPM -Volts -Amps -OAT");
        read("absurd magnitudes", "Time,RPM,Oil Temp (deg F),Throttle\n0,1e30,5000,1.5\n1,1,1,1\n",
             2, 0,
             "test.csv: 3 unreadable cells (out of range for its quantity), the first on line 2, "
             "RPM: 1e30",
             0, "-RPM -Oil_Temp -Throttle");
        read("unreadable numbers", "Time,RPM,Volts\n0,abc,0x1C\n1,27O0,28\n", 2, 0,
             "test.csv: 3 unreadable cells (not a number), the first on line 2, RPM: abc", 0,
             "-RPM -Volts");
        read("both kinds of unreadable cell, counted once each",
             "Time,RPM,Volts\n0,2400,99\n1,2500,2x\n2,2600,28\n", 3, 0,
             "test.csv: 1 unreadable cell (not a number), on line 3, Volts: 2x; 1 unreadable "
             "cell (out of range for its quantity), on line 2, Volts: 99",
             1, "RPM=2500 -Volts");
        read("times going backwards", "Time,RPM\n0,1\n2,2\n1,3\n3,4\n0.5,9\n", 3, 2,
             "test.csv: 2 bad rows skipped, the first on line 4: time goes backwards", 2.5,
             "RPM=3");
        read("repeated times: the later row shows", "Time,RPM\n0,1\n1,2\n1,3\n2,4\n", 4, 0, "", 1,
             "RPM=3");
        read("repeated times: interpolated from the later row", "Time,RPM\n0,1\n1,2\n1,3\n2,4\n", 4,
             0, "", 1.5, "RPM=3.5");
        read("truncated in the middle of a row", "Time,RPM,Volts\n0,2400,28\n1,2500,28.2\n2,26", 2,
             1, "test.csv: 1 bad row skipped, on line 4: row cut short at the end of the file", 5,
             "RPM=2500 Volts=28.2");
        read("a whole last row without a line end", "Time,RPM\n0,2400\n1,2500", 2, 0, "", 9,
             "RPM=2500");
        read("unreadable times", "Time,RPM\n0,1\nxx,2\n,3\n2,3\n", 2, 2,
             "test.csv: 2 bad rows skipped, the first on line 3: no readable time", 1, "RPM=2");
        read("blank rows are no bad rows", "Time,RPM\n0,1\n,\n  ,  \n\n1,2\n", 2, 0, "", 0.5,
             "RPM=1.5");
        read("no time column: a row a second", "RPM,Volts\n2400,28\n2500,29\n", 2, 0, "", 0.5,
             "RPM=2450 Volts=28.5");
        read("a time of day past midnight", "Lcl Time,RPM\n23:59:59,1\n00:00:00,2\n00:00:01,3\n", 3,
             0, "", 1.5, "RPM=2.5");
        read("date, time and a changing UTC offset",
             "Lcl Date,Lcl Time,UTCOfst,RPM\n2024-11-03,01:59:59,-04:00,1\n"
             "2024-11-03,01:00:00,-05:00,2\n",
             2, 0, "", 0.5, "RPM=1.5");
    }

    // Times of a clock: a date and a time of day of the same clock (or moved
    // onto one by the offset), and steps of the clock taken as corrections.
    void clocks_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("length");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<double>("at");
        QTest::addColumn<QByteArray>("expected");
        const struct {
            const char* name;
            const char* bytes;
            int rows;
            double length;
            const char* report;
            double at;
            const char* expected;
        } rows[] = {
            {"local date, UTC time of day and offset, past UTC midnight",
             "Lcl Date,UTC Time,UTC Offset,RPM\n2024-10-14,23:59:59,-05:00,1\n"
             "2024-10-14,00:00:00,-05:00,2\n",
             2, 1, "", 0.5, "RPM=1.5"},
            {"UTC date, local time of day and offset, past local midnight",
             "UTC Date,Lcl Time,UTCOfst,RPM\n2024-10-15,23:59:59,-05:00,1\n"
             "2024-10-15,00:00:00,-05:00,2\n",
             2, 1, "", 0.5, "RPM=1.5"},
            {"the UTC pair beside the local one, past UTC midnight",
             "Lcl Date,Lcl Time,UTC Date,UTC Time,RPM\n2024-10-14,19:59:59,2024-10-14,23:59:59,1\n"
             "2024-10-14,20:00:00,2024-10-15,00:00:00,2\n",
             2, 1, "", 0.5, "RPM=1.5"},
            {"Date and Time, past midnight",
             "Date,Time,RPM\n2024-01-01,23:59:59,1\n2024-01-02,00:00:00,2\n", 2, 1, "", 1, "RPM=2"},
            {"two clocks without an offset: the time of day alone",
             "Lcl Date,UTC Time,RPM\n2024-10-14,23:59:59,1\n2024-10-14,00:00:00,2\n", 2, 1, "", 1,
             "RPM=2"},
            {"any log's clock set back: every row in its place, a pause on kept",
             "UTC,RPM\n2024-01-01T10:00:00Z,1\n2024-01-01T10:00:01Z,2\n2024-01-01T09:59:00Z,3\n"
             "2024-01-01T09:59:01Z,4\n2024-01-01T10:05:00Z,5\n2024-01-01T10:05:01Z,6\n",
             6, 363, "test.csv: 1 clock correction", 2.5, "RPM=3.5"},
            {"an export's clock set on: a correction, not a gap",
             "#airframe_info\nLcl Date,Lcl Time,RPM\n2024-01-01,10:00:00,1\n"
             "2024-01-01,10:00:01,2\n2024-01-01,10:05:01,3\n2024-01-01,10:05:02,4\n",
             4, 3, "test.csv: 1 clock correction", 2, "RPM=3"},
            {"a row or two lost is no clock step",
             "UTC,RPM\n2024-01-01T10:00:00Z,1\n2024-01-01T10:00:01Z,2\n2024-01-01T10:00:04Z,3\n", 3,
             4, "", 4, "RPM=3"},
            {"a time of day alone set back", "Lcl Time,RPM\n10:00:00,1\n10:00:02,2\n09:57:02,3\n",
             3, 4, "test.csv: 1 clock correction", 4, "RPM=3"},
            {"a clock step on the second row: a second on",
             "UTC,RPM\n2024-01-01T10:00:00Z,1\n2024-01-01T09:00:00Z,2\n2024-01-01T09:00:01Z,3\n", 3,
             2, "test.csv: 1 clock correction", 1, "RPM=2"},
            {"seconds from a start still never go back", "Time,RPM\n0,1\n2,2\n1,3\n", 2, 2,
             "test.csv: 1 bad row skipped, on line 4: time goes backwards", 2, "RPM=2"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QByteArray(row.bytes) << row.rows << row.length
                                    << QByteArray(row.report) << row.at << QByteArray(row.expected);
    }

    void clocks() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rows);
        QFETCH(double, length);
        QFETCH(QByteArray, report);
        QFETCH(double, at);
        QFETCH(QByteArray, expected);
        auto opened = openText(bytes.toStdString());
        QVERIFY2(opened.log, opened.error.message().c_str());
        const LogProgress progress = opened.log->progress();
        QCOMPARE(int(progress.rows), rows);
        QCOMPARE(progress.length, length);
        QCOMPARE(QByteArray::fromStdString(badRowsMessage("test.csv", progress)), report);
        const QByteArray wrong = mismatches(playTo(*opened.log, at), expected);
        QVERIFY2(wrong.isEmpty(), wrong.constData());
    }

    void malformed() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, error);
        QFETCH(int, rows);
        QFETCH(int, badRows);
        QFETCH(QByteArray, report);
        QFETCH(double, at);
        QFETCH(QByteArray, expected);
        auto opened = openText(bytes.toStdString());
        if (!error.isEmpty()) {
            QVERIFY(!opened.log);
            QCOMPARE(QByteArray::fromStdString(opened.error.message()), error);
            return;
        }
        QVERIFY2(opened.log, opened.error.message().c_str());
        const LogProgress progress = opened.log->progress();
        QVERIFY(progress.complete);
        QCOMPARE(int(progress.rows), rows);
        QCOMPARE(int(progress.badRows), badRows);
        QCOMPARE(QByteArray::fromStdString(badRowsMessage("test.csv", progress)), report);
        const QByteArray wrong = mismatches(playTo(*opened.log, at), expected);
        QVERIFY2(wrong.isEmpty(), wrong.constData());
    }

    void unopenableFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << QString("/nonexistent/flight.csv")
                                 << QString("/nonexistent/flight.csv: cannot open: No such file or "
                                            "directory");
        QTest::newRow("a directory")
            << QString("/tmp") << QString("/tmp: cannot open: is a directory");
        QTest::newRow("a device") << QString("/dev/null")
                                  << QString("/dev/null: cannot open: not a regular file");
    }

    void unopenableFiles() {
        QFETCH(QString, path);
        QFETCH(QString, error);
        const auto opened = EngineLog::open(path.toStdString());
        QVERIFY(!opened.log);
        QCOMPARE(QString::fromStdString(opened.error.message()), error);
    }

    // Between rows a value present in both is interpolated; present only in
    // the earlier row it holds until the next; otherwise it is absent. Times
    // before the first row and past the last clamp to them.
    void interpolation_data() {
        QTest::addColumn<double>("at");
        QTest::addColumn<double>("shownAt");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("before the start") << -5.0 << 0.0 << QByteArray("RPM=1000 -Volts");
        QTest::newRow("not a number") << double(NAN) << 0.0 << QByteArray("RPM=1000 -Volts");
        QTest::newRow("only the later has it") << 5.0 << 5.0 << QByteArray("RPM=1500 -Volts");
        QTest::newRow("on a row") << 10.0 << 10.0 << QByteArray("RPM=2000 Volts=20");
        QTest::newRow("only the earlier has it") << 15.0 << 15.0 << QByteArray("RPM=2000 Volts=25");
        QTest::newRow("a row without it") << 20.0 << 20.0 << QByteArray("-RPM Volts=30");
        QTest::newRow("held to the next row") << 29.0 << 29.0 << QByteArray("-RPM Volts=30");
        QTest::newRow("last row") << 30.0 << 30.0 << QByteArray("RPM=3000 -Volts");
        QTest::newRow("past the end") << 1e9 << 30.0 << QByteArray("RPM=3000 -Volts");
        QTest::newRow("infinity") << double(INFINITY) << 30.0 << QByteArray("RPM=3000 -Volts");
    }

    void interpolation() {
        QFETCH(double, at);
        QFETCH(double, shownAt);
        QFETCH(QByteArray, expected);
        auto opened = openText("Time,RPM,Volts\n0,1000,\n10,2000,20\n20,,30\n30,3000,\n");
        QVERIFY(opened.log);
        const EngineSample sample = opened.log->sampleAt(at);
        QCOMPARE(sample.time, shownAt);
        const QByteArray wrong = mismatches(sample, expected);
        QVERIFY2(wrong.isEmpty(), wrong.constData());
    }

    // Seeks anywhere in a long log, forward and back, by small steps and
    // large, give what reading it through gives: bad rows are skipped alike
    // from any indexed row, with the index built in the background or not.
    void seeking_data() {
        QTest::addColumn<bool>("background");
        QTest::newRow("index read first") << false;
        QTest::newRow("index on its thread") << true;
    }

    void seeking() {
        QFETCH(bool, background);
        constexpr int rows = 100000;
        std::string text = "Time,RPM,Volts\n";
        for (int i = 0; i < rows; ++i) {
            text += std::to_string(i * 0.5) + "," + std::to_string(i % 1000 * 2) + "," +
                    std::to_string(i % 7) + "\n";
            if (i % 1000 == 999)
                text += "1.0,9999,9\nnot a time,9999,9\n";
        }
        LogOptions options;
        options.indexInBackground = background;
        auto opened = EngineLog::openBytes("long.csv", text, options);
        QVERIFY(opened.log);
        EngineLog& log = *opened.log;
        log.waitForIndex();
        QCOMPARE(log.progress().rows, std::uint64_t(rows));
        QCOMPARE(log.progress().badRows, std::uint64_t(2 * rows / 1000));
        QCOMPARE(log.progress().length, (rows - 1) * 0.5);

        const auto rpm = [](int i) { return i % 1000 * 2.0; };
        std::minstd_rand random(1);
        double at = 0;
        for (int step = 0; step < 5000; ++step) {
            switch (random() % 4) {
            case 0:
                at = double(random() % (rows * 10)) / 20; // anywhere
                break;
            case 1:
                at += 0.065 * 64; // a tick at the fastest speed
                break;
            case 2:
                at += (random() % 2 ? 60 : -60); // a seek key
                break;
            default:
                at += 0.065;
            }
            at = std::clamp(at, 0.0, (rows - 1) * 0.5);
            const EngineSample sample = log.sampleAt(at);
            const int i = int(at / 0.5);
            const double fraction = at / 0.5 - i;
            const double expected =
                i + 1 < rows ? rpm(i) + (rpm(i + 1) - rpm(i)) * fraction : rpm(i);
            QVERIFY2(
                std::fabs(sample[Quantity::rpm] - expected) < 1e-3,
                qPrintable(
                    QString("at %1: %2, not %3").arg(at).arg(sample[Quantity::rpm]).arg(expected)));
            QCOMPARE(sample.time, at);
        }
    }

    // The index of a long log stays within its capacity: it keeps every
    // other row and doubles its stride, and still finds the row before any time.
    void indexStaysBounded() {
        RowIndex index;
        constexpr std::uint64_t rows = 20'000'000;
        for (std::uint64_t row = 0; row < rows; row += RowIndex::firstStride) {
            Checkpoint point;
            point.at.offset = row * 10;
            point.at.track.rows = row;
            point.time = double(row);
            index.offer(point);
        }
        QVERIFY(index.size() <= RowIndex::capacity);
        QVERIFY(index.size() > RowIndex::capacity / 2);
        QCOMPARE(index.stride(), std::uint64_t(512));
        for (const double time : {0.0, 511.0, 512.0, 1e6 + 3, double(rows)}) {
            const Checkpoint* before = index.before(time);
            QVERIFY(before);
            QVERIFY(before->time <= time);
            QVERIFY(time - before->time < 512);
        }
        index.forgetFrom(5000 * 10);
        QCOMPARE(index.last().time, 4608.0);
    }

    // One call reads a bounded amount: a 10 MB line between two rows takes
    // more than one frame tick to pass, and the sample stops short until then.
    void boundedPerCall() {
        auto opened =
            openText("Time,RPM\n0,2400\n" + tenMegabytes() + tenMegabytes() + "\n2,2600\n");
        QVERIFY(opened.log);
        EngineLog& log = *opened.log;
        QCOMPARE(log.sampleAt(0)[Quantity::rpm], 2400.0f);
        int calls = 1;
        while (log.sampleAt(1).time == 0.0 && calls < 100)
            ++calls;
        QVERIFY2(calls > 2 && calls < 20, qPrintable(QString::number(calls)));
        QCOMPARE(log.sampleAt(1)[Quantity::rpm], 2500.0f);
        // The row after the long line is indexed: a seek there goes straight to it.
        auto again =
            openText("Time,RPM\n0,2400\n" + tenMegabytes() + tenMegabytes() + "\n2,2600\n3,2700\n");
        QCOMPARE(again.log->sampleAt(2.5)[Quantity::rpm], 2650.0f);
    }

    void ownRecordingRecognised() {
        auto opened = openText("# engine log written by zentor-demo 9.9\n"
                               "UTC (ISO 8601),Elapsed (s),RPM (rpm),Mute (0/1)\n"
                               "2024-05-01T12:00:00.000Z,0.000,900,0\n"
                               "2024-05-01T12:00:01.000Z,0.065,910,0\n");
        QVERIFY(opened.log);
        QCOMPARE(int(opened.log->format()), int(LogFormat::ownRecording));
        QCOMPARE(opened.log->writer(), std::string("zentor-demo 9.9"));
        QCOMPARE(opened.log->progress().length, 0.065);
        QCOMPARE(opened.log->quantities().count(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(EngineLogTest)
#include "tst_engine_log.moc"
