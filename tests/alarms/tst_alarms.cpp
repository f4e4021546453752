// The alarms, scenario by scenario: each row is a profile and a script of
// moments, "@TIME" then what changes (quantity=value, quantity=- for no
// data, demo, nodemo, stale, fresh), the update at that time, then ack and
// the checks: =MESSAGES (most severe and oldest first, '|' between, '_' for
// a blank; '=' alone: none), quantity:LOOK (flash, red, yellow joined by
// '+', '-' for none), chime or nochime.

#include "aircraft/InstrumentProfile.h"
#include "alarms/AlarmMonitor.h"
#include "alarms/AlarmStarts.h"
#include "engine/Quantities.h"

#include <QTest>

namespace {

// CHT red from 400 and the left tank low below 5 gal: a test aircraft.
AircraftProfile lowRedLines(int cylinders, Unit temperature, Unit fuel) {
    AircraftProfile profile = defaultProfile();
    profile.cylinders = cylinders;
    profile.temperatureUnit = temperature;
    profile.fuelUnit = fuel;
    profile.gauge(Gauge::cht).green = {{200, 380}};
    profile.gauge(Gauge::cht).yellow = {{380, 400}};
    profile.gauge(Gauge::cht).red = {{400, 500}};
    profile.gauge(Gauge::fuelQuantity).green = {{5, 50}};
    profile.gauge(Gauge::fuelQuantity).red = {{0, 5}};
    return profile;
}

AircraftProfile profileNamed(const QString& name) {
    if (name == "low")
        return lowRedLines(6, Unit::degF, Unit::gallons);
    if (name == "four")
        return lowRedLines(4, Unit::degC, Unit::litres);
    return defaultProfile();
}

// A cruise: every value well inside its green.
EngineSample cruise() {
    EngineSample sample;
    for (const auto& [quantity, value] :
         std::initializer_list<std::pair<Quantity, float>>{{Quantity::rpm, 2400},
                                                           {Quantity::manifoldPressure, 24},
                                                           {Quantity::oilTemp, 180},
                                                           {Quantity::oilPressure, 60},
                                                           {Quantity::fuelPressure, 15},
                                                           {Quantity::volts, 14},
                                                           {Quantity::amps, 10},
                                                           {Quantity::oat, 59},
                                                           {Quantity::fuelFlow, 10},
                                                           {Quantity::leftFuel, 40},
                                                           {Quantity::rightFuel, 40}})
        sample.set(quantity, value);
    for (int c = 0; c < 6; ++c) {
        sample.set(cylinderEgt(c), 1300);
        sample.set(cylinderCht(c), 350);
    }
    return sample;
}

Quantity quantity(const QString& name) {
    const auto found = quantityByName(name.toStdString());
    if (!found)
        qFatal("unknown quantity %s", qPrintable(name));
    return *found;
}

QString messages(const AlarmMonitor& monitor) {
    QStringList texts;
    for (const ActiveAlarm& alarm : monitor.active())
        texts << QString::fromStdString(alarm.message).replace(' ', '_');
    return texts.join('|');
}

QString look(const AlarmMonitor& monitor, Quantity q) {
    const ReadoutLook seen = monitor.look(q);
    QStringList parts;
    for (const auto& [on, word] :
         {std::pair{seen.flashes, "flash"}, {seen.red, "red"}, {seen.yellow, "yellow"}})
        if (on)
            parts << word;
    return parts.isEmpty() ? "-" : parts.join('+');
}

} // namespace

class TestAlarms : public QObject {
    Q_OBJECT

private slots:
    void scenarios_data();
    void scenarios();
    void replayStarts();
};

