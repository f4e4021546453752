// The dial, strips and tanks drawn from an aircraft profile: the
// instrument's own profile, written and read back, draws today's screen;
// another draws its own bands, labels, units and readout colours; alarms
// colour and invert the readouts.

#include "tests/support/ScreenProbe.h"

#include "aircraft/ProfileReader.h"
#include "aircraft/ProfileWriter.h"
#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "screen/ScreenParts.h"
#include "screen/ScreenRenderer.h"
#include "screen/ScreenSections.h"

#include <QTest>

#include <cmath>
#include <numbers>

namespace {

using Edit = void (*)(AircraftProfile&);

QImage render(const AircraftProfile& profile, const ScreenAlarms& alarms = {}) {
    ScreenRenderer renderer;
    renderer.powerUp();
    renderer.setAircraft(profile);
    renderer.alarms = alarms;
    QImage black(630, 483, QImage::Format_RGB32);
    black.fill(Qt::black);
    gfx::Bitmap screen(black);
    {
        gfx::Graphics graphics(screen);
        graphics.setClip(gfx::Rect{0, 0, 630, 483});
        renderer.draw(graphics, instrument().engine);
    }
    return screen.image();
}

AircraftProfile edited(Edit edit) {
    AircraftProfile profile = instrumentProfile;
    edit(profile);
    return profile;
}

// Oil pressure with a caution band on each side of a narrower green, and no
// readout limits of its own: white inside the green.
void movedOilPressure(AircraftProfile& p) {
    p.gauge(Gauge::oilPressure) = {.min = 0,
                                   .max = 100,
                                   .green = {{30, 80}},
                                   .yellow = {{20, 30}, {80, 90}},
                                   .red = {{0, 20}, {90, 100}},
                                   .redLines = {20, 90}};
}
void celsius(AircraftProfile& p) {
    p.temperatureUnit = Unit::degC;
}
void litres(AircraftProfile& p) {
    p.fuelUnit = Unit::litres;
}
// Two 100 litre tanks, red below 10 litres.
void hundredLitreTanks(AircraftProfile& p) {
    p.fuelUnit = Unit::litres;
    p.leftTank = p.rightTank = 26.4172;
    p.gauge(Gauge::fuelQuantity) = {
        .min = 0, .max = 26.4172, .green = {{2.642, 26.4172}}, .red = {{0, 2.642}}};
}
void smallerRightTank(AircraftProfile& p) {
    p.rightTank = 20;
}
// Icing in yellow on an OAT scale of -40 to 50 degrees C.
void icingOat(AircraftProfile& p) {
    p.temperatureUnit = Unit::degC;
    p.gauge(Gauge::oat) = {.min = -40,
                           .max = 122,
                           .green = {{-40, 23}, {41, 122}},
                           .yellow = {{23, 41}},
                           .whiteReadout = WhiteReadout{}};
}
void widerRpm(AircraftProfile& p) {
    p.gauge(Gauge::rpm) = {.min = 600,
                           .max = 2900,
                           .green = {{600, 2500}},
                           .yellow = {{2500, 2700}},
                           .red = {{2700, 2900}},
                           .redLines = {2700}};
}

bool isGreen(QRgb p) {
    return qGreen(p) >= 200 && qRed(p) < 60 && qBlue(p) < 60;
}
bool isYellow(QRgb p) {
    return qRed(p) >= 200 && qGreen(p) >= 200 && qBlue(p) < 60;
}
using Colour = bool (*)(QRgb);

const QPoint dialCentre(200, 140);

// Where a dial angle meets the arcs' ellipse.
QPointF onDialArc(double angle) {
    const double radians = angle * std::numbers::pi / 180;
    return dialCentre + QPointF(91.5 * std::sin(radians), -87.5 * std::cos(radians));
}
// Where a strip gauge's scale puts `fraction` of the way up, in the strip's middle.
QPointF onStrip(QPoint origin, double fraction) {
    return origin + QPointF(7.5, 75 - fraction * 75);
}

const QPoint oilT(400, 40), oilP(495, 40), oat(590, 190), ff(400, 350), left(495, 350),
    right(590, 350);

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Colour)
Q_DECLARE_METATYPE(ReadoutLook)

