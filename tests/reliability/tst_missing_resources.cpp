#include "tests/support/EngineInvariants.h"
#include "tests/support/ShellFixture.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/PanelControls.h"
#include "app/window/FrameView.h"
#include "engine/Engine.h"
#include "gfx/DrawingObjectCount.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelArtwork.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"

#include <QTest>

#include <array>

// The embedded artwork and sound, taken out of and put back into the
// program's resources as a whole.
static void removeEmbeddedResources() {
    Q_CLEANUP_RESOURCE(zentor_embedded);
}

static void restoreEmbeddedResources() {
    Q_INIT_RESOURCE(zentor_embedded);
}

namespace {

// An image that may fail to load, and the panel pixels it covers at most.
struct AbsentImage {
    const char* name;
    gfx::Bitmap* image;
    PanelRect footprint;
    bool controlsStillWork;
};

const auto absentImages = std::to_array<AbsentImage>({
    // Without the panel picture the frame keeps the panel's size: knobs,
    // check marks and screen on black, and the controls still work.
    {"panel", &instrument().artwork.panel, {0, 0, 750, 945}, true},
    {"throttle knob", &instrument().artwork.throttleKnob, {139, 718, 259, 935}, true},
    {"propeller knob", &instrument().artwork.propellerKnob, {318, 700, 432, 873}, true},
    {"mixture knob", &instrument().artwork.mixtureKnob, {488, 700, 602, 873}, true},
    {"check mark", &instrument().artwork.checkMark, {527, 912, 696, 931}, true},
    {"logo", &instrument().renderer.logoImage, {65, 60, 149, 92}, true},
});
static_assert(absentImages.size() == 6);

struct PixelChanges {
    int inside = 0;
    int outside = 0;
};

PixelChanges compareFrames(const QImage& reference, const QImage& frame, PanelRect footprint) {
    PixelChanges changes;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            if (reference.pixel(x, y) == frame.pixel(x, y))
                continue;
            const bool inside = x >= footprint.left && x < footprint.right && y >= footprint.top &&
                                y < footprint.bottom;
            ++(inside ? changes.inside : changes.outside);
        }
    return changes;
}

// Clicks on the cylinder button and the Demo Mode box, knob presses and a
// drag: whatever still works must not trip over the missing picture.
void workTheControls(OpenShell& shell) {
    FrameView* view = shell.view();
    doubleClick(view, shell.onPanel(140, 600));
    doubleClick(view, shell.onPanel(560, 920));
    doubleClick(view, shell.onPanel(700, 920));
    for (const double x : {200.0, 370.0, 540.0}) {
        sendMouse(view, QEvent::MouseButtonPress, shell.onPanel(x, 860), Qt::LeftButton,
                  Qt::LeftButton);
        sendMouse(view, QEvent::MouseMove, shell.onPanel(x, 700), Qt::NoButton, Qt::LeftButton);
        sendMouse(view, QEvent::MouseButtonRelease, shell.onPanel(x, 700), Qt::LeftButton,
                  Qt::NoButton);
        shell.tick();
    }
}

} // namespace

class MissingResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetInstrument(); }

    void cleanup() {
        freePanelArtwork(instrument().artwork);
        QCOMPARE(gfx::drawingObjects::liveObjects(), 0);
    }

    void missingImage_data() {
        QTest::addColumn<int>("row");
        for (std::size_t row = 0; row < absentImages.size(); ++row)
            QTest::newRow(absentImages[row].name) << int(row);
    }

    // The window opens and every frame still shows all but the missing
    // picture: nothing changes outside the place it would have covered.
    void missingImage() {
        QFETCH(int, row);
        const AbsentImage& absent = absentImages[std::size_t(row)];
        loadPanelArtwork(instrument().artwork);
        OpenShell shell;
        QVERIFY(shell.exposed());
        QVERIFY(absent.image->valid());
        instrument().engine.demoMode = 1; // both check marks drawn
        instrument().engine.throttle = instrument().engine.propeller = instrument().engine.mixture =
            0.5f;
        composeFrame(instrument().view, panelScene(instrument()));
        const QImage reference = shell.frame();

        *absent.image = gfx::Bitmap();
        composeFrame(instrument().view, panelScene(instrument()));
        const QImage frame = shell.frame();
        QCOMPARE(frame.size(), QSize(750, 945));
        const PixelChanges changes = compareFrames(reference, frame, absent.footprint);
        QVERIFY(changes.inside > 0);
        QCOMPARE(changes.outside, 0);

        shell.tick(5);
        const std::uint8_t cylinder = instrument().engine.selectedCylinder;
        workTheControls(shell);
        QVERIFY2(engineStateFault().isEmpty(), qPrintable(engineStateFault()));
        QCOMPARE(instrument().engine.selectedCylinder != cylinder, absent.controlsStillWork);
        QCOMPARE(shell.frame().size(), QSize(750, 945));
    }

    // None of the embedded artwork or sound at all: the window opens, ticks
    // with the engine running, takes the pointer and closes, silently.
    void noEmbeddedResources() {
        removeEmbeddedResources();
        const bool removed = zentor::findResource(zentor::panelBitmap, "BITMAP").empty() &&
                             zentor::findResource(zentor::engineSoundWave, "WAVE").empty();
        loadPanelArtwork(instrument().artwork);
        {
            OpenShell shell;
            QVERIFY(shell.exposed());
            QVERIFY(!instrument().artwork.panel.valid() && !instrument().artwork.checkMark.valid());
            QVERIFY(!instrument().renderer.logoImage.valid());
            QVERIFY(!instrument().sound.buffer);
            instrument().engine.throttle = 1.0f;
            shell.tick(20);
            QVERIFY(instrument().engine.rpm > 1000.0f);
            workTheControls(shell);
            shell.tick(5);
            QVERIFY2(engineStateFault().isEmpty(), qPrintable(engineStateFault()));
            QCOMPARE(shell.view()->latestPanelFrame().width(), 750);
        }
        QVERIFY(!shellRunning());
        restoreEmbeddedResources();
        QVERIFY(removed);
        // Put back, the same start-up finds its loop again.
        QVERIFY(loadEngineSound(instrument().sound, zentor::engineSoundWave));
        releaseEngineSound(instrument().sound);
    }
};

QTEST_MAIN(MissingResourcesTest)
#include "tst_missing_resources.moc"
