#include "tests/soak/SoakInput.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/window/FrameView.h"
#include "app/window/OpeningSize.h"
#include "app/window/ShellWindow.h"
#include "engine/Engine.h"
#include "engine/EngineSource.h"
#include "engine/Player.h"
#include "gfx/Graphics.h"
#include "panel/FrameCompositor.h"
#include "panel/FrameParts.h"
#include "panel/OffscreenPanelWindow.h"
#include "panel/PanelArtwork.h"

#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <random>

// The kept frame and the window image after every tick of a long run of
// seeded use, byte for byte against a complete rebuild of the same tick.

namespace {

// At least this many ticks; ZENTOR_KEPT_FRAME_TICKS runs more or, under the
// sanitizers, fewer.
constexpr long defaultTicks = 10000;
constexpr std::uint32_t seed = 20261208;
// Source phases: the model, a replay, a live feed, in turn.
constexpr long ticksPerSource = 400;

// Client areas the real window is resized to: the opening size, odd and
// fractional scales up and down, a shrink to less than half (which a window
// draws whole), and nearly nothing.
constexpr QSize clientSizes[] = {{572, 670},  {1920, 1080}, {613, 777},   {751, 946}, {376, 500},
                                 {1000, 400}, {300, 380},   {1283, 1601}, {3, 2}};
// The client areas three more windows keep their own frames at.
constexpr QSize keptSizes[] = {{572, 670}, {1920, 1080}, {937, 1181}};

constexpr int keys[] = {
    Qt::Key_1,        Qt::Key_2,    Qt::Key_3,     Qt::Key_Up,   Qt::Key_Down,  Qt::Key_PageUp,
    Qt::Key_PageDown, Qt::Key_C,    Qt::Key_D,     Qt::Key_M,    Qt::Key_Space, Qt::Key_Left,
    Qt::Key_Right,    Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Home, Qt::Key_L};

// A replayed log or a live feed as the instrument meets them: values held
// for a few ticks and then moved, knob positions reported; the replay takes
// pause, seeks and speeds, the live feed goes stale (no data) and comes back.
class ScriptedSource final : public EngineSource, public Player {
public:
    ScriptedSource(bool live, std::uint32_t seed) : live(live), random(seed) {}

    void step(EngineState& record) override {
        if (seeked)
            moveValues(record); // a seek shows other values, even paused
        seeked = false;
        if (paused)
            return; // a paused replay leaves every value as it was
        position += speed;
        if (live && pick(40) == 0)
            stale = !stale;
        record.noData.reset();
        if (stale) {
            for (std::size_t q = 0; q < quantityCount; ++q)
                record.noData[q] = pick(4) != 0;
            return;
        }
        if (pick(3) == 0)
            moveValues(record);
    }
    bool followsControls() const override { return false; }
    std::string status() const override {
        return live ? (stale ? "stale" : "live") : (paused ? "paused" : "replay");
    }
    bool control(PlayerControl control) override {
        if (live)
            return false;
        switch (control) {
        case PlayerControl::pauseOrResume:
            paused = !paused;
            break;
        case PlayerControl::faster:
            speed = std::min(speed * 2, 16);
            break;
        case PlayerControl::slower:
            speed = std::max(speed / 2, 1);
            break;
        default: // a seek: other values from the next step
            seeked = true;
            break;
        }
        return true;
    }
    bool paused = false;
    bool seeked = false;

private:
    int pick(int count) { return int(random() % std::uint32_t(count)); }
    float within(float from, float to) {
        return std::uniform_real_distribution<float>(from, to)(random);
    }
    // Some values move, from a little to across their scales.
    void moveValues(EngineState& e) {
        for (float* value : {&e.fuelFlow, &e.leftFuel, &e.rightFuel, &e.oilTemp, &e.oilPressure,
                             &e.fuelPressure, &e.volts, &e.amps, &e.oat, &e.rpm,
                             &e.manifoldPressure, &e.egtRankine, &e.cht, &e.torque})
            if (pick(3) == 0)
                *value = pick(4) == 0 ? within(-50, 3000) : *value * within(0.98f, 1.02f);
        e.egtMeasured = pick(2) == 0;
        for (float& egt : e.measuredEgt)
            egt = within(800, 1700);
        for (float* knob : {&e.throttle, &e.propeller, &e.mixture})
            if (pick(4) == 0)
                *knob = within(0, 1);
    }