class ProfileScreenTest : public QObject {
    Q_OBJECT
private slots:
    void init() { resetEngine(); }
    void ownProfileWrittenAndReadBackDrawsTodaysScreen();
    void readoutsFollowTheProfile_data();
    void readoutsFollowTheProfile();
    void marksFollowTheProfile_data();
    void marksFollowTheProfile();
    void alarmLooksOnReadouts_data();
    void alarmLooksOnReadouts();
};

void ProfileScreenTest::ownProfileWrittenAndReadBackDrawsTodaysScreen() {
    const ProfileReading reading =
        readAircraftProfileText(writeAircraftProfile(instrumentProfile), "own.toml");
    QVERIFY2(reading.profile, reading.error.c_str());
    for (const char* state : {"", "rpm=2790;manifoldPressure=29.5;oilPressure=50;amps=-20",
                              "oilTemp=230;fuelPressure=3;volts=16.5;fuelFlow=2;oat=-30",
                              "leftFuel=0;rightFuel=60;leftCapacity=40;rpm=1e6;oilTemp=nan"}) {
        resetEngine();
        setEngine(state);
        QVERIFY2(render(*reading.profile) == render(instrumentProfile), state);
    }
}

void ProfileScreenTest::readoutsFollowTheProfile_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("red");
    QTest::addColumn<double>("pointerY"); // in the gauge's frame: top of scale 0, bottom 75

    const auto row = [](const char* name, Edit edit, QPoint origin, const char* state,
                        const char* readout, const char* unit, bool red, double pointerY) {
        QTest::newRow(name) << edit << origin << state << readout << unit << red << pointerY;
    };
    row("oil pressure in the yellow", movedOilPressure, oilP, "oilPressure=25", " 25", "PSI", true,
        56.25);
    row("oil pressure in the green", movedOilPressure, oilP, "oilPressure=50", " 50", "PSI", false,
        37.5);
    row("oil temperature in C", celsius, oilT, "oilTemp=212", "100", "\u00B0C", false, 22);
    row("oil temperature in C past its limit", celsius, oilT, "oilTemp=221", "105", "\u00B0C", true,
        19.75);
    row("OAT in C", celsius, oat, "oat=-10", "-10", "\u00B0C", false, 51.6);
    row("fuel flow in litres", litres, ff, "fuelFlow=10", "37.9", "LPH", false, 37.5);
    row("fuel flow in litres below its limit", litres, ff, "fuelFlow=3", "11.4", "LPH", true,
        63.75);
    row("half a 100 litre tank", hundredLitreTanks, left, "leftFuel=13.2086", "50.0", "LTR", false,
        37.5);
    row("a 100 litre tank in the red", hundredLitreTanks, right, "rightFuel=2", " 7.6", "LTR", true,
        69.32);
    row("a full 100 litre tank", hundredLitreTanks, left, "leftFuel=26.4172", "100", "LTR", false,
        0);
    row("a 20 gallon tank", smallerRightTank, right, "rightFuel=5", " 5.0", "GAL", false, 56.25);
}

