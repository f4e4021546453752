#include "tests/support/EngineInvariants.h"
#include "tests/support/ShellFixture.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/window/FrameView.h"
#include "engine/Engine.h"
#include "gfx/DrawingObjectCount.h"
#include "panel/PanelArtwork.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"
#include "sound/OpenAlAudio.h"

#include <QTest>

// Run with OpenAL Soft offered no usable output (ALSOFT_DRIVERS names none
// there is): the instrument must start, run and close, silently.
class NoAudioDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void noDeviceNoLoop() {
        QVERIFY2(qEnvironmentVariable("ALSOFT_DRIVERS") == QLatin1String("nonexistent"),
                 "run with ALSOFT_DRIVERS=nonexistent");
        QVERIFY(!openAlAudioDevice().open());
        QVERIFY(!loadEngineSound(instrument().sound, zentor::engineSoundWave));
        QVERIFY(!instrument().sound.buffer);
        // Asking again finds no device either, and the tick's calls do nothing.
        QVERIFY(!loadEngineSound(instrument().sound, zentor::engineSoundWave));
        instrument().engine.rpm = 2400.0f;
        updateEngineSound(instrument().sound, instrument().engine);
        instrument().engine.demoMode = 1;
        updateEngineSound(instrument().sound, instrument().engine);
        releaseEngineSound(instrument().sound);
    }

    void shellRunsSilent() {
        resetInstrument();
        loadPanelArtwork(instrument().artwork);
        {
            OpenShell shell;
            QVERIFY(shell.exposed());
            QVERIFY(shellRunning());
            QVERIFY(!instrument().sound.buffer);
            shell.tick();
            FrameView* view = shell.view();
            // Throttle pushed in, Mute ticked and cleared, then demo mode.
            sendMouse(view, QEvent::MouseButtonPress, shell.onPanel(200, 860), Qt::LeftButton,
                      Qt::LeftButton);
            sendMouse(view, QEvent::MouseMove, shell.onPanel(200, 700), Qt::NoButton,
                      Qt::LeftButton);
            sendMouse(view, QEvent::MouseButtonRelease, shell.onPanel(200, 700), Qt::LeftButton,
                      Qt::NoButton);
            QCOMPARE(instrument().engine.throttle, 1.0f);
            shell.tick(40);
            QVERIFY(instrument().engine.rpm > 1000.0f);
            doubleClick(view, shell.onPanel(700, 920));
            QCOMPARE(instrument().engine.muted, 0);
            shell.tick(5);
            doubleClick(view, shell.onPanel(560, 920));
            shell.tick(5);
            QVERIFY2(engineStateFault().isEmpty(), qPrintable(engineStateFault()));
            QCOMPARE(shell.frame().size(), QSize(750, 945));
        }
        QVERIFY(!shellRunning());
        freePanelArtwork(instrument().artwork);
        QCOMPARE(gfx::drawingObjects::liveObjects(), 0);
    }
};

QTEST_MAIN(NoAudioDeviceTest)
#include "tst_no_audio_device.moc"
