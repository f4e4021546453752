#include "WaveImages.h"
#include "tests/support/InstrumentReset.h"
#include "tests/support/RecordingAudio.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"
#include "sound/SoundBufferLoading.h"

#include <QTest>

#include <cmath>
#include <limits>

class EngineSoundTest : public QObject {
    Q_OBJECT

    RecordingDevice* device = nullptr;

    // A loop already built, as after window set-up and some playing: it
    // stands `loopPosition` frames in, and the log is cleared.
    RecordingBuffer& installLoop(bool playing, std::uint32_t baseFrequency = 22050) {
        instrument().sound.buffer = device->createBuffer(PcmFormat{2, baseFrequency, 16, 4}, 16);
        instrument().sound.baseFrequency = baseFrequency;
        RecordingBuffer& loop = *device->buffers.back();
        loop.playing = playing;
        loop.position = loopPosition;
        device->log.clear();
        return loop;
    }

    static constexpr double loopPosition = 1000;

private slots:
    void init() {
        device = new RecordingDevice;
        setAudioDevice(device);
        resetInstrument();
        instrument().sound = {};
    }

    void cleanup() {
        instrument().sound.buffer = nullptr;
        setAudioDevice(nullptr);
        delete device;
    }

    void tick_data() {
        QTest::addColumn<float>("rpm");
        QTest::addColumn<int>("muted");
        QTest::addColumn<uint>("baseFrequency");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("playsAfter");
        QTest::addColumn<uint>("pitch");
        constexpr float inf = std::numeric_limits<float>::infinity();
        const struct {
            const char* name;
            float rpm;
            int muted;
            uint base;
            bool playing;
            bool playsAfter;
            uint pitch; // Hz; 0 where none is set
        } rows[] = {
            {"rpm 10 stops the loop", 10.0f, 0, 22050, true, false, 0},
            {"rpm 10 leaves it stopped", 10.0f, 0, 22050, false, false, 0},
            {"just above 10 starts at 9336", 10.001f, 0, 22050, false, true, 9336},
            {"idle starts at 17050", 900.0f, 0, 22050, false, true, 17050},
            {"idle keeps it playing at 17050", 900.0f, 0, 22050, true, true, 17050},
            {"2400 re-pitches to 30050", 2400.0f, 0, 22050, true, true, 30050},
            {"muted stops the loop", 2400.0f, 1, 22050, true, false, 0},
            {"muted leaves it stopped", 2400.0f, 1, 22050, false, false, 0},
            {"stopped engine", 0.0f, 0, 22050, true, false, 0},
            {"NaN rpm stops", std::nanf(""), 0, 22050, true, false, 0},
            {"infinite rpm held at 200000 Hz", inf, 0, 22050, true, true, 200000},
            {"8000 Hz loop held at 100 Hz", 11.0f, 0, 8000, false, true, 100},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name)
                << row.rpm << row.muted << row.base << row.playing << row.playsAfter << row.pitch;
    }

    // The loop plays or halts as the record says, at the pitch rpm sets; it
    // never starts over, and a start already has the engine's pitch.
    void tick() {
        QFETCH(float, rpm);
        QFETCH(int, muted);
        QFETCH(uint, baseFrequency);
        QFETCH(bool, playing);
        QFETCH(bool, playsAfter);
        QFETCH(uint, pitch);
        RecordingBuffer& loop = installLoop(playing, baseFrequency);
        instrument().engine.rpm = rpm;
        instrument().engine.muted = muted;
        updateEngineSound(instrument().sound, instrument().engine);
        QCOMPARE(loop.playing, playsAfter);
        QCOMPARE(loop.pitch, pitch);
        QCOMPARE(loop.position, loopPosition);
        if (playsAfter && !playing)
            QCOMPARE(loop.startedAt, pitch);
        QVERIFY(device->log.isEmpty());
    }

