#include "tests/reliability/CountingAudio.h"
#include "tests/sound/WaveImages.h"
#include "tests/support/InstrumentReset.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"
#include "sound/PlaybackFrequency.h"
#include "sound/SoundBufferLoading.h"

#include <QTest>

#include <span>

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& image) {
    return {reinterpret_cast<const std::uint8_t*>(image.constData()), std::size_t(image.size())};
}

QByteArray suppliedLoop() {
    const auto bytes = zentor::findResource(zentor::engineSoundWave, "WAVE");
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// A few ticks of the engine at cruise and at rest, muted and not.
void runTheLoop(SoundBuffer* buffer) {
    for (const float rpm : {2400.0f, 900.0f, 0.0f, 2700.0f}) {
        buffer->setFrequency(engineSoundFrequency(rpm, buffer->frequency()));
        if (!buffer->isPlaying())
            buffer->play();
    }
    buffer->stop();
}

} // namespace

// The engine sound's input from outside: its WAVE resource missing or
// malformed, played through OpenAL Soft itself (its silent output). Either
// the loop plays, or the instrument runs silent; nothing is left behind.
class SoundInputTest : public QObject {
    Q_OBJECT

    CountingDevice device;

private slots:
    void initTestCase() { setAudioDevice(&device); }

    void init() { resetInstrument(); }

    void cleanupTestCase() {
        releaseEngineSound(instrument().sound);
        setAudioDevice(nullptr);
        QCOMPARE(device.live, 0);
    }

    void missingResource_data() {
        QTest::addColumn<int>("resourceId");
        QTest::newRow("no such number") << 999;
        QTest::newRow("number 0") << 0;
        QTest::newRow("a bitmap's number") << int(zentor::panelBitmap);
        QTest::newRow("negative") << -1;
        QTest::newRow("largest") << 65535;
    }

    // A loop was playing; asked for a missing one, the old loop goes and the
    // instrument falls silent.
    void missingResource() {
        QFETCH(int, resourceId);
        QVERIFY(loadEngineSound(instrument().sound, zentor::engineSoundWave));
        instrument().engine.rpm = 2400.0f;
        instrument().engine.muted = 0;
        updateEngineSound(instrument().sound, instrument().engine);
        QCOMPARE(device.live, 1);
        QVERIFY(!loadEngineSound(instrument().sound, resourceId));
        QVERIFY(!instrument().sound.buffer);
        QCOMPARE(device.live, 0);
        updateEngineSound(instrument().sound, instrument().engine);
        instrument().engine.demoMode = 1;
        updateEngineSound(instrument().sound, instrument().engine);
        releaseEngineSound(instrument().sound);
    }

    void malformedWave_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<bool>("plays");
        for (const WaveCase& c : waveCases())
            QTest::newRow(c.name) << c.image << (c.found && c.playable && c.sampleBytes > 0);
        const QByteArray loop = suppliedLoop();
        QTest::newRow("the supplied loop") << loop << true;
        QTest::newRow("the supplied loop, its header only") << loop.left(12) << false;
        QTest::newRow("the supplied loop, up to its samples") << loop.left(44) << false;
        QTest::newRow("the supplied loop, half of it") << loop.left(loop.size() / 2) << false;
        QTest::newRow("the supplied loop, one byte short") << loop.chopped(1) << false;
    }

    // Every format the chunk walk and the format check let through must be
    // one OpenAL takes; every other image makes no buffer at all.
    void malformedWave() {
        QFETCH(QByteArray, image);
        QFETCH(bool, plays);
        const int madeBefore = device.made;
        SoundBuffer* buffer = createSoundBufferFromWave(device, bytesOf(image));
        QCOMPARE(buffer != nullptr, plays);
        if (buffer) {
            QVERIFY(buffer->frequency() >= minPlaybackFrequency);
            runTheLoop(buffer);
            buffer->release();
        }
        QCOMPARE(device.live, 0);
        QVERIFY(device.made - madeBefore <= 1);
    }
};

QTEST_GUILESS_MAIN(SoundInputTest)
#include "tst_sound_input.moc"
