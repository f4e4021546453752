#include "CapturedAudio.h"
#include "tests/support/InstrumentReset.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"
#include "sound/OpenAlAudio.h"
#include "sound/SoundBufferLoading.h"

#include <QFile>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cmath>

namespace {

// Runs the sound's share of `count` normal ticks in real time, as the frame
// timer would, so that the wave-file writer mixes the loop meanwhile.
void runTicks(int count, float rpm, int muted) {
    for (int tick = 0; tick < count; ++tick) {
        instrument().engine.rpm = rpm;
        instrument().engine.muted = muted;
        updateEngineSound(instrument().sound, instrument().engine);
        QThread::msleep(65);
    }
}

// Below this the capture counts as silent: -80 dB of full scale.
constexpr float quiet = 1e-4f;
// A silence at least this long separates two stretches of play, captured frames.
constexpr std::size_t gapFrames = 2048;
// Captured frames compared with the recording for each playback rate: 0.37 s.
constexpr std::size_t fitFrames = 16384;

} // namespace

// The loop played through OpenAL Soft into a wave file (ALSOFT_CONF selects
// the wave-file writer): the captured pitch must follow rpm.
class EngineSoundCaptureTest : public QObject {
    Q_OBJECT

private slots:
    void pitchFollowsRpm() {
        const QString captureFile = qEnvironmentVariable("ZENTOR_SOUND_CAPTURE");
        QVERIFY2(!captureFile.isEmpty(), "ZENTOR_SOUND_CAPTURE names the wave-file writer's file");
        const auto chunks = loadWaveResource(zentor::engineSoundWave);
        QVERIFY(chunks);
        const MonoSound loop = monoFromPcm16(chunks->data, 2, 22050);

        resetInstrument();
        QVERIFY2(loadEngineSound(instrument().sound, zentor::engineSoundWave),
                 "no audio device: check ALSOFT_CONF");
        QCOMPARE(instrument().sound.baseFrequency, 22050u);
        runTicks(15, 900.0f, 0);
        runTicks(5, 900.0f, 1);
        runTicks(15, 2400.0f, 0);
        runTicks(8, 2400.0f, 1);
        releaseEngineSound(instrument().sound);
        closeOpenAlAudioDevice();

        QFile file(captureFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto capture = monoFromFloatWave(file.readAll());
        QVERIFY(capture);

        // Two stretches of play, the first from the start of the loop, the
        // second where the first stopped; silence between and after them.
        const auto runs = soundingRuns(capture->samples, quiet, gapFrames);
        QCOMPARE(runs.size(), std::size_t(2));
        QVERIFY(runs[0].end - runs[0].begin > fitFrames);
        QVERIFY(runs[1].end - runs[1].begin > fitFrames);
        QVERIFY(capture->samples.size() - runs[1].end > gapFrames);

        // Loop frames per captured frame when the loop plays at its own rate.
        const double unit = loop.sampleRate / capture->sampleRate;
        const PlaybackFit idle = fitPlayback(*capture, runs[0].begin, fitFrames, loop, 0.0, 16.0,
                                             0.3 * unit, 2.0 * unit);
        const double resumeAt = idle.position + idle.step * double(runs[0].end - runs[0].begin);
        const PlaybackFit full = fitPlayback(*capture, runs[1].begin, fitFrames, loop, resumeAt,
                                             32.0, 0.3 * unit, 2.0 * unit);

        const double idleHz = idle.step / unit * 22050;
        const double fullHz = full.step / unit * 22050;
        qInfo("900 rev/min: %.0f Hz (match %.3f); 2400 rev/min: %.0f Hz (match %.3f), resumed "
              "at loop frame %.0f (where the first stretch stopped: %.0f); rate ratio %.4f "
              "(expected %.4f)",
              idleHz, idle.score, fullHz, full.score, std::fmod(full.position, loop.samples.size()),
              std::fmod(resumeAt, loop.samples.size()), fullHz / idleHz, 30050.0 / 17050.0);
        QVERIFY(idle.score > 0.9);
        QVERIFY(full.score > 0.9);
        QVERIFY(std::abs(fullHz / idleHz / (30050.0 / 17050.0) - 1) < 0.03);
        QVERIFY(std::abs(idleHz / 17050 - 1) < 0.03);
        QVERIFY(std::abs(fullHz / 30050 - 1) < 0.03);

        // At full volume, and within full scale by itself: no limiter works
        // on the mix. The stretches played hold loop peaks of about 0.7.
        float capturedPeak = 0;
        for (const float sample : capture->samples)
            capturedPeak = std::max(capturedPeak, std::abs(sample));
        qInfo("captured peak %.4f of full scale", capturedPeak);
        QVERIFY(capturedPeak > 0.5f);
        QVERIFY(capturedPeak < 1.0f);
    }
};

QTEST_APPLESS_MAIN(EngineSoundCaptureTest)
#include "tst_engine_sound_capture.moc"