    // The pitch of a tick comes from the rpm the previous tick left: at full
    // throttle the first tick moves rpm from 900 to about 1063.97.
    void trailsTheModelByOneTick() {
        RecordingBuffer& loop = installLoop(false);
        instrument().engine.throttle = 1.0f;
        stepInstrument();
        QVERIFY(loop.playing);
        QCOMPARE(loop.startedAt, 17050u);
        stepInstrument();
        QVERIFY(loop.playing);
        QCOMPARE(loop.pitch, 18471u);
        QCOMPARE(loop.position, loopPosition);
    }

    // Mute halts the loop at the next tick and un-muting plays the same buffer
    // on from where it halted, never a new or rewound one.
    void muteStopsAndUnmuteResumes() {
        RecordingBuffer& loop = installLoop(false);
        stepInstrument();
        loop.run(1.0);
        QVERIFY(loop.playing);
        const double heard = loop.position;
        QVERIFY(heard > loopPosition);
        instrument().engine.muted = 1;
        stepInstrument();
        QVERIFY(!loop.playing);
        loop.run(1.0);
        stepInstrument();
        QVERIFY(!loop.playing);
        instrument().engine.muted = 0;
        stepInstrument();
        QVERIFY(loop.playing);
        QVERIFY(loop.startedAt > 0);
        QCOMPARE(loop.startedAt, loop.pitch);
        QCOMPARE(loop.position, heard);
        QCOMPARE(instrument().sound.buffer, &loop);
        QCOMPARE(device->buffers.size(), std::size_t(1));
    }

    void demoTickStops_data() {
        QTest::addColumn<int>("muted");
        QTest::addColumn<bool>("playing");
        QTest::newRow("playing") << 0 << true;
        QTest::newRow("playing, Mute ticked") << 1 << true;
        QTest::newRow("already stopped") << 0 << false;
    }

    // The demonstration runs silent whatever Mute says; leaving it restarts
    // the loop at idle pitch with the next tick.
    void demoTickStops() {
        QFETCH(int, muted);
        QFETCH(bool, playing);
        RecordingBuffer& loop = installLoop(playing);
        instrument().engine.muted = muted;
        instrument().engine.demoMode = 1;
        stepInstrument();
        QVERIFY(!loop.playing);
        stepInstrument();
        QVERIFY(!loop.playing);
        QCOMPARE(loop.pitch, 0u);

        instrument().engine.demoMode = 0;
        instrument().engine.muted = 0;
        resetEngineState(instrument().engine);
        stepInstrument();
        QVERIFY(loop.playing);
        QCOMPARE(loop.startedAt, 17050u);
        QCOMPARE(loop.position, loopPosition);
        QVERIFY(device->log.isEmpty());
    }

