// The cylinder graphs and the status bar drawn for an aircraft profile and
// the alarms up: four columns, degrees C, the profile's zones, an alarming
// cylinder's look, the tail number and the alarm message, and the keys a
// kept frame redraws them by.

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
        renderer.profile = fourCylinderCelsius();
    if (scene == Scene::alarms) {
        ScreenAlarms& alarms = renderer.alarms;
        alarms.looks[std::size_t(Quantity::cht3)] = {.flashes = true, .red = true};
        alarms.looks[std::size_t(Quantity::egt2)] = {.yellow = true};
        alarms.flashInverse = true;
        alarms.message = u"CHT 3 HIGH 232";
        alarms.severity = Severity::warning;
        alarms.count = 2;
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
    QRgb ink;
    QRgb paper;
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

bool isYellow(QRgb p) {
    return qRed(p) >= 200 && qGreen(p) >= 200 && qBlue(p) < 60;
}
bool isGreen(QRgb p) {
    return qRed(p) < 60 && qGreen(p) >= 200 && qBlue(p) < 60;
}

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
    void layersMakeTheGraphsWhole();
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
    for (const int x : {79, 103, 127, 151})
        QTest::addRow("EGT column at %d of four", x)
            << Scene::fourCelsius << QString::number((x - 55) / 24) << column(x);
    for (const int x : {205, 232, 259, 286})
        QTest::addRow("CHT column at %d of four", x)
            << Scene::fourCelsius << QString::number((x - 178) / 27) << column(x);
    // 1500 F is 816 C; 850 C is 1562 F, 450 C 842 F, 250 C 482 F, 100 C 212 F.
    QTest::newRow("EGT readout in C") << Scene::fourCelsius << " 816" << egtBig;
    QTest::newRow("EGT top label 850 C") << Scene::fourCelsius << "850" << at(egtLabel, 1.814f);
    QTest::newRow("EGT bottom label 450 C") << Scene::fourCelsius << "450" << at(egtLabel, 82.104f);
    QTest::newRow("EGT unit") << Scene::fourCelsius << "°C"
                              << Text{{5, 310}, {0, 100, 45, 17}, small, far, white, black};
    QTest::newRow("CHT label 250 C") << Scene::fourCelsius << "250" << at(chtLabel, -4.86f);
    QTest::newRow("CHT label 100 C") << Scene::fourCelsius << "100" << at(chtLabel, 57.24f);
    QTest::newRow("today's EGT label") << Scene::plain << "1650" << at(egtLabel, -8);
    QTest::newRow("tail number of the profile") << Scene::fourCelsius << "TEST-4C" << tail;
    QTest::newRow("registration of the log") << Scene::caution << "D-EXYZ" << tail;
    QTest::newRow("today's caption") << Scene::plain << "N5038K" << tail;
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
    const Colour red = probes::isRed, yellow = isYellow, green = isGreen;
    const Colour white = probes::isWhite, ink = probes::isInk;
    // The CHT zones at x = 318: today's 200..500 F, the profile's 100..500 F.
    QTest::newRow("today's red at 490 F") << Scene::plain << QRect(317, 312, 3, 1) << red << 67;
    QTest::newRow("today's yellow at 450 F")
        << Scene::plain << QRect(317, 325, 3, 1) << yellow << 67;
    QTest::newRow("profile's red at 460 F")
        << Scene::fourCelsius << QRect(317, 319, 3, 1) << red << 67;
    QTest::newRow("profile's yellow at 400 F")
        << Scene::fourCelsius << QRect(317, 333, 3, 1) << yellow << 67;
    QTest::newRow("profile's green at 300 F")
        << Scene::fourCelsius << QRect(317, 356, 3, 1) << green << 67;
    QTest::newRow("nothing under the profile's green")
        << Scene::fourCelsius << QRect(317, 396, 3, 3) << ink << 0;
    // Where the fifth of six numbers stood, between the third and fourth of four.
    QTest::newRow("no fifth EGT column")
        << Scene::fourCelsius << QRect(133, 406, 7, 14) << ink << 0;
    QTest::newRow("selection past four boxes the fourth")
        << Scene::fourCelsius << QRect(141, 410, 1, 6) << white << 67;
    QTest::newRow("bar green without alarms")
        << Scene::fourCelsius << QRect(255, 390, 8, 4) << green << 67;
    QTest::newRow("warning bar red") << Scene::alarms << QRect(255, 390, 8, 4) << red << 67;
    QTest::newRow("flashing number inverse")
        << Scene::alarms << QRect(251, 407, 14, 13) << red << 67;
    QTest::newRow("caution bar yellow") << Scene::alarms << QRect(100, 390, 6, 4) << yellow << 67;
    QTest::newRow("caution number yellow")
        << Scene::alarms << QRect(98, 407, 10, 12) << yellow << 15;
    QTest::newRow("boxed alarming readout inverse")
        << Scene::alarms << QRect(233, 437, 70, 2) << red << 67;
    QTest::newRow("status bar white") << Scene::plain << QRect(71, 467, 6, 14) << white << 67;
    QTest::newRow("warning band red") << Scene::alarms << QRect(71, 467, 6, 14) << red << 67;
    QTest::newRow("caution band yellow") << Scene::caution << QRect(71, 467, 6, 14) << yellow << 67;
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

namespace {

enum class Change {
    none,
    cht3Red,
    egt5Red,
    flashPhase,
    egt2Flashing,
    egt2FlashingPhase,
    message,
    count,
    registration,
    fahrenheit
};

void apply(Change change, ScreenRenderer& renderer) {
    ScreenAlarms& alarms = renderer.alarms;
    if (change == Change::egt2Flashing || change == Change::egt2FlashingPhase)
        alarms.looks[std::size_t(Quantity::egt2)] = {.flashes = true, .red = true};
    alarms.flashInverse = change == Change::flashPhase || change == Change::egt2FlashingPhase;
    if (change == Change::cht3Red)
        alarms.looks[std::size_t(Quantity::cht3)].red = true;
    if (change == Change::egt5Red)
        alarms.looks[std::size_t(Quantity::egt5)].red = true;
    if (change == Change::message || change == Change::count)
        alarms.message = u"OIL-P LOW 12";
    if (change == Change::count)
        alarms.count = 2;
    if (change == Change::registration)
        renderer.registration = u"D-EXYZ";
    if (change == Change::fahrenheit)
        renderer.profile.temperatureUnit = Unit::degF;
}

} // namespace

// A kept frame redraws a part when, and only when, what it draws changed.
void CylindersTest::keysHoldWhatIsDrawn() {
    struct Row {
        Change before, after;
        bool egt, cht, status; // which keys differ
    };
    constexpr Row rows[] = {
        {Change::none, Change::cht3Red, false, true, false},
        {Change::none, Change::egt5Red, false, false, false}, // four cylinders: none read
        {Change::none, Change::flashPhase, false, false, false},
        {Change::egt2Flashing, Change::egt2FlashingPhase, true, false, false},
        {Change::none, Change::message, false, false, true},
        {Change::message, Change::count, false, false, true},
        {Change::none, Change::registration, false, false, true},
        {Change::none, Change::fahrenheit, true, true, false},
    };
    const std::size_t parts[] = {partNamed("EGT"), partNamed("CHT"), partNamed("status bar")};
    for (const Row& row : rows) {
        ScreenRenderer before = rendererFor(Scene::fourCelsius);
        ScreenRenderer after = rendererFor(Scene::fourCelsius);
        apply(row.before, before);
        apply(row.after, after);
        const bool differs[] = {row.egt, row.cht, row.status};
        for (std::size_t i = 0; i < std::size(parts); ++i) {
            const ScreenPart& part = screenPart(parts[i]);
            const bool keyDiffers = !(part.inputs(before.art(), instrument().engine, 0) ==
                                      part.inputs(after.art(), instrument().engine, 0));
            QVERIFY2(
                keyDiffers == differs[i],
                qPrintable(QStringLiteral("row %1, %2").arg(int(row.after)).arg(part.name.data())));
        }
    }
}

// The fixed layer kept and the moving one drawn over it make the graph as
// drawn whole, with the profile's scale and the alarms' overdrawn numbers.
void CylindersTest::layersMakeTheGraphsWhole() {
    for (const Scene scene : {Scene::fourCelsius, Scene::alarms})
        for (const std::size_t part : {partNamed("EGT"), partNamed("CHT")}) {
            const ScreenRenderer renderer = rendererFor(scene);
            gfx::Bitmap whole(630, 483), layered(630, 483);
            ScreenPartSet parts;
            parts.set(part);
            ScreenPartLayers layers{};
            {
                gfx::Graphics graphics(whole);
                renderer.drawParts(graphics, instrument().engine, parts, layers);
            }
            gfx::Graphics graphics(layered);
            for (const PartLayers layer : {PartLayers::fixed, PartLayers::moving}) {
                layers[part] = layer;
                renderer.drawParts(graphics, instrument().engine, parts, layers);
            }
            QVERIFY(layered.image() == whole.image());
        }
}

QTEST_MAIN(CylindersTest)
#include "tst_screen_cylinders.moc"
