#include "LiveTestSupport.h"

#include "live/LiveOptions.h"
#include "live/XPlaneMapFile.h"

#include <QTemporaryDir>

namespace {

// "3 oilTemp sim/x degF": row 3 of the table, or "" when the text is an error.
QString rowText(const DatarefMap& map, int row) {
    if (row < 0 || std::size_t(row) >= map.size())
        return "no row";
    const DatarefBinding& b = map[std::size_t(row)];
    return QStringLiteral("%1 %2 %3")
        .arg(QString::fromLatin1(quantityRow(b.quantity).name.data(),
                                 qsizetype(quantityRow(b.quantity).name.size())),
             QString::fromStdString(b.path),
             QString::fromLatin1(unitRow(b.unit).name.data(),
                                 qsizetype(unitRow(b.unit).name.size())));
}

} // namespace

class XPlaneMapTest : public QObject {
    Q_OBJECT

private slots:
    void accepted_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("expected");
        const int n = int(xplaneDefaultDatarefCount);
        QTest::newRow("empty file: the defaults")
            << QByteArray() << n << 0
            << "rpm sim/cockpit2/engine/indicators/engine_speed_rpm[0] rpm";
        QTest::newRow("comments and blank lines")
            << QByteArray("# nothing\n\n   \t\n  # more\n") << n << 2
            << "oilTemp sim/cockpit2/engine/indicators/oil_temperature_deg_C[0] degC";
        QTest::newRow("replaces a row in place")
            << QByteArray("oilTemp = sim/x[0] degF\n") << n << 2 << "oilTemp sim/x[0] degF";
        QTest::newRow("adds a row at the end")
            << QByteArray("egt1 = plugin/egt[0] degC") << n + 1 << n << "egt1 plugin/egt[0] degC";
        QTest::newRow("none drops a row")
            << QByteArray("rpm = none\n") << n - 1 << 0
            << "manifoldPressure sim/cockpit2/engine/indicators/MPR_in_hg[0] inHg";
        QTest::newRow("spaces, tabs, comment after")
            << QByteArray("\trpm=sim/a   rad/s # engine 1\n") << n << 0 << "rpm sim/a rad/s";
        QTest::newRow("CRLF line ends")
            << QByteArray("rpm = sim/a rpm\r\nvolts = sim/b V\r\n") << n << 10 << "volts sim/b V";
        QTest::newRow("a path of 399 bytes") << "rpm = " + QByteArray(399, 'p') + " rpm" << n << 0
                                             << "rpm " + QString(399, 'p') + " rpm";
    }

    void accepted() {
        QFETCH(QByteArray, text);
        QFETCH(int, rows);
        QFETCH(int, row);
        QFETCH(QString, expected);
        const MapFileResult result =
            parseXPlaneMap(std::string_view(text.constData(), std::size_t(text.size())));
        QCOMPARE(QString::fromStdString(result.error), QString());
        QCOMPARE(int(result.map.size()), rows);
        QCOMPARE(rowText(result.map, row), expected);
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown quantity")
            << QByteArray("# x\nrmp = sim/a rpm\n") << "line 2: unknown quantity 'rmp'";
        QTest::newRow("no equals sign")
            << QByteArray("rpm sim/a rpm")
            << "line 1: expected 'quantity = dataref unit' or 'quantity = none'";
        QTest::newRow("no unit")
            << QByteArray("rpm = sim/a")
            << "line 1: expected 'quantity = dataref unit' or 'quantity = none'";
        QTest::newRow("three words")
            << QByteArray("rpm = sim/a rpm x")
            << "line 1: expected 'quantity = dataref unit' or 'quantity = none'";
        QTest::newRow("nothing before the equals sign")
            << QByteArray("= sim/a rpm") << "line 1: unknown quantity ''";
        QTest::newRow("unknown unit")
            << QByteArray("rpm = sim/a furlongs") << "line 1: unknown unit 'furlongs'";
        QTest::newRow("unit of another kind")
            << QByteArray("\n\noilTemp = sim/a kg/s") << "line 3: unit 'kg/s' does not fit oilTemp";
        QTest::newRow("mapped twice") << QByteArray("rpm = sim/a rpm\nrpm = none\n")
                                      << "line 2: rpm is already mapped on line 1";
        QTest::newRow("path of 400 bytes") << "rpm = " + QByteArray(400, 'p') + " rpm"
                                           << "line 1: dataref path longer than 399 bytes";
        QTest::newRow("line of 513 bytes")
            << "# " + QByteArray(511, 'c') << "line 1: longer than 512 bytes";
        QTest::newRow("not ASCII")
            << QByteArray("oat = sim/temp\xc2\xb0 degC") << "line 1: not printable ASCII text";
        QTest::newRow("a zero byte")
            << QByteArray("rpm = sim/a\0 rpm", 16) << "line 1: not printable ASCII text";
        QTest::newRow("larger than 64 KiB")
            << QByteArray(64 * 1024 + 1, '#') << "file larger than 64 KiB";
    }

    void refused() {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        const MapFileResult result =
            parseXPlaneMap(std::string_view(text.constData(), std::size_t(text.size())));
        QCOMPARE(QString::fromStdString(result.error), error);
        QVERIFY(!result.ok());
    }

    // The file on disk: its name leads every error.
    void loadsFromDisk() {
        QTemporaryDir dir;
        const QString path = dir.filePath("c172.map");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("cht = sim/cockpit2/engine/indicators/CHT_deg_C[0] degF\nbogus\n");
        file.close();
        QCOMPARE(QString::fromStdString(loadXPlaneMapFile(path).error),
                 path + ": line 2: expected 'quantity = dataref unit' or 'quantity = none'");
        QVERIFY(!loadXPlaneMapFile(dir.filePath("missing.map")).ok());
    }
};

QTEST_GUILESS_MAIN(XPlaneMapTest)
#include "tst_xplane_map.moc"