    void deviceRests_data() {
        QTest::addColumn<float>("rpm");
        QTest::addColumn<int>("muted");
        QTest::addColumn<int>("demoMode");
        QTest::addColumn<bool>("rpmKnown");
        QTest::addColumn<bool>("hasLoop");
        QTest::addColumn<bool>("heard");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<bool>("paused");
        const struct {
            const char* name;
            float rpm;
            int muted;
            int demoMode;
            bool rpmKnown;
            bool hasLoop;
            bool heard; // false: the source holds still (a paused replay)
            int ticks;  // in this state, after one tick of the engine heard
            bool paused;
        } rows[] = {
            {"engine heard for a long time", 2400.0f, 0, 0, true, true, true, 1000, false},
            {"a replay playing on at one rpm", 2300.0f, 0, 0, true, true, true, 100, false},
            {"a paused replay", 2300.0f, 0, 0, true, true, false, 16, true},
            {"muted, the mix still playing out", 900.0f, 1, 0, true, true, true, 15, false},
            {"muted for 16 ticks", 900.0f, 1, 0, true, true, true, 16, true},
            {"muted for a long time", 900.0f, 1, 0, true, true, true, 1000, true},
            {"Demo Mode", 900.0f, 0, 1, true, true, true, 16, true},
            {"Demo Mode, Mute ticked", 900.0f, 1, 1, true, true, true, 16, true},
            {"engine stopped", 10.0f, 0, 0, true, true, true, 16, true},
            {"rpm no data, a live feed gone stale", 900.0f, 0, 0, false, true, true, 16, true},
            {"no loop to play", 900.0f, 0, 0, true, false, true, 16, true},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.rpm << row.muted << row.demoMode << row.rpmKnown
                                    << row.hasLoop << row.heard << row.ticks << row.paused;
    }

    // While the loop is silent the device stops mixing, once what it mixed
    // before has played out; the next tick heard wakes it before the loop
    // plays on from where it halted, at the engine's pitch, rising from
    // silence where the device had stopped.
    void deviceRests() {
        QFETCH(float, rpm);
        QFETCH(int, muted);
        QFETCH(int, demoMode);
        QFETCH(bool, rpmKnown);
        QFETCH(bool, hasLoop);
        QFETCH(bool, heard);
        QFETCH(int, ticks);
        QFETCH(bool, paused);
        loadEngineSound(instrument().sound, hasLoop ? zentor::engineSoundWave : 0);
        updateEngineSound(instrument().sound, instrument().engine);
        if (hasLoop)
            device->buffers.back()->run(1.0);
        const double position = hasLoop ? device->buffers.back()->position : 0;
        instrument().engine.rpm = rpm;
        instrument().engine.muted = muted;
        instrument().engine.demoMode = demoMode;
        instrument().engine.noData.set(std::size_t(Quantity::rpm), !rpmKnown);
        for (int tick = 0; tick < ticks; ++tick)
            updateEngineSound(instrument().sound, instrument().engine, heard);
        QCOMPARE(device->paused, paused);
        QCOMPARE(device->pauses, int(paused));
        if (!hasLoop)
            return;

        RecordingBuffer& loop = *device->buffers.back();
        QVERIFY(!paused || !loop.playing);
        const bool wasPlaying = loop.playing;
        instrument().engine.rpm = 900.0f;
        instrument().engine.muted = 0;
        instrument().engine.demoMode = 0;
        instrument().engine.noData.reset();
        updateEngineSound(instrument().sound, instrument().engine);
        QVERIFY(!device->paused);
        QVERIFY(loop.playing);
        QVERIFY(!loop.playedOnPausedDevice);
        QCOMPARE(loop.position, position);
        if (!wasPlaying) {
            QCOMPARE(loop.startedAt, 17050u);
            QCOMPARE(loop.fadedIn, paused);
        }
    }

    // No audio device: no buffer, and every tick, demo tick and the close
    // pass by without a call; the next set-up tries the device again.
    void silentWithoutDevice() {
        device->opens = false;
        QCOMPARE(loadEngineSound(instrument().sound, zentor::engineSoundWave), nullptr);
        QCOMPARE(instrument().sound.buffer, nullptr);
        QCOMPARE(instrument().sound.baseFrequency, 0u);
        stepInstrument();
        instrument().engine.demoMode = 1;
        stepInstrument();
        updateEngineSound(instrument().sound, instrument().engine);
        releaseEngineSound(instrument().sound);
        QCOMPARE(device->log, QStringList{"open"});
        loadEngineSound(instrument().sound, zentor::engineSoundWave);
        QCOMPARE(device->log, QStringList({"open", "open"}));
    }

    void loadsTheSuppliedLoop() {
        const auto chunks = loadWaveResource(zentor::engineSoundWave);
        QVERIFY(chunks);
        SoundBuffer* loop = loadEngineSound(instrument().sound, zentor::engineSoundWave);
        QVERIFY(loop);
        QCOMPARE(instrument().sound.buffer, loop);
        QCOMPARE(instrument().sound.baseFrequency, 22050u);
        QCOMPARE(device->log, QStringList({"open", "create 2 ch 22050 Hz 16 bit 478224 bytes",
                                           "lock", "unlock"}));
        const auto& bytes = device->buffers.front()->bytes;
        QVERIFY(std::equal(bytes.begin(), bytes.end(), chunks->data.begin(), chunks->data.end()));

        // A second set-up keeps the open device and replaces the loop, the
        // old one halted and freed first.
        device->buffers.front()->playing = true;
        device->log.clear();
        QVERIFY(loadEngineSound(instrument().sound, zentor::engineSoundWave));
        QCOMPARE(device->log.mid(0, 2), QStringList({"release", device->log.at(1)}));
        QVERIFY(device->log.at(1).startsWith("create"));
        QVERIFY(device->buffers.front()->released);
        QVERIFY(!device->buffers.front()->playing);
        QCOMPARE(instrument().sound.buffer, device->buffers.back().get());
    }

    void noResourceNoLoop_data() {
        QTest::addColumn<int>("resourceId");
        QTest::newRow("id 0") << 0;
        QTest::newRow("a bitmap's id") << int(zentor::panelBitmap);
        QTest::newRow("no such id") << 4711;
    }

    void noResourceNoLoop() {
        QFETCH(int, resourceId);
        QCOMPARE(loadEngineSound(instrument().sound, resourceId), nullptr);
        QCOMPARE(instrument().sound.buffer, nullptr);
        QVERIFY(device->buffers.empty());
    }

    void fill_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<bool>("creates");
        QTest::addColumn<bool>("refuseLock");
        QTest::addColumn<bool>("refuseUnlock");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QByteArray>("copied");
        const QByteArray format = pcmFormat(2, 22050, 16);
        const QByteArray data = samples(9, 'a');
        const QByteArray good = riff(chunk("fmt ", format) + chunk("data", data));
        const QString create = "create 2 ch 22050 Hz 16 bit 8 bytes";
        QTest::newRow("whole frames copied")
            << good << true << false << false << QStringList{create, "lock", "unlock"}
            << data.left(8);
        QTest::newRow("device makes no buffer")
            << good << false << false << false << QStringList{create} << QByteArray();
        QTest::newRow("lock refused") << good << true << true << false
                                      << QStringList{create, "lock", "release"} << QByteArray();
        QTest::newRow("unlock refused")
            << good << true << false << true << QStringList{create, "lock", "unlock", "release"}
            << QByteArray();
        QTest::newRow("unplayable format")
            << riff(chunk("fmt ", formatBody(3, 2, 22050, 8, 32)) + chunk("data", data)) << true
            << false << false << QStringList{} << QByteArray();
        QTest::newRow("no whole frame") << riff(chunk("fmt ", format) + chunk("data", "abc"))
                                        << true << false << false << QStringList{} << QByteArray();
        QTest::newRow("no chunks")
            << QByteArray("RIFF") << true << false << false << QStringList{} << QByteArray();
    }

