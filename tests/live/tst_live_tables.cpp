#include "LiveTestSupport.h"

#include "engine/Quantities.h"
#include "live/FlightGearProtocol.h"
#include "live/XPlaneDatarefs.h"

#include <QFile>
#include <QXmlStreamReader>

#include <set>

class LiveTablesTest : public QObject {
    Q_OBJECT

private slots:
    void conversion_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("shown");
        QTest::addColumn<QString>("screen"); // the unit the value is shown in
        QTest::newRow("water boils") << "degC" << 100.0 << 212.0 << "degF";
        QTest::newRow("-40 is -40") << "degC" << -40.0 << -40.0 << "degF";
        QTest::newRow("ice in kelvin") << "K" << 273.15 << 32.0 << "degF";
        QTest::newRow("one revolution a second")
            << "rad/s" << 2 * 3.14159265358979 << 60.0 << "rpm";
        QTest::newRow("standard atmosphere") << "hPa" << 1013.25 << 29.9213 << "inHg";
        QTest::newRow("one psi in kPa") << "kPa" << 6.894757 << 1.0 << "psi";
        QTest::newRow("a gallon of avgas a second, by mass")
            << "kg/s" << 2.72155422 << 3600.0 << "gal/h";
        QTest::newRow("a gallon of avgas an hour, by mass")
            << "kg/h" << 2.72155422 << 1.0 << "gal/h";
        QTest::newRow("avgas weighs 6 lb a gallon") << "lb/h" << 6.0 << 1.0 << "gal/h";
        QTest::newRow("20 gallons of avgas in kg") << "kg" << 54.431084 << 20.0 << "gal";
        QTest::newRow("20 gallons of avgas in lb") << "lb" << 120.0 << 20.0 << "gal";
        QTest::newRow("a US gallon in litres") << "l" << 3.785411784 << 1.0 << "gal";
        QTest::newRow("one lb-ft in N-m") << "N-m" << 1.3558179 << 1.0 << "lb-ft";
        QTest::newRow("as shown") << "inHg" << 25.5 << 25.5 << "inHg";
    }

    void conversion() {
        QFETCH(QString, unit);
        QFETCH(double, value);
        QFETCH(double, shown);
        QFETCH(QString, screen);
        const auto found = unitByName(unit.toStdString());
        const auto into = unitByName(screen.toStdString());
        QVERIFY(found && into);
        const UnitConversion toShown = conversionBetween(*found, *into);
        QVERIFY2(std::fabs(toShown(value) - shown) < 1e-4 * std::max(1.0, std::fabs(shown)),
                 qPrintable(QString::number(toShown(value), 'g', 9)));
        QVERIFY(std::fabs(toShown.inverse(toShown(value)) - value) <
                1e-9 * std::max(1.0, std::fabs(value)));
    }

    // Names are what a mapping file is written in: none may stand for two things.
    void namesAreUnique() {
        std::set<std::string_view> quantities;
        for (const QuantityRow& row : quantityRows) {
            QVERIFY(quantities.insert(row.name).second);
            QCOMPARE(quantityByName(row.name), std::optional(row.quantity));
        }
        std::set<std::string_view> units;
        for (const UnitRow& row : unitRows)
            QVERIFY(units.insert(row.name).second);
    }

    // Every default fits a request; no two share a path.
    void defaultDatarefsMakeRequests() {
        std::set<std::string_view> paths;
        for (const DatarefRow& row : xplaneDefaultDatarefs) {
            QVERIFY(encodeRrefRequest(15, 0, row.path));
            QVERIFY(paths.insert(row.path).second);
        }
    }

    // The file users copy into FlightGear lists exactly our properties, in
    // the order the line reader takes them, with our separators.
    void protocolFileMatchesTheTable() {
        QFile file(ZENTOR_FLIGHTGEAR_PROTOCOL);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList nodes;
        QStringList types;
        QMap<QString, QString> settings;
        bool inOutput = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"output")
                inOutput = true;
            else if (xml.isStartElement() && inOutput && xml.name() == u"node")
                nodes << xml.readElementText();
            else if (xml.isStartElement() && inOutput && xml.name() == u"type")
                types << xml.readElementText();
            else if (xml.isStartElement() && inOutput && xml.name().endsWith(u"_separator"))
                settings[xml.name().toString()] = xml.readElementText();
            else if (xml.isStartElement() && inOutput && xml.name() == u"binary_mode")
                settings["binary_mode"] = xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QStringList expected;
        for (const PropertyRow& row : flightGearProperties)
            expected << QString::fromLatin1(row.node.data(), qsizetype(row.node.size()));
        QCOMPARE(nodes, expected);
        QCOMPARE(types, QStringList(expected.size(), "string"));
        QCOMPARE(settings["var_separator"], QString(QChar(flightGearSeparator)));
        QCOMPARE(settings["line_separator"], QString("newline"));
        QCOMPARE(flightGearLineEnd, '\n');
        QCOMPARE(settings["binary_mode"], QString("false"));
    }
};

QTEST_GUILESS_MAIN(LiveTablesTest)
#include "tst_live_tables.moc"