void ProfileScreenTest::readoutsFollowTheProfile() {
    QFETCH(Edit, edit);
    QFETCH(QPoint, origin);
    QFETCH(QString, state);
    QFETCH(QString, readout);
    QFETCH(QString, unit);
    QFETCH(bool, red);
    QFETCH(double, pointerY);
    setEngine(state);
    const QImage screen = render(edited(edit));

    const double row =
        probes::whiteCentreRow(screen, origin.x() + 8, origin.y() - 8, origin.y() + 82);
    // A red line or a band's edge beside the pointer shifts its white centre a little.
    QVERIFY2(std::abs(row - origin.y() - pointerY) <= 1.0,
             qPrintable(QString("pointer at %1").arg(row - origin.y())));
    const QImage expected = renderAlone(origin, [&](gfx::Graphics& graphics, ScreenKit& kit) {
        const gfx::SolidBrush brush(red ? 0xFFFF0000 : 0xFFFFFFFF);
        drawTextBox(readout.toStdU16String(), -50, 89, 62, 25, &kit.boldFont26, &brush, graphics,
                    gfx::StringAlignment::far);
        graphics.drawString(unit.toStdU16String(), &kit.boldFont14, {8, 91, 0, 0}, nullptr, &brush);
    });
    const QRect box = QRect(origin.x() - 50, origin.y() + 89, 95, 25).intersected(screen.rect());
    QVERIFY(probes::sameRegion(screen, expected, box));
}

void ProfileScreenTest::marksFollowTheProfile_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<Colour>("colour");
    QTest::addColumn<QString>("label");   // a scale label left of the strip, at...
    QTest::addColumn<QPointF>("labelAt"); // ...this point of the strip's middle

    const auto row = [](const char* name, Edit edit, QPointF at, Colour colour,
                        const char* label = "", QPointF labelAt = {}) {
        QTest::newRow(name) << edit << at << colour << label << labelAt;
    };
    row("oil pressure 10 in the red", movedOilPressure, onStrip(oilP, 0.10), probes::isRed);
    row("oil pressure 25 in the yellow", movedOilPressure, onStrip(oilP, 0.25), isYellow);
    row("oil pressure 60 labelled in the green", movedOilPressure, onStrip(oilP, 0.55), isGreen,
        "60", onStrip(oilP, 0.6));
    row("OAT 0 C in the yellow", icingOat, onStrip(oat, 72.0 / 162), isYellow);
    row("OAT -40 C labelled in the green", icingOat, onStrip(oat, 0.05), isGreen, "-40",
        onStrip(oat, 0));
    row("oil temperature 100 C labelled", celsius, onStrip(oilT, 0.68), isGreen, "100",
        onStrip(oilT, 212.0 / 300));
    row("a 100 litre tank labelled 100", hundredLitreTanks, onStrip(left, 0.95), isGreen, "100",
        onStrip(left, 1));
    row("a 100 litre tank red below 10", hundredLitreTanks, onStrip(right, 0.05), probes::isRed);
    row("RPM 2800 on the red arc", widerRpm, onDialArc(-85 + 2200.0 / 2300 * 170), probes::isRed);
    row("RPM 2600 on the yellow arc", widerRpm, onDialArc(-85 + 2000.0 / 2300 * 170), isYellow);
    row("RPM 1500 on the green arc", widerRpm, onDialArc(-85 + 900.0 / 2300 * 170), isGreen);
}

void ProfileScreenTest::marksFollowTheProfile() {
    QFETCH(Edit, edit);
    QFETCH(QPointF, at);
    QFETCH(Colour, colour);
    QFETCH(QString, label);
    QFETCH(QPointF, labelAt);
    setEngine("leftFuel=5;rightFuel=5"); // the pointers below the tanks' top labels
    const QImage screen = render(edited(edit));
    const QPoint pixel(int(at.x()), int(at.y()));
    QVERIFY2(colour(screen.pixel(pixel)), qPrintable(QString::number(screen.pixel(pixel), 16)));
    if (label.isEmpty())
        return;
    const QPointF origin(labelAt.x() - 7.5, labelAt.y());
    const QImage expected = renderTextBox(origin, label, {-40, -8, 35, 17}, &ScreenKit::boldFont14,
                                          0xFFFFFFFF, gfx::StringAlignment::far);
    QVERIFY(probes::count(expected, expected.rect(), probes::isInk) > 0);
    // Left of the ticks, which reach 7 pixels left of the strip.
    QVERIFY(probes::sameRegion(screen, expected,
                               QRect(int(origin.x()) - 40, int(origin.y()) - 6, 31, 12)));
}

