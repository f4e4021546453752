// One screen frame as a whole: its drawing kit, its sections' manners, the
// clip it is drawn in, the status bar and the logo.

#include "tests/support/ScreenProbe.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "gfx/Bitmap.h"
#include "gfx/DrawingObjectCount.h"
#include "gfx/DrawingScopes.h"
#include "screen/ScreenParts.h"
#include "screen/ScreenRenderer.h"
#include "screen/ScreenSections.h"

#include <QRegularExpression>
#include <QTest>

namespace {
// No alarm up: every readout plain.
const ScreenAlarms noAlarms;

// Every gauge drawn from a profile rather than from the instrument's own
// tables: degrees C, litres, tanks of their own, red lines labelled low
// and high on every scale.
AircraftProfile profiledEverywhere() {
    AircraftProfile profile = instrumentProfile;
    profile.temperatureUnit = Unit::degC;
    profile.fuelUnit = Unit::litres;
    profile.leftTank = 26.4172;
    profile.rightTank = 20;
    GaugeProfile& fuel = profile.gauge(Gauge::fuelQuantity);
    fuel = withTankScale(fuel, profile.leftTank, profile.rightTank);
    for (GaugeProfile& gauge : profile.gauges)
        gauge.redLines = {gauge.min + 0.05 * (gauge.max - gauge.min),
                          gauge.max - 0.3 * (gauge.max - gauge.min)};
    return profile;
}
const AircraftProfile profiled = profiledEverywhere();

// Every readout flashing, in its inverse phase.
ScreenAlarms everyReadoutInverse() {
    ScreenAlarms alarms;
    alarms.looks.fill({.flashes = true, .red = true});
    alarms.flashInverse = true;
    return alarms;
}
const ScreenAlarms inverse = everyReadoutInverse();

// The instrument's own, a profile's, the instrument's own in alarm.
struct Drawn {
    const AircraftProfile* profile;
    const ScreenAlarms* alarms;
};
constexpr Drawn drawnAs[] = {
    {&instrumentProfile, &noAlarms}, {&profiled, &noAlarms}, {&instrumentProfile, &inverse}};
} // namespace

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void init() { resetEngine(); }
    void kitIsMadeAndReleasedInOrder();
    void refusedBrushLeavesTheRestOfTheFrame();
    void unpoweredScreenDrawsNothing();
    void sectionsLeavePensSolidAndOneWide_data();
    void sectionsLeavePensSolidAndOneWide();
    void partsStayInsideTheirAreas_data();
    void partsStayInsideTheirAreas();
    void layersMakeThePartWhole_data();
    void layersMakeThePartWhole();
    void screenStaysInsideItsClipOnThePanel();
    void statusBarIsTheSameInEveryState();
    void logoLeavesOutPureBlackOnly();
    void kitFontsFallBackToSansSerif_data();
    void kitFontsFallBackToSansSerif();
};

// Kit objects only: fonts' families, contexts, bitmaps and string formats come and go.
static void recordKit(void* log, gfx::ObjectKind kind, gfx::Lifetime event, std::uint32_t tag) {
    static const char* const names[] = {"graphics", "bitmap", "brush",  "pen",       "family",
                                        "font",     "path",   "format", "attributes"};
    if (kind == gfx::ObjectKind::fontFamily || kind == gfx::ObjectKind::stringFormat ||
        kind == gfx::ObjectKind::graphics || kind == gfx::ObjectKind::bitmap)
        return;
    static_cast<QStringList*>(log)->append(
        QString("%1 %2 %3")
            .arg(event == gfx::Lifetime::made ? "made" : "released", names[int(kind)])
            .arg(tag, 0, 16));
}

static QStringList drawAndRecord(QImage* frame = nullptr) {
    QStringList log;
    gfx::drawingObjects::setObserver(recordKit, &log);
    const QImage screen = renderScreen();
    gfx::drawingObjects::setObserver(nullptr, nullptr);
    if (frame)
        *frame = screen;
    return log;
}

