#include "logs/CellNumbers.h"
#include "logs/ColumnMatch.h"
#include "logs/LogLayout.h"

#include <QTest>

#include <cmath>

class LogColumnsTest : public QObject {
    Q_OBJECT

private slots:
    // Header cells as logs write them, and what a cell of `raw` in that
    // column shows on the screen.
    void quantityColumns_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<double>("raw");
        QTest::addColumn<double>("shown");
        const struct {
            const char* header;
            Quantity quantity;
            double raw;
            double shown;
        } rows[] = {
            {"RPM", Quantity::rpm, 2400, 2400},
            {"  e1 rpm ", Quantity::rpm, 2400, 2400},
            {"Manifold Press (inch Hg)", Quantity::manifoldPressure, 25.5, 25.5},
            {"MAP (kPa)", Quantity::manifoldPressure, 101.325, 29.921},
            {"MAP [hPa]", Quantity::manifoldPressure, 1013.25, 29.921},
            {"MAP (in. Hg)", Quantity::manifoldPressure, 25.5, 25.5},
            {"Oil Temp (deg F)", Quantity::oilTemp, 180, 180},
            {"OIL_TEMP (°C)", Quantity::oilTemp, 100, 212},
            {"oil temperature (K)", Quantity::oilTemp, 273.15, 32},
            {"Oil Press (PSI)", Quantity::oilPressure, 72, 72},
            {"Oil Pressure (bar)", Quantity::oilPressure, 5, 72.519},
            {"Fuel Press (PSI)", Quantity::fuelPressure, 20, 20},
            {"Fuel Flow (gal/hour)", Quantity::fuelFlow, 12.5, 12.5},
            {"FF (L/h)", Quantity::fuelFlow, 37.854, 10},
            {"fuel-flow (GPH)", Quantity::fuelFlow, 9, 9},
            {"Volts 1", Quantity::volts, 28.1, 28.1},
            {"Volts M", Quantity::volts, 27.9, 27.9},
            {"Amps", Quantity::amps, -3, -3},
            {"Outside Air Temp (deg C)", Quantity::oat, -40, -40},
            {"OAT", Quantity::oat, 15, 59},
            {"OAT (F)", Quantity::oat, 59, 59},
            {"EGT (°F)", Quantity::egt, 1350, 1350},
            {"EGT1 (deg F)", Quantity::egt1, 1350, 1350},
            {"EGT6 (deg F)", Quantity::egt6, 1350, 1350},
            {"E1 EGT3", Quantity::egt3, 1350, 1350},
            {"CHT4 (deg C)", Quantity::cht4, 200, 392},
            {"Fuel Qty L (gal)", Quantity::leftFuel, 20, 20},
            {"Fuel Qty Right (L)", Quantity::rightFuel, 100, 26.417},
            {"Fuel Qty Main (gal)", Quantity::leftFuel, 30, 30},
            {"Fuel Qty Aux (gal)", Quantity::rightFuel, 10, 10},
            {"Torque (Nm)", Quantity::torque, 100, 73.756},
            {"Percent Power (%)", Quantity::percentPower, 75, 75},
            {"E1 %Pwr", Quantity::percentPower, 65, 65},
            {"Throttle (0-1)", Quantity::throttle, 0.5, 0.5},
            {"Engine Power (%)", Quantity::percentPower, 72, 72},
            {"Main Fuel Qty (gal)", Quantity::leftFuel, 30, 30},
            {"Aux Fuel Qty (gal)", Quantity::rightFuel, 10, 10},
            {"FQty1", Quantity::leftFuel, 21, 21},
            {"FQty2", Quantity::rightFuel, 22, 22},
            {"FQty3 (gal)", Quantity::leftFuel, 13, 13},
            {"FQty4 (gal)", Quantity::rightFuel, 14, 14},
            {"Batt Amps", Quantity::amps, -2, -2},
            {"Amps2", Quantity::amps, 4, 4},
            {"Volts 2", Quantity::volts, 27.5, 27.5},
            {"Oil Temp (°F)", Quantity::oilTemp, 180, 180},
            {"Oil Temp (\xB0"
             "C)",
             Quantity::oilTemp, 0, 32},
        };
        for (const auto& row : rows)
            QTest::newRow(row.header)
                << QByteArray(row.header) << int(row.quantity) << row.raw << row.shown;
    }

    void quantityColumns() {
        QFETCH(QByteArray, header);
        QFETCH(int, quantity);
        QFETCH(double, raw);
        QFETCH(double, shown);
        const ColumnMatch match = matchColumn(header.toStdString());
        QCOMPARE(int(match.kind), int(ColumnMatch::Kind::quantity));
        QCOMPARE(int(match.quantity), quantity);
        QVERIFY2(std::fabs(match.conversion(raw) - shown) < 0.001,
                 qPrintable(QString::number(match.conversion(raw))));
    }

    // Names we do not read, and units that do not fit their quantity, bind nothing.
    void unmatchedColumns_data() {
        QTest::addColumn<QByteArray>("header");
        for (const char* header :
             {"Latitude", "AtvWpt", "", "   ", "RPM (psi)", "Oil Temp (gal)", "Fuel Flow (lb/h)",
              "Elapsed (furlongs)", "EGT7 (deg F)", "Demo Mode (0/1)", "Selected Cylinder (1-6)",
              "a very long name of a column that nobody would read as rpm"})
            QTest::newRow(header) << QByteArray(header);
    }

    void unmatchedColumns() {
        QFETCH(QByteArray, header);
        QCOMPARE(int(matchColumn(header.toStdString()).kind), int(ColumnMatch::Kind::none));
    }

    void timeColumns_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("scale");
        const struct {
            const char* header;
            TimeKind kind;
            double scale;
        } rows[] = {
            {"Elapsed (s)", TimeKind::elapsed, 1},
            {"Time (ms)", TimeKind::elapsed, 0.001},
            {"Seconds", TimeKind::elapsed, 1},
            {"elapsed time (min)", TimeKind::elapsed, 60},
            {"UTC (ISO 8601)", TimeKind::dateTime, 1},
            {"Timestamp", TimeKind::dateTime, 1},
            {"Lcl Date", TimeKind::date, 1},
            {"Lcl Time", TimeKind::clock, 1},
            {"UTCOfst", TimeKind::utcOffset, 1},
        };
        for (const auto& row : rows)
            QTest::newRow(row.header) << QByteArray(row.header) << int(row.kind) << row.scale;
    }

    void timeColumns() {
        QFETCH(QByteArray, header);
        QFETCH(int, kind);
        QFETCH(double, scale);
        const ColumnMatch match = matchColumn(header.toStdString());
        QCOMPARE(int(match.kind), int(ColumnMatch::Kind::time));
        QCOMPARE(int(match.time), kind);
        QCOMPARE(match.conversion.scale, scale);
    }

    // Which column a header row binds and which time it reads: the alias row
    // nearer the top wins a quantity named twice, the leftmost a tie; elapsed
    // time before a time stamp before date and time of day.
    void headerBinding_data() {
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<int>("voltsCell");
        QTest::addColumn<int>("timeSource");
        QTest::addColumn<int>("timeCell");
        QTest::addColumn<int>("clockCell");
        const struct {
            const char* name;
            QStringList header;
            int voltsCell;
            TimeSource time;
            int timeCell;
            int clockCell;
        } rows[] = {
            {"Volts 1 over Volts M",
             {"Volts M", "Volts 1", "Lcl Date", "Lcl Time"},
             1,
             TimeSource::dateAndClock,
             2,
             3},
            {"Volts over Volts 2", {"Volts 2", "Volts"}, 1, TimeSource::rowNumber, 0, 0},
            {"leftmost of two alike", {"Time", "Volts", "Volts"}, 1, TimeSource::elapsed, 0, 0},
            {"elapsed before a time stamp",
             {"UTC (ISO 8601)", "Elapsed (s)", "Volts"},
             2,
             TimeSource::elapsed,
             1,
             0},
            {"a time of day alone", {"Volts", "Lcl Time"}, 0, TimeSource::clock, 1, 0},
            {"a date alone is no time", {"Volts", "Lcl Date"}, 0, TimeSource::rowNumber, 0, 0},
            {"the local date with the local time, not the UTC time before it",
             {"Lcl Date", "UTC Time", "Lcl Time", "UTC Offset", "Volts"},
             4,
             TimeSource::dateAndClock,
             0,
             2},
            {"the UTC pair first",
             {"Lcl Date", "Lcl Time", "UTC Date", "UTC Time", "Volts"},
             4,
             TimeSource::dateAndClock,
             2,
             3},
            {"Time beside a date is its time of day",
             {"Date", "Time", "Volts"},
             2,
             TimeSource::dateAndClock,
             0,
             1},
            {"the local pair, the UTC time of day unused",
             {"Lcl Date", "Lcl Time", "UTC Time", "Volts"},
             3,
             TimeSource::dateAndClock,
             0,
             1},
            {"a local date and a UTC time without an offset",
             {"Lcl Date", "UTC Time", "Volts"},
             2,
             TimeSource::clock,
             1,
             0},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name)
                << row.header << row.voltsCell << int(row.time) << row.timeCell << row.clockCell;
    }

    void headerBinding() {
        QFETCH(QStringList, header);
        QFETCH(int, voltsCell);
        QFETCH(int, timeSource);
        QFETCH(int, timeCell);
        QFETCH(int, clockCell);
        std::vector<std::string> names;
        for (const QString& name : header)
            names.push_back(name.toStdString());
        const std::vector<std::string_view> cells(names.begin(), names.end());
        LogLayout layout;
        QVERIFY(bindColumns(cells, layout));
        QCOMPARE(layout.values.size(), std::size_t(1));
        QCOMPARE(int(layout.values[0].cell), voltsCell);
        QCOMPARE(int(layout.time.source), timeSource);
        QCOMPARE(int(layout.time.cell), timeCell);
        QCOMPARE(int(layout.time.clockCell), clockCell);
    }

    // The export's short names stand in where a long name is not ours; the
    // long name's unit still says what the values are in.
    void shortNamesBeneath() {
        const std::vector<std::string_view> names{"Lcl Time", "Oil Temp Probe B (deg C)", "Volts 1",
                                                  "Whatever"};
        const std::vector<std::string_view> shortNames{"Lcl Time", "E1 OilT", "volt1", "Amps"};
        LogLayout layout;
        QVERIFY(bindColumns(names, layout, shortNames));
        QCOMPARE(layout.values.size(), std::size_t(3));
        QCOMPARE(int(layout.values[0].quantity), int(Quantity::oilTemp));
        QCOMPARE(layout.values[0].toScreen(100), 212.0);
        QCOMPARE(int(layout.values[1].quantity), int(Quantity::volts));
        QCOMPARE(int(layout.values[1].cell), 2);
        QCOMPARE(int(layout.values[2].cell), 3);
        QCOMPARE(layout.matchedShortName, (std::vector<bool>{false, true, false, true}));
    }

    // Cells that are no number are no data, never zero.
    void numbers_data() {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<bool>("decimalComma");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("value");
        const struct {
            const char* cell;
            bool decimalComma;
            bool readable;
            double value;
        } rows[] = {
            {"12.5", false, true, 12.5}, {"-3", false, true, -3},      {"+7", false, true, 7},
            {"1e3", false, true, 1000},  {"12,5", true, true, 12.5},   {"12,5", false, false, 0},
            {"", false, false, 0},       {"nan", false, false, 0},     {"NaN", false, false, 0},
            {"inf", false, false, 0},    {"-inf", false, false, 0},    {"1e999", false, false, 0},
            {"-1e999", false, false, 0}, {"12abc", false, false, 0},   {"0x10", false, false, 0},
            {"+-1", false, false, 0},    {"1 2", false, false, 0},     {"--", false, false, 0},
            {".5", false, true, 0.5},    {"1,234.5", false, false, 0},
        };
        for (const auto& row : rows)
            QTest::newRow(QByteArray(row.cell) + (row.decimalComma ? " with decimal comma" : ""))
                << QByteArray(row.cell) << row.decimalComma << row.readable << row.value;
    }

    void numbers() {
        QFETCH(QByteArray, cell);
        QFETCH(bool, decimalComma);
        QFETCH(bool, readable);
        QFETCH(double, value);
        const std::optional<double> number = readNumber(cell.toStdString(), decimalComma);
        QCOMPARE(number.has_value(), readable);
        if (readable)
            QCOMPARE(*number, value);
    }
};

QTEST_APPLESS_MAIN(LogColumnsTest)
#include "tst_log_columns.moc"
