#include "tests/soak/ResidentMemory.h"
#include "tests/soak/SoakInput.h"
#include "tests/support/EngineInvariants.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/window/FrameView.h"
#include "app/window/OpeningSize.h"
#include "app/window/ShellWindow.h"
#include "engine/Engine.h"
#include "gfx/DrawingObjectCount.h"
#include "panel/PanelArtwork.h"
#include "sound/EngineSound.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define ZENTOR_SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZENTOR_SOAK_SANITIZED 1
#endif
#endif
#ifndef ZENTOR_SOAK_SANITIZED
#define ZENTOR_SOAK_SANITIZED 0
#endif

namespace {

// 100,000 ticks of 65 ms: about 1.8 hours of engine time.
constexpr long defaultTicks = 100000;
constexpr std::uint32_t defaultSeed = 20240611;
// Resident memory is compared from this tick on, once caches have filled.
constexpr long memoryBaselineTick = 10000;
constexpr double allowedGrowthMiB = 1.0;
// Far beyond a tick's cost even under the sanitizers (about 20 ms): only a
// hang runs out of it.
constexpr qint64 msAllowedPerTick = 250;
// A line now and then, to show a long run is moving.
constexpr long progressTicks = 10000;
// Pointer events before the first frame, while nothing has a scale yet.
constexpr int eventsBeforeFirstFrame = 200;
// Panel, three knobs, check mark, the logo, the frame on show, its parts'
// fixed layers and the pixels its last redraw replaced.
constexpr int bitmapsKept = 9;

struct SoakOptions {
    long ticks = defaultTicks;
    std::uint32_t seed = defaultSeed;
};

struct MemoryReading {
    std::int64_t resident = -1; // as the system counts it
    std::int64_t retained = -1; // once the allocator has returned its free pages
};

// Changes of the controls and flags the stream brought about, so that a run
// that never reached them cannot pass for a soak of them.
struct Reached {
    long demoToggles = 0;
    long muteToggles = 0;
    long cylinderSteps = 0;
    long knobMoves = 0;
    QSize smallestClient{1 << 30, 1 << 30};
    QSize largestClient{0, 0};

    void track(const EngineState& before, const FrameView& view) {
        demoToggles += before.demoMode != instrument().engine.demoMode;
        muteToggles += before.muted != instrument().engine.muted;
        cylinderSteps += before.selectedCylinder != instrument().engine.selectedCylinder;
        knobMoves += before.throttle != instrument().engine.throttle ||
                     before.propeller != instrument().engine.propeller ||
                     before.mixture != instrument().engine.mixture;
        smallestClient = smallestClient.boundedTo(view.size());
        largestClient = largestClient.expandedTo(view.size());
    }
};

// The same window size and a few frames at every reading, so that the frame
// buffers of a 4K window are not mistaken for growth.
MemoryReading settledMemory(ShellWindow& window) {
    window.resize(window.outerSizeForClient(openingClientSize()));
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        tickFrameTimer();
    }
    QCoreApplication::processEvents();
    MemoryReading reading;
    reading.resident = residentBytes();
    reading.retained = retainedBytes();
    return reading;
}