void FrameTest::kitIsMadeAndReleasedInOrder() {
    const int alive = gfx::drawingObjects::liveObjects();
    const QStringList made = {
        "path 0",         "path 0",         "brush ff000000", "brush ff00ff00", "brush ffff0000",
        "brush ffffffff", "brush ffffff00", "brush ff00ffff", "brush b4000000", "pen ff00ff00",
        "pen ffff0000",   "pen ffffffff",   "pen ffffff00",   "pen ff505050",   "font d",
        "font e",         "font 1a",        "font 11",        "font 20",        "attributes 0"};
    QStringList expected;
    for (const QString& object : made)
        expected.append("made " + object);
    for (auto object = made.rbegin(); object != made.rend(); ++object)
        expected.append("released " + *object);
    QCOMPARE(drawAndRecord(), expected);
    QCOMPARE(gfx::drawingObjects::liveObjects(), alive);
}

void FrameTest::refusedBrushLeavesTheRestOfTheFrame() {
    gfx::drawingObjects::refuseMaking(gfx::ObjectKind::solidBrush, 2); // the red one
    QImage screen;
    const QStringList log = drawAndRecord(&screen);
    QVERIFY(!log.contains("made brush ffff0000") && !log.contains("released brush ffff0000"));
    QCOMPARE(log.filter(QRegularExpression("^made ")).size(), 19);
    QCOMPARE(log.filter(QRegularExpression("^released ")).size(), 19);
    // Oil pressure 0 reads red: no readout, no red strip base; the rest is there.
    QCOMPARE(probes::count(screen, {445, 129, 62, 25}, probes::isRed), 0);
    QCOMPARE(probes::count(screen, {400, 40, 15, 75}, probes::isRed), 0);
    QVERIFY(probes::count(screen, {400, 40, 15, 75}, probes::isInk) > 300);
}

void FrameTest::unpoweredScreenDrawsNothing() {
    ScreenRenderer renderer;
    renderer.logoImage = gfx::Bitmap(10, 10);
    gfx::Bitmap screen(630, 483);
    QStringList log;
    gfx::drawingObjects::setObserver(recordKit, &log);
    {
        gfx::Graphics graphics(screen);
        renderer.draw(graphics, instrument().engine);
    }
    gfx::drawingObjects::setObserver(nullptr, nullptr);
    QVERIFY(log.isEmpty());
    QCOMPARE(probes::count(screen.image(), {0, 0, 630, 483}, [](QRgb p) { return p != 0; }), 0);
}

void FrameTest::sectionsLeavePensSolidAndOneWide_data() {
    QTest::addColumn<int>("part");
    for (std::size_t part = 0; part < screenPartCount; ++part)
        QTest::newRow(std::string(screenPart(part).name).c_str()) << int(part);
}

void FrameTest::sectionsLeavePensSolidAndOneWide() {
    QFETCH(int, part);
    const gfx::Bitmap logo = gfx::Bitmap::fromResource(114);
    gfx::Bitmap screen(630, 483);
    gfx::Graphics graphics(screen);
    ScreenKit kit(graphics);
    graphics.translateTransform(50, 45);
    const gfx::GraphicsContainer outer = graphics.beginContainer();
    const ScreenPart& drawn = screenPart(std::size_t(part));
    drawn.draw(
        graphics, kit,
        ScreenArt{
            .logo = logo, .registration = {}, .profile = instrumentProfile, .alarms = noAlarms},
        instrument().engine, drawn.gauge);
    for (const gfx::Pen* pen :
         {&kit.greenPen, &kit.redPen, &kit.whitePen, &kit.yellowPen, &kit.greyPen}) {
        QCOMPARE(pen->width(), 1.0f);
        QVERIFY(!pen->dashed());
    }
    const gfx::PointF origin = graphics.transformPoint({0, 0}); // back in the screen frame
    QCOMPARE(QPointF(origin.x, origin.y), QPointF(50, 45));
    QCOMPARE(graphics.lastStatus(), gfx::Status::ok);
    graphics.endContainer(outer);
}

void FrameTest::partsStayInsideTheirAreas_data() {
    sectionsLeavePensSolidAndOneWide_data();
}