    // Filling copies the whole frames once through a lock/unlock pair; any
    // failure frees the half-made buffer and leaves no loop.
    void fill() {
        QFETCH(QByteArray, image);
        QFETCH(bool, creates);
        QFETCH(bool, refuseLock);
        QFETCH(bool, refuseUnlock);
        QFETCH(QStringList, calls);
        QFETCH(QByteArray, copied);
        device->creates = creates;
        device->refuseLock = refuseLock;
        device->refuseUnlock = refuseUnlock;
        const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(image.constData()),
                                     std::size_t(image.size()));
        SoundBuffer* buffer = createSoundBufferFromWave(*device, bytes);
        QCOMPARE(device->log, calls);
        QCOMPARE(buffer != nullptr, !copied.isEmpty());
        if (buffer) {
            const auto& filled = device->buffers.front()->bytes;
            QCOMPARE(
                QByteArray(reinterpret_cast<const char*>(filled.data()), qsizetype(filled.size())),
                copied);
        }
    }

    void closeReleasesTheLoop() {
        RecordingBuffer& loop = installLoop(true);
        releaseEngineSound(instrument().sound);
        QCOMPARE(device->log, QStringList({"release"}));
        QVERIFY(loop.released);
        QVERIFY(!loop.playing);
        QCOMPARE(instrument().sound.buffer, nullptr);
        releaseEngineSound(instrument().sound);
        QCOMPARE(device->log.size(), 1);
    }
};

QTEST_APPLESS_MAIN(EngineSoundTest)
#include "tst_engine_sound.moc"
