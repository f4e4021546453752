#include "CapturedAudio.h"
#include "tests/support/InstrumentReset.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"
#include "sound/OpenAlAudio.h"

#include <QTest>
#include <QThread>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

void runTicks(int count, int muted) {
    for (int tick = 0; tick < count; ++tick) {
        instrument().engine.rpm = 900.0f;
        instrument().engine.muted = muted;
        updateEngineSound(instrument().sound, instrument().engine);
        QThread::msleep(65);
    }
}

// Below this the capture counts as silent: -80 dB of full scale.
constexpr float quiet = 1e-4f;
constexpr std::size_t gapFrames = 2048;
constexpr int mutedTicks = 40;

} // namespace

// The loop muted long enough for the audio device to pause, then un-muted,
// played through OpenAL Soft's wave-file writer into a pipe.
class EngineSoundResumeTest : public QObject {
    Q_OBJECT

private slots:
    // The silence captured is the ticks the device kept mixing while what
    // it had mixed played out, not the whole mute: the mixer stopped. The
    // loop comes back on the resumed device without a click: the first
    // samples after the silence step no further than the loop's own.
    void resumesWithoutAClick() {
        const QByteArray pipe = qgetenv("ZENTOR_SOUND_CAPTURE");
        QVERIFY2(!pipe.isEmpty(), "ZENTOR_SOUND_CAPTURE names the wave-file writer's file");
        ::unlink(pipe.constData());
        QVERIFY(::mkfifo(pipe.constData(), 0600) == 0);
        std::string stream;
        std::thread reader([&] {
            std::ifstream in(pipe.constData(), std::ios::binary);
            stream.assign(std::istreambuf_iterator<char>(in), {});
        });

        resetInstrument();
        const bool loaded = loadEngineSound(instrument().sound, zentor::engineSoundWave) != nullptr;
        if (loaded) {
            runTicks(15, 0);
            runTicks(mutedTicks, 1);
            runTicks(15, 0);
            releaseEngineSound(instrument().sound);
        }
        closeOpenAlAudioDevice();
        // Lets the reader finish should the writer never have opened the pipe.
        ::close(::open(pipe.constData(), O_WRONLY | O_NONBLOCK));
        reader.join();
        ::unlink(pipe.constData());
        QVERIFY2(loaded, "no audio device: check ALSOFT_CONF");

        const auto capture = monoFromFloatWave(sizedWave(QByteArray::fromStdString(stream)));
        QVERIFY(capture);
        const std::vector<float>& sound = capture->samples;
        const auto runs = soundingRuns(sound, quiet, gapFrames);
        QCOMPARE(runs.size(), std::size_t(2));
        QVERIFY(runs[1].end - runs[1].begin > 32768);

        const double silentTicks =
            double(runs[1].begin - runs[0].end) / (0.065 * capture->sampleRate);
        const auto largestStep = [&](std::size_t from, std::size_t to) {
            float step = 0;
            for (std::size_t i = from; i < to; ++i)
                step = std::max(step, std::abs(sound[i] - sound[i - 1]));
            return step;
        };
        const std::size_t resume = runs[1].begin;
        const float resumeStep = largestStep(resume - 64, resume + 64);
        const float loopStep = largestStep(resume + 16384, resume + 32768);
        qInfo("muted %d ticks, %.1f ticks silent in the capture; largest step at the resume %.4f, "
              "in the loop %.4f; samples from the resume on: %.4f %.4f %.4f ... %.4f",
              mutedTicks, silentTicks, resumeStep, loopStep, sound[resume], sound[resume + 1],
              sound[resume + 2], sound[resume + 1024]);
        QVERIFY(silentTicks > 10 && silentTicks < 30);
        QVERIFY(resumeStep <= loopStep);
    }
};

QTEST_APPLESS_MAIN(EngineSoundResumeTest)
#include "tst_engine_sound_resume.moc"
