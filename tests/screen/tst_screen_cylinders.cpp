// The cylinder graphs and the status bar drawn for an aircraft profile and
// the alarms up, and the keys a kept frame redraws them by.

#include "tests/support/ScreenProbe.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "screen/ScreenRenderer.h"

#include <QTest>

namespace {

enum class Scene { plain, fourCelsius, alarms, caution };

AircraftProfile fourCylinderCelsius() {
    AircraftProfile profile = instrumentProfile;
    profile.tailNumber = TailNumber("TEST-4C");
    profile.cylinders = 4;
    profile.temperatureUnit = Unit::degC;
    profile.gauge(Gauge::cht) = {.min = 100,
                                 .max = 500,
                                 .green = {{150, 380}},
                                 .yellow = {{380, 420}},
                                 .red = {{420, 500}},
                                 .redLines = {420}};
    return profile;
}

// Every EGT 1500 F (816 C), every CHT 400 F (204 C); cylinder 3 boxed.
ScreenRenderer rendererFor(Scene scene) {
    resetEngine();
    EngineState& engine = instrument().engine;
    engine.egtMeasured = engine.chtMeasured = true;
    for (int i = 0; i < 6; ++i) {
        engine.measuredEgt[i] = 1500;
        engine.measuredCht[i] = 400;
    }
    engine.selectedCylinder = scene == Scene::fourCelsius ? 5 : 2;
    ScreenRenderer renderer;
    renderer.powerUp();
    if (scene == Scene::fourCelsius || scene == Scene::alarms)
        renderer.setAircraft(fourCylinderCelsius());
    if (scene == Scene::alarms) {
        renderer.alarms = {.flashInverse = true,
                           .message = u"CHT 3 HIGH 232",
                           .severity = Severity::warning,
                           .count = 2};
        renderer.alarms.looks[std::size_t(Quantity::cht3)] = {.flashes = true, .red = true};
        renderer.alarms.looks[std::size_t(Quantity::egt2)] = {.yellow = true};
    }
    if (scene == Scene::caution) {
        renderer.registration = u"D-EXYZ";
        renderer.alarms = {.message = u"ENGINE DATA LOST", .count = 1};
    }
    return renderer;
}

QImage render(const ScreenRenderer& renderer) {
    QImage image(630, 483, QImage::Format_RGB32);
    image.fill(Qt::black);
    gfx::Bitmap screen(image);
    {
        gfx::Graphics graphics(screen);
        graphics.setClip({0, 0, 630, 483});
        renderer.draw(graphics, instrument().engine);
    }
    return screen.image();
}

struct Text {
    QPoint origin;
    gfx::RectF box;
    gfx::Font ScreenKit::*font;
    gfx::StringAlignment alignment;
    QRgb ink, paper;
};

// The text drawn alone on its paper reads the same, give or take the
// smoothing of a fraction of a pixel.
bool reads(const QImage& screen, const QString& text, const Text& where) {
    const QImage alone = renderAlone(where.origin, [&](gfx::Graphics& graphics, ScreenKit& kit) {
        const gfx::SolidBrush paper(where.paper), ink(where.ink);
        graphics.fillRectangle(&paper, where.box);
        drawTextBox(text.toStdU16String(), where.box.x, where.box.y, where.box.width,
                    where.box.height, &(kit.*where.font), &ink, graphics, where.alignment);
    });
    // Inside the box, clear of a selection box drawn round it.
    const QRect region =
        QRect(where.origin.x() + int(where.box.x) + 3, where.origin.y() + int(where.box.y) + 3,
              int(where.box.width) - 6, int(where.box.height) - 6);
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (std::abs(qGray(screen.pixel(x, y)) - qGray(alone.pixel(x, y))) > 40)
                return false;
    return true;
}

constexpr QRgb white = 0xFFFFFFFF, black = 0xFF000000;

// Which part of the screen, by name.
std::size_t partNamed(std::string_view name) {
    std::size_t part = 0;
    while (screenPart(part).name != name)
        ++part;
    return part;
}

} // namespace

Q_DECLARE_METATYPE(Scene)
Q_DECLARE_METATYPE(Text)

class CylindersTest : public QObject {
    Q_OBJECT
private slots:
    void textsFollowTheProfile_data();
    void textsFollowTheProfile();
    void coloursFollowMarkingsAndAlarms_data();
    void coloursFollowMarkingsAndAlarms();
    void keysHoldWhatIsDrawn();
    void graphsStayInsideTheirAreas();
    void otherMarkingsKeepTodaysFrame();
};