void printInput(const SoakInput::Counts& counts, const Reached& reached) {
    std::printf("soak: input %ld moves, %ld presses, %ld releases, %ld double clicks, %ld "
                "positions outside the client area, %ld window resizes, %ld client areas of 0 or "
                "1 px, %ld size resets\n",
                counts.moves, counts.presses, counts.releases, counts.doubleClicks,
                counts.outsidePositions, counts.windowResizes, counts.degenerateClients,
                counts.sizeResets);
    std::printf("soak: reached %ld Demo Mode toggles, %ld Mute toggles, %ld cylinder steps, %ld "
                "knob movements, client areas from %d x %d to %d x %d\n",
                reached.demoToggles, reached.muteToggles, reached.cylinderSteps, reached.knobMoves,
                reached.smallestClient.width(), reached.smallestClient.height(),
                reached.largestClient.width(), reached.largestClient.height());
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

public:
    explicit SoakTest(SoakOptions options) : options(options) {}

private:
    SoakOptions options;
    Reached reached;
    MemoryReading baseline;
    MemoryReading end;

    // Tick, input, window events; the invariants after every pass.
    void runTicks(ShellWindow& window, SoakInput& input) {
        for (long tick = 1; tick <= options.ticks; ++tick) {
            const EngineState before = instrument().engine;
            tickFrameTimer();
            input.betweenTicks();
            QCoreApplication::processEvents();
            reached.track(before, *window.frameView());

            const QString fault = engineStateFault() + drawingObjectFault(bitmapsKept);
            if (!fault.isEmpty())
                QFAIL(qPrintable(
                    QStringLiteral("tick %1, seed %2: %3").arg(tick).arg(options.seed).arg(fault)));
            if (tick == memoryBaselineTick)
                baseline = settledMemory(window);
            if (tick % progressTicks == 0)
                std::printf("soak: tick %ld\n", tick);
        }
        end = settledMemory(window);
    }

    // The whole life of the window: open, the ticks, close.
    void runShell() {
        ShellWindow window(openingClientSize());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        startShell(window, options.seed);
        QVERIFY2(instrument().sound.buffer,
                 "no engine sound loop: the soak plays it into OpenAL's null output");
        // Ticks come from the soak's own loop, one per pass, never from the clock.
        window.stopFrameTimer();

        SoakInput input(window, options.seed);
        input.pointerBurst(eventsBeforeFirstFrame);
        QVERIFY2(engineStateFault().isEmpty(), qPrintable(engineStateFault()));

        QElapsedTimer clock;
        clock.start();
        runTicks(window, input);
        if (QTest::currentTestFailed())
            return;
        const double seconds = double(clock.elapsed()) / 1000.0;
        std::printf("soak: %ld ticks in %.1f s, %.2f ms per tick\n", options.ticks, seconds,
                    1000.0 * seconds / double(options.ticks));
        printInput(input.counts(), reached);

        window.close();
        QVERIFY(!shellRunning());
        QVERIFY(!instrument().sound.buffer);
    }

    void checkMemory() {
        std::printf("soak: resident memory at end %.2f MiB (%.2f MiB retained)\n",
                    mebibytes(end.resident), mebibytes(end.retained));
        if (baseline.retained < 0) {
            std::printf("soak: shorter than %ld ticks, so no growth figure\n", memoryBaselineTick);
            return;
        }
        const double growth = mebibytes(end.retained - baseline.retained);
        std::printf("soak: resident memory at tick %ld %.2f MiB (%.2f MiB retained); retained "
                    "memory grew by %+.3f MiB to the end\n",
                    memoryBaselineTick, mebibytes(baseline.resident), mebibytes(baseline.retained),
                    growth);
        // The sanitizers' allocator quarantines freed memory, so the figure
        // means nothing there; LeakSanitizer checks instead.
        if (!ZENTOR_SOAK_SANITIZED)
            QVERIFY2(growth < allowedGrowthMiB,
                     qPrintable(QStringLiteral("grew by %1 MiB").arg(growth)));
    }

private slots:
    void soak() {
        std::printf("soak: %ld ticks, seed %u, %s build\n", options.ticks, options.seed,
                    ZENTOR_SOAK_SANITIZED ? "sanitizer" : "ordinary");
        loadPanelArtwork(instrument().artwork);
        runShell();
        freePanelArtwork(instrument().artwork);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(gfx::drawingObjects::liveObjects(), 0);
        checkMemory();
        // A stream that never reached the controls would soak nothing.
        if (options.ticks >= 5000) {
            QVERIFY(reached.demoToggles > 0 && reached.muteToggles > 0);
            QVERIFY(reached.cylinderSteps > 0 && reached.knobMoves > 0);
            QCOMPARE(reached.smallestClient, QSize(0, 0));
        }
    }
};

namespace {

long positiveNumber(const char* text, long fallback) {
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *end == '\0' && value > 0 ? value : fallback;
}

// --ticks N and --seed S, or ZENTOR_SOAK_TICKS and ZENTOR_SOAK_SEED; the
// remaining arguments go to QtTest.
SoakOptions takeOptions(QStringList& arguments) {
    SoakOptions options;
    options.ticks = positiveNumber(std::getenv("ZENTOR_SOAK_TICKS"), defaultTicks);
    options.seed = std::uint32_t(positiveNumber(std::getenv("ZENTOR_SOAK_SEED"), defaultSeed));
    for (qsizetype i = 1; i + 1 < arguments.size();) {
        const QByteArray value = arguments[i + 1].toLatin1();
        if (arguments[i] == QLatin1String("--ticks"))
            options.ticks = positiveNumber(value.constData(), options.ticks);
        else if (arguments[i] == QLatin1String("--seed"))
            options.seed = std::uint32_t(positiveNumber(value.constData(), options.seed));
        else {
            ++i;
            continue;
        }
        arguments.remove(i, 2);
    }
    return options;
}

} // namespace

int main(int argc, char* argv[]) {
    // Figures and progress appear as they come, also through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // The loop plays for the whole run: into OpenAL's silent output unless
    // the caller chose a device.
    if (qEnvironmentVariableIsEmpty("ALSOFT_DRIVERS"))
        qputenv("ALSOFT_DRIVERS", "null");
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    const SoakOptions options = takeOptions(arguments);
    // QtTest's watchdog ends a test function after five minutes; the soak's
    // one function is given time by its length, to still catch a hang.
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT",
                QByteArray::number(
                    std::min<qint64>(qint64(options.ticks) * msAllowedPerTick + 60000, INT_MAX)));
    SoakTest test(options);
    return QTest::qExec(&test, arguments);
}

#include "tst_soak.moc"