void TestAlarms::scenarios_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("script");
    auto row = [](const char* name, const char* profile, const char* script) {
        QTest::newRow(name) << profile << script;
    };
    row("red 1.9 s raises nothing", "own", "@1 cht3=490 @2.9 cht3=350 = @9 =");
    row("red 2 s raises a warning, chimes once", "own",
        "@1 cht3=490 @2.99 = @3 =CHT_3_HIGH_490 cht3:flash+red chime @3.065 nochime");
    row("yellow 2 s raises a caution", "own", "@1 cht3=450 @3 =CHT_3_HIGH_450 cht3:yellow nochime");
    row("past the top of the scale is red", "own", "@0 rpm=2900 @2 =RPM_HIGH_2900 chime");
    row("low side", "own", "@0 oilPressure=12.7 @2 =OIL-P_LOW_12 oilPressure:flash+red");
    row("wavering at the red line keeps counting", "own",
        "@0 cht3=481 @1 cht3=478 @1.5 cht3=482 @2 =CHT_3_HIGH_482 cht3:flash+red");
    row("deadband", "own",
        "@0 cht3=490 @2 =CHT_3_HIGH_490 @3 cht3=418 =CHT_3_HIGH_418 cht3:flash @4 cht3=416 =");
    row("caution becomes a warning", "own",
        "@0 cht3=450 @2 =CHT_3_HIGH_450 @3 cht3=490 @5 =CHT_3_HIGH_490 cht3:flash+red chime");
    row("no data clears, and counts anew", "own",
        "@0 cht3=490 @2 ack =CHT_3_HIGH_490 @3 cht3=- = @4 cht3=490 = @6 =CHT_3_HIGH_490 "
        "cht3:flash+red");
    row("demo mode raises nothing, clears all", "own",
        "@0 cht3=490 demo @5 = @5.1 nodemo @7.1 =CHT_3_HIGH_490 @8 demo = cht3:-");
    row("stale source while turning", "own",
        "@0 = @1 stale =ENGINE_DATA_LOST nochime @2 =ENGINE_DATA_LOST @3 fresh =");
    row("stale source, engine stopped", "own", "@0 rpm=0 @1 stale = @5 =");
    row("acknowledge, then a new warning", "own",
        "@0 cht3=490 @2 ack cht3:red nochime @3 cht5=490 @5 =CHT_3_HIGH_490|CHT_5_HIGH_490 "
        "cht5:flash+red cht3:red chime");
    row("most severe, then oldest first", "own",
        "@0 cht1=450 @0.5 rpm=2790 @1 oilPressure=5 @3 =RPM_HIGH_2790|OIL-P_LOW_5|CHT_1_HIGH_450");
    row("a low red line from the profile", "low",
        "@0 cht2=405 leftFuel=3.1 @2 =CHT_2_HIGH_405|FUEL_L_LOW_3.1");
    row("four cylinders, Celsius and litres", "four",
        "@0 cht5=490 cht4=490 oilTemp=231 leftFuel=3 @2 "
        "=CHT_4_HIGH_254|OIL-T_HIGH_110|FUEL_L_LOW_11.4");
}

void TestAlarms::scenarios() {
    QFETCH(QString, profile);
    QFETCH(QString, script);
    AlarmMonitor monitor(profileNamed(profile));
    EngineSample sample = cruise();
    AlarmFlags flags;
    for (const QString& moment : script.split('@', Qt::SkipEmptyParts)) {
        const QStringList words = moment.split(' ', Qt::SkipEmptyParts);
        for (const QString& word : words.mid(1)) {
            const QStringList change = word.split('=');
            if (change.size() == 2 && !change[0].isEmpty())
                change[1] == "-" ? sample.clear(quantity(change[0]))
                                 : sample.set(quantity(change[0]), change[1].toFloat());
            flags.demoMode = word == "demo" || (flags.demoMode && word != "nodemo");
            flags.sourceStale = word == "stale" || (flags.sourceStale && word != "fresh");
        }
        const double time = words[0].toDouble();
        monitor.update(flags.sourceStale ? EngineSample{} : sample, time, flags);
        for (const QString& word : words.mid(1)) {
            const QString at = QString("%1 %2").arg(time).arg(word);
            if (word == "ack")
                monitor.acknowledge();
            else if (word.startsWith('='))
                QCOMPARE(at + messages(monitor), at + word.mid(1));
            else if (word.contains(':'))
                QCOMPARE(at + look(monitor, quantity(word.section(':', 0, 0))),
                         at + word.section(':', 1));
            else if (word.endsWith("chime"))
                QCOMPARE(at + (monitor.chimeDue() ? "chime" : "nochime"), at + word);
            QCOMPARE(monitor.count(), monitor.active().size());
        }
    }
}

// A replayed log at 1 s rows: CHT 3 in the red from 10 s to 20 s, the oil
// pressure low from 30 s; the log sought back to its start finds them again.
void TestAlarms::replayStarts() {
    std::vector<EngineSample> log;
    for (int second = 0; second < 40; ++second) {
        EngineSample sample = cruise();
        sample.time = second;
        if (second >= 10 && second < 20)
            sample.set(Quantity::cht3, 490);
        if (second >= 30)
            sample.set(Quantity::oilPressure, 5);
        log.push_back(sample);
    }
    log.insert(log.end(), log.begin(), log.begin() + 13);
    QStringList starts;
    for (const AlarmStart& start : alarmStarts(defaultProfile(), log))
        starts << QString("%1 %2").arg(start.time).arg(QString::fromStdString(start.message));
    QCOMPARE(starts, QStringList({"12 CHT 3 HIGH 490", "32 OIL-P LOW 5", "12 CHT 3 HIGH 490"}));
}

QTEST_APPLESS_MAIN(TestAlarms)
#include "tst_alarms.moc"