void ProfileScreenTest::alarmLooksOnReadouts_data() {
    QTest::addColumn<int>("quantity");
    QTest::addColumn<ReadoutLook>("look");
    QTest::addColumn<bool>("flashInverse");
    QTest::addColumn<QRect>("readout"); // the digits' box on the screen
    QTest::addColumn<Colour>("ink");    // of the digits, or of the box behind black digits
    QTest::addColumn<bool>("inverse");

    const ReadoutLook caution{.yellow = true}, warning{.red = true},
        flashing{.flashes = true, .red = true};
    const auto row = [](const char* name, Quantity quantity, ReadoutLook look, bool phase,
                        QRect box, Colour ink, bool inverse) {
        QTest::newRow(name) << int(quantity) << look << phase << box << ink << inverse;
    };
    const QRect oilPBox(oilP.x() - 45, oilP.y() + 90, 50, 20);
    const QRect leftBox(left.x() - 45, left.y() + 90, 50, 20);
    const QRect rpmBox(dialCentre.x() - 40, dialCentre.y() - 42, 80, 24);
    row("caution: yellow", Quantity::oilPressure, caution, false, oilPBox, isYellow, false);
    row("warning: red", Quantity::oilPressure, warning, false, oilPBox, probes::isRed, false);
    row("flashing, plain phase: red", Quantity::oilPressure, flashing, false, oilPBox,
        probes::isRed, false);
    row("flashing, inverse phase", Quantity::oilPressure, flashing, true, oilPBox, probes::isRed,
        true);
    row("acknowledged: red in every phase", Quantity::oilPressure, warning, true, oilPBox,
        probes::isRed, false);
    row("tank flashing", Quantity::leftFuel, flashing, true, leftBox, probes::isRed, true);
    row("RPM flashing", Quantity::rpm, flashing, true, rpmBox, probes::isRed, true);
}

void ProfileScreenTest::alarmLooksOnReadouts() {
    QFETCH(int, quantity);
    QFETCH(ReadoutLook, look);
    QFETCH(bool, flashInverse);
    QFETCH(QRect, readout);
    QFETCH(Colour, ink);
    QFETCH(bool, inverse);
    setEngine("oilPressure=50;rpm=2400");
    ScreenAlarms alarms;
    alarms.looks[std::size_t(quantity)] = look;
    alarms.flashInverse = flashInverse;
    const QImage screen = render(instrumentProfile, alarms);
    const int inked = probes::count(screen, readout, ink);
    const int white = probes::count(screen, readout, probes::isWhite);
    const int black = probes::count(screen, readout, probes::isBlack);
    QVERIFY2(white == 0 && inked > 30, qPrintable(QString("%1 inked").arg(inked)));
    // Inverse video: the box mostly the readout's colour, the digits black in it.
    QCOMPARE(inked > black, inverse);
    QVERIFY(black > 30);

    // A readout that does not flash is not drawn again at each phase of the flash.
    ScreenAlarms otherPhase = alarms;
    otherPhase.flashInverse = !flashInverse;
    const auto key = [quantity](const ScreenAlarms& shown) {
        const ScreenArt art{instrument().renderer.logoImage, {}, instrumentProfile, shown};
        const EngineState& e = instrument().engine;
        return quantity == int(Quantity::rpm)        ? dialInputs(art, e)
               : quantity == int(Quantity::leftFuel) ? fuelReadoutInputs(art, e, 0)
                                                     : stripReadoutInputs(art, e, 1);
    };
    QCOMPARE(key(alarms) == key(otherPhase), !look.flashes);
}

QTEST_MAIN(ProfileScreenTest)
#include "tst_screen_profile.moc"