namespace {

struct Reading {
    float value;
    bool noData;
};
// Far below and above every scale, none at all.
constexpr Reading readings[] = {{-1e6f, false}, {1e6f, false}, {0, false}, {1e6f, true}};

// Every reading at `reading`, the cylinder boxed.
void setReadings(Reading reading, std::uint8_t cylinder) {
    resetEngine();
    EngineState& e = instrument().engine;
    for (float* value :
         {&e.fuelFlow, &e.leftFuel, &e.rightFuel, &e.oilTemp, &e.oilPressure, &e.fuelPressure,
          &e.volts, &e.amps, &e.oat, &e.rpm, &e.manifoldPressure, &e.egtRankine, &e.cht, &e.torque})
        *value = reading.value;
    e.egtMeasured = e.chtMeasured = cylinder % 2 == 1;
    for (int i = 0; i < 6; ++i)
        e.measuredEgt[i] = e.measuredCht[i] = reading.value;
    if (reading.noData)
        e.noData.set();
    e.selectedCylinder = cylinder;
}

// The part drawn on `screen` in a kit of its own, whole or one of its layers.
void drawPart(gfx::Bitmap& screen, const ScreenPart& drawn, const gfx::Bitmap& logo,
              PartLayers layers, Drawn as) {
    gfx::Graphics graphics(screen);
    ScreenKit kit(graphics);
    const gfx::ContainerScope state(graphics);
    setAntiAliased(graphics);
    if (layers == PartLayers::whole)
        drawn.draw(
            graphics, kit,
            ScreenArt{
                .logo = logo, .registration = {}, .profile = *as.profile, .alarms = *as.alarms},
            instrument().engine, drawn.gauge);
    else
        drawn.drawLayer(
            graphics, kit,
            ScreenArt{
                .logo = logo, .registration = {}, .profile = *as.profile, .alarms = *as.alarms},
            instrument().engine, drawn.gauge, layers);
}

} // namespace

// A kept frame redraws a part over its area alone: whatever the readings,
// the part changes no screen pixel outside it.
void FrameTest::partsStayInsideTheirAreas() {
    QFETCH(int, part);
    const gfx::Bitmap logo = gfx::Bitmap::fromResource(114);
    const ScreenPart& drawn = screenPart(std::size_t(part));
    const QRect area(drawn.area.x, drawn.area.y, drawn.area.width, drawn.area.height);
    for (const Drawn& as : drawnAs)
        for (const Reading reading : readings)
            for (std::uint8_t cylinder = 0; cylinder < 6; ++cylinder) {
                setReadings(reading, cylinder);
                gfx::Bitmap screen(630, 483);
                drawPart(screen, drawn, logo, PartLayers::whole, as);
                const QImage pixels = screen.image();
                for (int y = 0; y < pixels.height(); ++y)
                    for (int x = 0; x < pixels.width(); ++x)
                        if (pixels.pixel(x, y) != 0 && !area.contains(x, y))
                            QFAIL(qPrintable(
                                QStringLiteral("%1 drawn at (%2, %3), cylinder %4, as %5")
                                    .arg(reading.value)
                                    .arg(x)
                                    .arg(y)
                                    .arg(cylinder)
                                    .arg(&as - drawnAs)));
            }
}

void FrameTest::layersMakeThePartWhole_data() {
    QTest::addColumn<int>("part");
    for (std::size_t part = 0; part < screenPartCount; ++part)
        if (screenPart(part).drawLayer)
            QTest::newRow(std::string(screenPart(part).name).c_str()) << int(part);
}

// A kept frame draws a layered part's moving layer, in a kit of its own, over
// the pixels its fixed layer left: byte for byte the part drawn whole.
void FrameTest::layersMakeThePartWhole() {
    QFETCH(int, part);
    const gfx::Bitmap logo = gfx::Bitmap::fromResource(114);
    const ScreenPart& drawn = screenPart(std::size_t(part));
    for (const Drawn as : drawnAs)
        for (const Reading reading : readings)
            for (std::uint8_t cylinder = 0; cylinder < 6; ++cylinder) {
                setReadings(reading, cylinder);
                gfx::Bitmap whole(630, 483);
                drawPart(whole, drawn, logo, PartLayers::whole, as);
                gfx::Bitmap layered(630, 483);
                drawPart(layered, drawn, logo, PartLayers::fixed, as);
                drawPart(layered, drawn, logo, PartLayers::moving, as);
                QVERIFY2(
                    layered.image() == whole.image(),
                    qPrintable(QStringLiteral("%1, cylinder %2").arg(reading.value).arg(cylinder)));
            }
}

