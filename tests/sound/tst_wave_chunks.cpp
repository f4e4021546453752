#include "WaveImages.h"

#include "resources/Resources.h"
#include "sound/WaveChunks.h"
#include "sound/WaveFormat.h"

#include <QTest>

#include <sanitizer/asan_interface.h>

#include <cstring>
#include <memory>

namespace {

// The image in a heap block of exactly its size: the address sanitizer then
// reports any read past its end.
class ExactCopy {
public:
    explicit ExactCopy(std::span<const std::uint8_t> bytes)
        : size_(bytes.size()), bytes_(new std::uint8_t[bytes.size()]) {
        if (size_)
            std::memcpy(bytes_.get(), bytes.data(), size_);
    }
    explicit ExactCopy(const QByteArray& bytes)
        : ExactCopy({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                     std::size_t(bytes.size())}) {}

    std::span<const std::uint8_t> span() const { return {bytes_.get(), size_}; }
    std::uint8_t* data() { return bytes_.get(); }

private:
    std::size_t size_;
    std::unique_ptr<std::uint8_t[]> bytes_;
};

bool inside(std::span<const std::uint8_t> part, std::span<const std::uint8_t> whole) {
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

QByteArray bytesOf(std::span<const std::uint8_t> span) {
    return QByteArray(reinterpret_cast<const char*>(span.data()), qsizetype(span.size()));
}

QByteArray realResource() {
    return bytesOf(zentor::findResource(zentor::engineSoundWave, "WAVE"));
}

// The supplied loop: a 16-byte PCM header at byte 20, then 478224 bytes of
// 16-bit stereo at 22050 Hz from byte 44, inside a RIFF body of 478520 bytes.
constexpr int realFormatOffset = 20;
constexpr int realDataOffset = 44;
constexpr int realDataSize = 478224;
constexpr std::uint32_t realRiffSize = 478520;

} // namespace

class WaveChunksTest : public QObject {
    Q_OBJECT

private slots:
    void walk_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("playable");
        QTest::addColumn<int>("sampleBytes");
        for (const WaveCase& c : waveCases())
            QTest::newRow(c.name) << c.image << c.found << c.format << c.data << c.playable
                                  << c.sampleBytes;
        const QByteArray real = realResource();
        QTest::newRow("the supplied loop")
            << real << true << real.mid(realFormatOffset, 16)
            << real.mid(realDataOffset, realDataSize) << true << realDataSize;
    }

    void walk() {
        QFETCH(QByteArray, image);
        QFETCH(bool, found);
        QFETCH(QByteArray, format);
        QFETCH(QByteArray, data);
        QFETCH(bool, playable);
        QFETCH(int, sampleBytes);

        const ExactCopy copy(image);
        const auto chunks = findWaveChunks(copy.span());
        QCOMPARE(chunks.has_value(), found);
        if (!chunks)
            return;
        QVERIFY(inside(chunks->format, copy.span()));
        QVERIFY(inside(chunks->data, copy.span()));
        QCOMPARE(bytesOf(chunks->format), format);
        QCOMPARE(bytesOf(chunks->data), data);

        const auto pcm = readPcmFormat(chunks->format);
        QCOMPARE(pcm.has_value(), playable);
        if (pcm)
            QCOMPARE(int(wholeFrames(chunks->data, *pcm).size()), sampleBytes);
    }

    void suppliedLoopFormat() {
        const auto chunks = findWaveChunks(zentor::findResource(zentor::engineSoundWave, "WAVE"));
        QVERIFY(chunks);
        const auto pcm = readPcmFormat(chunks->format);
        QVERIFY(pcm);
        QCOMPARE(int(pcm->channels), 2);
        QCOMPARE(pcm->sampleRate, 22050u);
        QCOMPARE(int(pcm->bitsPerSample), 16);
        QCOMPARE(int(pcm->blockAlign), 4);
    }

    // Every cut of the supplied loop short of its RIFF body fails, and none is
    // read past its end. The bytes beyond each cut are poisoned for the address
    // sanitizer one byte at a time, from the end backwards, instead of copying
    // half a megabyte per cut.
    void everyPrefixOfTheSuppliedLoop() {
        const QByteArray real = realResource();
        QVERIFY(real.size() >= int(realRiffSize) + 8);
        ExactCopy copy(real);
        const auto whole = copy.span();
        int foundCount = 0;
        for (std::size_t length = whole.size() + 1; length-- > 0;) {
            if (length < whole.size())
                ASAN_POISON_MEMORY_REGION(copy.data() + length, 1);
            const auto chunks = findWaveChunks(whole.first(length));
            if (chunks) {
                ++foundCount;
                QVERIFY(inside(chunks->data, whole.first(length)));
            }
        }
        ASAN_UNPOISON_MEMORY_REGION(copy.data(), whole.size());
        // Only the cuts that keep the whole RIFF body still walk.
        QCOMPARE(foundCount, int(whole.size() - (realRiffSize + 8) + 1));
    }
};

QTEST_APPLESS_MAIN(WaveChunksTest)
#include "tst_wave_chunks.moc"