    bool live;
    std::mt19937 random;
    long position = 0;
    int speed = 1;
    bool stale = false;
};

// Alarm looks on a few readouts, changed now and then from a stream of
// their own: caution, warning, flashing in either phase, or none.
class AlarmLooks {
public:
    explicit AlarmLooks(std::uint32_t seed) : random(seed) {}

    // True when they changed.
    bool change(ScreenAlarms& alarms) {
        if (random() % 15 != 0)
            return false;
        constexpr Quantity watched[] = {Quantity::rpm,      Quantity::oilPressure, Quantity::oat,
                                        Quantity::leftFuel, Quantity::fuelFlow,    Quantity::egt2,
                                        Quantity::cht1,     Quantity::cht5};
        for (const Quantity quantity : watched) {
            const std::uint32_t kind = random() % 5;
            alarms.looks[std::size_t(quantity)] = {
                .flashes = kind == 3, .red = kind >= 2, .yellow = kind == 1};
        }
        alarms.flashInverse = random() % 2 == 0;
        return true;
    }

private:
    std::mt19937 random;
};

// The instrument's own profile, and now and then another aircraft's: shown
// in degrees C and litres, with tanks of its own and oil pressure marked
// anew.
AircraftProfile aircraftFor(long tick) {
    AircraftProfile profile = instrumentProfile;
    if (tick / 1000 % 2 == 0)
        return profile;
    profile.temperatureUnit = Unit::degC;
    profile.fuelUnit = Unit::litres;
    profile.leftTank = profile.rightTank = 26.4172;
    GaugeProfile& fuel = profile.gauge(Gauge::fuelQuantity);
    fuel = withTankScale(fuel, profile.leftTank, profile.rightTank);
    profile.gauge(Gauge::oilPressure) = {
        .min = 0, .max = 100, .green = {{30, 80}}, .red = {{0, 30}, {80, 100}}, .redLines = {30}};
    return profile;
}

// The first row where `size` pixels at `at` differ in two pictures, or none.
std::optional<int> firstDifferentRow(const QImage& shown, QPoint at, const QImage& rebuilt,
                                     QSize size) {
    for (int y = 0; y < size.height(); ++y)
        if (std::memcmp(shown.constScanLine(at.y() + y) + at.x() * 4,
                        rebuilt.constScanLine(at.y() + y) + at.x() * 4,
                        std::size_t(size.width()) * 4) != 0)
            return y;
    return std::nullopt;
}

// A rebuilt frame stretched whole as a window `offset` into its backing
// store stretches it, for each window size met; redrawn in place only when
// the rebuilt frame changed, as it mostly does not from one tick to the next.
class RebuiltWindows {
public:
    // The client area's pixels sit at `offset` in the image.
    const QImage& stretched(const gfx::Bitmap& frame, QSize client, QPoint offset = {}) {
        const QImage pixels = frame.image();
        const auto bytes = std::size_t(pixels.sizeInBytes());
        if (lastFrame.size() != bytes || std::memcmp(lastFrame.data(), pixels.constBits(), bytes)) {
            lastFrame.assign(pixels.constBits(), pixels.constBits() + bytes);
            for (Stretched& kept : images)
                kept.current = false;
        }
        Stretched* kept = nullptr;
        for (Stretched& candidate : images)
            if (candidate.client == client && candidate.offset == offset)
                kept = &candidate;
        if (!kept) {
            images.push_back(
                {client,
                 offset,
                 gfx::Bitmap(offset.x() + client.width(), offset.y() + client.height()),
                 false,
                 {}});
            kept = &images.back();
        }
        if (!kept->current) {
            kept->pixels = QImage();
            {
                gfx::Graphics g(kept->window);
                g.translateTransform(float(offset.x()), float(offset.y()));
                stretchFrame(g, frame, client.width(), client.height());
            }
            kept->pixels = kept->window.image();
            kept->current = true;
        }
        return kept->pixels;
    }

private:
    struct Stretched {
        QSize client;
        QPoint offset;
        gfx::Bitmap window;
        bool current;
        QImage pixels;
    };
    std::vector<std::uint8_t> lastFrame;
    std::deque<Stretched> images;
};

long ticksToRun() {
    const char* text = std::getenv("ZENTOR_KEPT_FRAME_TICKS");
    const long ticks = text ? std::strtol(text, nullptr, 10) : 0;
    return ticks > 0 ? ticks : defaultTicks;
}

} // namespace

class KeptFramesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ShellWindow> window;
    std::vector<std::unique_ptr<OffscreenPanelWindow>> kept;
    int viewPaints = 0;
    RebuiltWindows rebuiltWindows;
    long windowChecks = 0;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == window->frameView())
            ++viewPaints;
        return false;
    }

    static std::optional<std::size_t> partNamed(const QString& name) {
        for (std::size_t part = 0; part < framePartCount; ++part)
            if (QString::fromLatin1(framePartName(part)) == name)
                return part;
        return std::nullopt;
    }

    void untrack(std::optional<std::size_t> part) {
        window->frameView()->keptFrame.setUntracked(part);
        for (auto& other : kept)
            other->keptFrame.setUntracked(part);
    }

    // What differs from a rebuild of this tick; empty when nothing does.
    QString difference(const gfx::Bitmap& rebuilt) {
        const QImage whole = rebuilt.image();
        FrameView& view = *window->frameView();
        const QImage frame = view.latestPanelFrame().image();
        if (const auto row = firstDifferentRow(frame, {}, whole, whole.size()))
            return QStringLiteral("kept frame, row %1").arg(*row);
        const QSize client = view.size();
        auto* store = dynamic_cast<QImage*>(window->backingStore()->paintDevice());
        if (store && !client.isEmpty()) {
            ++windowChecks;
            const QPoint at = view.mapTo(window.get(), QPoint());
            if (const auto row = firstDifferentRow(
                    *store, at, rebuiltWindows.stretched(rebuilt, client, at), client))
                return QStringLiteral("window image at %1 x %2, row %3")
                    .arg(client.width())
                    .arg(client.height())
                    .arg(*row);
        }
        for (const auto& other : kept) {
            if (firstDifferentRow(other->keptFrame.frame().image(), {}, whole, whole.size()))
                return QStringLiteral("kept frame of a %1 x %2 window")
                    .arg(other->client.right)
                    .arg(other->client.bottom);
            const QSize size(other->client.right, other->client.bottom);
            if (const auto row = firstDifferentRow(other->lastFrame.image(), {},
                                                   rebuiltWindows.stretched(rebuilt, size), size))
                return QStringLiteral("window image at %1 x %2, row %3")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(*row);
        }
        return {};
    }

    // The other windows take the tick's engine record too; the pointer keeps
    // the real window's scale.
    void refreshKeptWindows() {
        const ClientRect real = instrument().view.client;
        for (auto& other : kept) {
            const FrameChange change =
                refreshFrame(instrument().view, *other, panelScene(instrument()));
            if (!change.none())
                other->showFrame(change);
        }
        updateScale(instrument().view, real, instrument().artwork);
    }

    // Runs `ticks` ticks of seeded use; the first tick whose frames differ
    // from a rebuild, or an empty string.
    QString run(long ticks) {
        std::mt19937 random(seed);
        const auto pick = [&](int count) { return int(random() % std::uint32_t(count)); };
        SoakInput input(*window, seed);
        ScriptedSource replay(false, seed + 1);
        ScriptedSource live(true, seed + 2);
        EngineSource* sources[] = {nullptr, &replay, &live};
        AlarmLooks looks(seed + 3);
        long quietPausedTicks = 0;
        long lastActed = 0;
        for (long tick = 1; tick <= ticks; ++tick) {
            bool acted = false;
            if (tick % ticksPerSource == 1) {
                setEngineSource(sources[(tick / ticksPerSource) % 3]);
                acted = true; // a new source is drawn whole
            }
            if (pick(3) == 0) {
                input.pointerBurst(1 + pick(4));
                acted = true;
            }
            if (pick(4) == 0) {
                const int key = keys[pick(int(std::size(keys)))];
                QTest::keyClick(window.get(), Qt::Key(key),
                                pick(5) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
                acted = true;
            }
            if (pick(60) == 0) {
                window->resize(
                    window->outerSizeForClient(clientSizes[pick(int(std::size(clientSizes)))]));
                acted = true;
            }
            if (looks.change(instrument().renderer.alarms))
                acted = true;
            if (tick % 1000 == 0) {
                instrument().renderer.setAircraft(aircraftFor(tick));
                acted = true;
            }
            if (acted)
                lastActed = tick;
            QCoreApplication::processEvents();
            const int paintsBefore = viewPaints;
            const int shownBefore = kept.front()->framesShown;
            tickFrameTimer();
            refreshKeptWindows();
            QCoreApplication::processEvents();
            const QString fault = difference(composePanelFrame(panelScene(instrument())));
            if (!fault.isEmpty())
                return QStringLiteral("tick %1: %2").arg(tick).arg(fault);
            // A paused replay, untouched, costs neither drawing nor the window system.
            // The window system's own paints after a resize or a press come
            // within a tick.
            if (&engineSource() == &replay && replay.paused && tick - lastActed > 2) {
                ++quietPausedTicks;
                if (viewPaints != paintsBefore || kept.front()->framesShown != shownBefore)
                    return QStringLiteral("tick %1: a paused replay was drawn again").arg(tick);
            }
        }
        if (ticks >= defaultTicks && quietPausedTicks == 0)
            return QStringLiteral("the run never met a quiet paused replay");
        return {};
    }

private slots:
    void init() {
        loadPanelArtwork(instrument().artwork);
        window = std::make_unique<ShellWindow>(openingClientSize());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        startShell(*window, seed);
        window->stopFrameTimer();
        window->frameView()->installEventFilter(this);
        for (const QSize size : keptSizes) {
            kept.push_back(std::make_unique<OffscreenPanelWindow>());
            kept.back()->client = {0, 0, size.width(), size.height()};
        }
    }

    void cleanup() {
        setEngineSource(nullptr);
        instrument().renderer.setAircraft(instrumentProfile);
        instrument().renderer.alarms = {};
        kept.clear();
        window.reset();
        freePanelArtwork(instrument().artwork);
    }

    // ZENTOR_KEPT_FRAME_UNTRACK=NAME leaves one part's inputs unread, to
    // show how the run then fails.
    void everyFrameIsARebuild() {
        const long ticks = ticksToRun();
        untrack(partNamed(qEnvironmentVariable("ZENTOR_KEPT_FRAME_UNTRACK")));
        std::printf("kept frames: %ld ticks\n", ticks);
        const QString fault = run(ticks);
        std::printf("kept frames: the window's image compared %ld times\n", windowChecks);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // With one part's inputs not looked at, the run must notice.
    void eachPartsTrackingIsNeeded_data() {
        QTest::addColumn<QString>("part");
        for (const char* name : {"throttle", "Mute mark", "OIL-T", "dial", "EGT", "LEFT"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void eachPartsTrackingIsNeeded() {
        QFETCH(QString, part);
        const std::optional<std::size_t> found = partNamed(part);
        QVERIFY(found);
        untrack(found);
        const QString fault = run(2 * ticksPerSource * 3);
        std::printf("untracked %s: %s\n", qPrintable(part), qPrintable(fault));
        QVERIFY2(!fault.isEmpty(), "the run did not notice");
    }
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("ALSOFT_DRIVERS"))
        qputenv("ALSOFT_DRIVERS", "null");
    QApplication application(argc, argv);
    KeptFramesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_kept_frames.moc"