void CylindersTest::textsFollowTheProfile_data() {
    QTest::addColumn<Scene>("scene");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Text>("where");
    constexpr auto small = &ScreenKit::boldFont13;
    constexpr auto far = gfx::StringAlignment::far, centre = gfx::StringAlignment::center;
    const auto column = [&](int x) {
        return Text{{x, 310}, {-10, 95, 20, 17}, small, centre, white, black};
    };
    const Text egtBig{{5, 310}, {85, 125, 70, 30}, &ScreenKit::boldFont32, centre, white, black};
    const Text egtLabel{{9, 310}, {0, 0, 40, 17}, small, far, white, black};
    const Text chtLabel{{310, 310}, {12, 0, 28, 17}, small, far, white, black};
    const Text tail{{533, 466}, {0, 0, 80, 16}, small, far, black, white};
    const Text band{{70, 466}, {0, 0, 455, 16}, small, centre, white, 0xFFFF0000};
    // A centred box narrowed on both sides, or a far-aligned one from the
    // left, holds its text where it was and leaves the neighbours out.
    const auto at = [](Text text, float y) { return text.box.y = y, text; };
    // Six columns' width shared by four, on whole pixels.
    for (const int x : {79, 103, 127, 151, 205, 232, 259, 286})
        QTest::addRow("column at %d of four", x)
            << Scene::fourCelsius << QString::number(x < 200 ? (x - 55) / 24 : (x - 178) / 27)
            << column(x);
    // 1500 F is 816 C; 850 C is 1562 F, 250 C 482 F.
    QTest::newRow("EGT readout in C") << Scene::fourCelsius << " 816" << egtBig;
    QTest::newRow("EGT top label 850 C") << Scene::fourCelsius << "850" << at(egtLabel, 1.814f);
    QTest::newRow("EGT unit") << Scene::fourCelsius << "°C"
                              << Text{{5, 310}, {0, 100, 45, 17}, small, far, white, black};
    QTest::newRow("CHT label 250 C") << Scene::fourCelsius << "250" << at(chtLabel, -4.86f);
    QTest::newRow("tail number of the profile") << Scene::fourCelsius << "TEST-4C" << tail;
    QTest::newRow("registration of the log") << Scene::caution << "D-EXYZ" << tail;
    QTest::newRow("warning with its count") << Scene::alarms << "CHT 3 HIGH 232  (2)" << band;
    QTest::newRow("caution, black on yellow")
        << Scene::caution << "ENGINE DATA LOST"
        << Text{band.origin, band.box, small, centre, black, 0xFFFFFF00};
}

void CylindersTest::textsFollowTheProfile() {
    QFETCH(Scene, scene);
    QFETCH(QString, text);
    QFETCH(Text, where);
    QVERIFY(reads(render(rendererFor(scene)), text, where));
}

using Colour = bool (*)(QRgb);
Q_DECLARE_METATYPE(Colour)

void CylindersTest::coloursFollowMarkingsAndAlarms_data() {
    QTest::addColumn<Scene>("scene");
    QTest::addColumn<QRect>("region");
    QTest::addColumn<Colour>("colour");
    QTest::addColumn<int>("percent"); // of the region at least; 0: none of it
    const Colour red = probes::isRed;
    const Colour yellow = [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 60; };
    const Colour green = [](QRgb p) { return qRed(p) < 60 && qGreen(p) > 200 && qBlue(p) < 60; };
    const Colour white = probes::isWhite, ink = probes::isInk;
    // The CHT zones at x = 318 of the profile's 100..500 F
    // with nothing below its green; where the fifth of six numbers stood,
    // between the third and the fourth of four; then the alarms' looks.
    QTest::newRow("red 460 F") << Scene::fourCelsius << QRect(317, 319, 3, 1) << red << 67;
    QTest::newRow("yellow 400 F") << Scene::fourCelsius << QRect(317, 333, 3, 1) << yellow << 67;
    QTest::newRow("green 300 F") << Scene::fourCelsius << QRect(317, 356, 3, 1) << green << 67;
    QTest::newRow("none at 120 F") << Scene::fourCelsius << QRect(317, 396, 3, 3) << ink << 0;
    QTest::newRow("no fifth EGT") << Scene::fourCelsius << QRect(133, 406, 7, 14) << ink << 0;
    QTest::newRow("sixth boxes fourth")
        << Scene::fourCelsius << QRect(141, 410, 1, 6) << white << 67;
    QTest::newRow("warning bar red") << Scene::alarms << QRect(255, 390, 8, 4) << red << 67;
    QTest::newRow("inverse number") << Scene::alarms << QRect(251, 407, 14, 13) << red << 67;
    QTest::newRow("caution bar yellow") << Scene::alarms << QRect(100, 390, 6, 4) << yellow << 67;
    QTest::newRow("yellow number") << Scene::alarms << QRect(98, 407, 10, 12) << yellow << 15;
    QTest::newRow("inverse readout") << Scene::alarms << QRect(233, 437, 70, 2) << red << 67;
    QTest::newRow("warning band red") << Scene::alarms << QRect(71, 467, 6, 14) << red << 67;
}