// The compositor's way: a panel-sized buffer, the screen at (50, 45), clipped.
void FrameTest::screenStaysInsideItsClipOnThePanel() {
    ScreenRenderer renderer;
    renderer.powerUp();
    QImage panel(750, 600, QImage::Format_RGB32);
    panel.fill(Qt::black);
    gfx::Bitmap buffer(panel);
    const gfx::SolidBrush blue(0xFF0000FF);
    {
        gfx::Graphics graphics(buffer);
        graphics.translateTransform(50, 45);
        graphics.setClip({0, 0, 630, 483});
        renderer.draw(graphics, instrument().engine);
        // Afterwards the caller's frame and clip hold, and drawing stays smoothed.
        const gfx::PointF origin = graphics.transformPoint({0, 0});
        QCOMPARE(QPointF(origin.x, origin.y), QPointF(50, 45));
        QCOMPARE(graphics.smoothingMode(), gfx::SmoothingMode::antiAlias);
        graphics.fillRectangle(&blue, gfx::Rect{-40, -40, 30, 30});
        graphics.resetTransform(); // the screen's own state is closed: back to the panel's corner
        QCOMPARE(graphics.transformPoint({0, 0}).x, 0.0f);
    }
    const QImage image = buffer.image();
    const auto at = [&image](int x, int y) { return image.pixel(50 + x, 45 + y); };
    for (int y = 466; y <= 482; ++y)
        QVERIFY(probes::isWhite(at(10, y)) && probes::isWhite(at(629, y)));
    QVERIFY(probes::isBlack(at(10, 483)) && probes::isBlack(at(630, 470)));
    QVERIFY(probes::isWhite(at(629, 325)) && probes::isBlack(at(631, 325))); // FUEL QTY rule
    QVERIFY(probes::isBlack(at(-25, -25)));
    QVERIFY(probes::count(image, {50 + 80, 45 + 466, 40, 16}, probes::isBlack) > 10); // "Step"
}

void FrameTest::statusBarIsTheSameInEveryState() {
    const QImage start = renderScreen();
    instrument().engine.selectedCylinder = 5;
    setEngine("rpm=2700;manifoldPressure=29;fuelFlow=25;oilTemp=400;volts=0");
    const QImage busy = renderScreen();
    QVERIFY(probes::sameRegion(start, busy, {0, 465, 630, 18}));
}

void FrameTest::logoLeavesOutPureBlackOnly() {
    QImage artwork(3, 1, QImage::Format_RGB888);
    artwork.setPixel(0, 0, qRgb(0, 0, 0));
    artwork.setPixel(1, 0, qRgb(1, 1, 1));
    artwork.setPixel(2, 0, qRgb(200, 0, 0));
    const gfx::Bitmap logo(artwork);
    const QImage image = renderAlone({0, 0}, [&](gfx::Graphics& graphics, ScreenKit& kit) {
        const gfx::SolidBrush blue(0xFF0000FF);
        graphics.fillRectangle(&blue, gfx::Rect{0, 0, 40, 40});
        drawLogo(graphics, kit, logo);
        drawLogo(graphics, kit, gfx::Bitmap()); // a missing logo draws nothing
    });
    QCOMPARE(image.pixel(15, 15), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(16, 15), qRgb(1, 1, 1));
    QCOMPARE(image.pixel(17, 15), qRgb(200, 0, 0));
    QCOMPARE(image.pixel(15, 16), qRgb(0, 0, 255));
}

void FrameTest::kitFontsFallBackToSansSerif_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("fallsBack");
    QTest::newRow("Arial") << "Arial" << false;
    QTest::newRow("a family nobody has") << "Qzxv Nonesuch Grotesk" << true;
}

void FrameTest::kitFontsFallBackToSansSerif() {
    QFETCH(QString, family);
    QFETCH(bool, fallsBack);
    const gfx::Font font = makeKitFont(family.toStdU16String(), 26, gfx::FontStyle::bold);
    QVERIFY(font.valid());
    QCOMPARE(font.size(), 26.0f);
    QCOMPARE(font.style(), gfx::FontStyle::bold);
    QCOMPARE(font.familyName() == gfx::FontFamily::genericSansSerif().name(), fallsBack);
}

QTEST_MAIN(FrameTest)
#include "tst_screen_frame.moc"