void CylindersTest::coloursFollowMarkingsAndAlarms() {
    QFETCH(Scene, scene);
    QFETCH(QRect, region);
    QFETCH(Colour, colour);
    QFETCH(int, percent);
    const int found = probes::count(render(rendererFor(scene)), region, colour);
    if (percent > 0)
        QVERIFY2(found * 100 >= region.width() * region.height() * percent,
                 qPrintable(QString::number(found)));
    else
        QCOMPARE(found, 0);
}

// A kept frame redraws a part when, and only when, what it draws changed.
void CylindersTest::keysHoldWhatIsDrawn() {
    using R = ScreenRenderer&;
    struct Row {
        Scene scene;
        void (*change)(ScreenRenderer&);
        bool egt, cht, status; // which keys differ
    };
    const Row rows[] = {
        {Scene::fourCelsius, [](R r) { r.alarms.flashInverse = true; }, false, false, false},
        {Scene::alarms, [](R r) { r.alarms.flashInverse = false; }, false, true, false},
        {Scene::alarms, [](R r) { r.alarms.looks[std::size_t(Quantity::egt1)].red = true; }, true,
         false, false},
        // Four cylinders: the fifth is not read.
        {Scene::alarms, [](R r) { r.alarms.looks[std::size_t(Quantity::egt5)].red = true; }, false,
         false, false},
        {Scene::alarms, [](R r) { r.alarms.message = u"OIL-P LOW 12"; }, false, false, true},
        {Scene::alarms, [](R r) { r.alarms.count = 3; }, false, false, true},
        {Scene::alarms, [](R r) { r.registration = u"D-EXYZ"; }, false, false, true},
        {Scene::alarms,
         [](R r) {
             AircraftProfile aircraft = r.aircraft();
             aircraft.temperatureUnit = Unit::degF;
             r.setAircraft(aircraft);
         },
         true, true, false},
    };
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        const ScreenRenderer before = rendererFor(rows[row].scene);
        ScreenRenderer after = rendererFor(rows[row].scene);
        rows[row].change(after);
        const bool differs[] = {rows[row].egt, rows[row].cht, rows[row].status};
        const char* names[] = {"EGT", "CHT", "status bar"};
        for (std::size_t i = 0; i < std::size(names); ++i) {
            const ScreenPart& part = screenPart(partNamed(names[i]));
            QVERIFY2(!(part.inputs(before.art(), instrument().engine, 0) ==
                       part.inputs(after.art(), instrument().engine, 0)) == differs[i],
                     qPrintable(QStringLiteral("row %1, %2").arg(row).arg(names[i])));
        }
    }
}

// The inverse boxes and the four columns stay inside the graphs' areas.
void CylindersTest::graphsStayInsideTheirAreas() {
    for (const Scene scene : {Scene::fourCelsius, Scene::alarms})
        for (const std::size_t part : {partNamed("EGT"), partNamed("CHT")}) {
            const ScreenRenderer renderer = rendererFor(scene);
            gfx::Bitmap alone(630, 483);
            {
                gfx::Graphics graphics(alone);
                renderer.drawParts(graphics, instrument().engine, ScreenPartSet().set(part));
            }
            const gfx::Rect area = screenPart(part).area;
            QVERIFY(QRect(area.x, area.y, area.width, area.height)
                        .contains(probes::bounds(alone.image(), {0, 0, 630, 483},
                                                 [](QRgb pixel) { return pixel != 0; })));
        }
}

// A profile that changes nothing the graphs and the status bar draw from,
// only other gauges, the readout colour limits and leaves out the tail
// number, draws them as today's screen does, pixel for pixel.
void CylindersTest::otherMarkingsKeepTodaysFrame() {
    const QImage today = render(rendererFor(Scene::plain));
    ScreenRenderer renderer = rendererFor(Scene::plain);
    AircraftProfile aircraft = renderer.aircraft();
    aircraft.tailNumber = {};
    aircraft.gauge(Gauge::oilPressure).red = {{0, 30}};
    aircraft.gauge(Gauge::egt).whiteReadout =
        WhiteReadout{.highBound = Bound::inclusive, .high = 1400};
    renderer.setAircraft(aircraft);
    const QImage profiled = render(renderer);
    QVERIFY(probes::sameRegion(today, profiled, {0, 265, 350, 218}));
}

QTEST_MAIN(CylindersTest)
#include "tst_screen_cylinders.moc"
