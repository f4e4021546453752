#include "ResourceProbe.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

// The engine sound loop: its RIFF layout, its level, its seamless join and
// that it sounds at the firing rate of a six-cylinder engine near 1477 rev/min.
class ResourceEngineLoopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void headerFields_data();
    void headerFields();
    void chunksFillTheRiffExactly();
    void peakStaysBelowFullScale();
    void loopJoinsWithoutAStep_data();
    void loopJoinsWithoutAStep();
    void strongestLowToneIsTheFiring();
    void firingRateMatchesTheEngineSpeed();
    void channelsDifferSlightly();

private:
    std::span<const std::uint8_t> wave;
    std::vector<std::vector<double>> channels; // left, right

    static constexpr std::size_t dataStart = 44;
    static constexpr double sampleRate = 22050.0;
    static constexpr double firingFrequency = 1477.0 / 60.0 * 3.0; // three firings a revolution

    // Magnitude of the loop's mono mix at whole cycles per loop `k`.
    double magnitudeAtBin(int k) const;
    // Frequency of the strongest bin between two frequencies.
    double strongestBetween(double low, double high) const;
};

void ResourceEngineLoopTest::initTestCase() {
    wave = zentor::findResource(zentor::engineSoundWave, "WAVE");
    QVERIFY(wave.size() >= dataStart + 478224);
    channels.assign(2, {});
    for (std::size_t i = dataStart; i + 4 <= dataStart + 478224; i += 4) {
        channels[0].push_back(std::int16_t(readU16(wave, i)));
        channels[1].push_back(std::int16_t(readU16(wave, i + 2)));
    }
    QCOMPARE(channels[0].size(), std::size_t(119556));
}

void ResourceEngineLoopTest::headerFields_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("width"); // bytes; 4 with a non-empty tag compares letters
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<uint>("value");
    QTest::newRow("RIFF") << 0 << 4 << QByteArray("RIFF") << 0u;
    QTest::newRow("RIFF size") << 4 << 4 << QByteArray() << 478520u;
    QTest::newRow("WAVE") << 8 << 4 << QByteArray("WAVE") << 0u;
    QTest::newRow("fmt") << 12 << 4 << QByteArray("fmt ") << 0u;
    QTest::newRow("fmt size") << 16 << 4 << QByteArray() << 16u;
    QTest::newRow("PCM") << 20 << 2 << QByteArray() << 1u;
    QTest::newRow("channels") << 22 << 2 << QByteArray() << 2u;
    QTest::newRow("sample rate") << 24 << 4 << QByteArray() << 22050u;
    QTest::newRow("bytes per second") << 28 << 4 << QByteArray() << 88200u;
    QTest::newRow("block alignment") << 32 << 2 << QByteArray() << 4u;
    QTest::newRow("bits per sample") << 34 << 2 << QByteArray() << 16u;
    QTest::newRow("data") << 36 << 4 << QByteArray("data") << 0u;
    QTest::newRow("data size") << 40 << 4 << QByteArray() << 478224u;
}

void ResourceEngineLoopTest::headerFields() {
    QFETCH(int, offset);
    QFETCH(int, width);
    QFETCH(QByteArray, tag);
    QFETCH(uint, value);
    if (!tag.isEmpty())
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(wave.data()) + offset, 4), tag);
    else if (width == 4)
        QCOMPARE(readU32(wave, std::size_t(offset)), value);
    else
        QCOMPARE(uint(readU16(wave, std::size_t(offset))), value);
}

void ResourceEngineLoopTest::chunksFillTheRiffExactly() {
    QCOMPARE(wave.size(), std::size_t(8 + 478520));
    // After the samples come further chunks, each whole and padded to even
    // length, ending exactly where the RIFF body ends.
    std::size_t at = dataStart + 478224;
    int after = 0;
    while (at < wave.size()) {
        QVERIFY(at + 8 <= wave.size());
        const std::size_t size = readU32(wave, at + 4);
        at += 8 + size + size % 2;
        ++after;
    }
    QCOMPARE(at, wave.size());
    QVERIFY(after >= 1);
}

void ResourceEngineLoopTest::peakStaysBelowFullScale() {
    const double limit = 32767.0 * std::pow(10.0, -1.0 / 20.0); // -1 dBFS
    double peak = 0;
    for (const auto& channel : channels)
        for (double s : channel)
            peak = std::max(peak, std::abs(s));
    QVERIFY2(peak <= limit, qPrintable(QString::number(peak)));
    // Loud enough to be an engine, not a whisper.
    QVERIFY2(peak > 0.5 * limit, qPrintable(QString::number(peak)));
}

void ResourceEngineLoopTest::loopJoinsWithoutAStep_data() {
    QTest::addColumn<int>("channel");
    QTest::newRow("left") << 0;
    QTest::newRow("right") << 1;
}

void ResourceEngineLoopTest::loopJoinsWithoutAStep() {
    QFETCH(int, channel);
    const std::vector<double>& s = channels[std::size_t(channel)];
    std::vector<double> steps;
    for (std::size_t i = 1; i < s.size(); ++i)
        steps.push_back(std::abs(s[i] - s[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + std::ptrdiff_t(steps.size() * 9 / 10),
                     steps.end());
    const double typical = steps[steps.size() * 9 / 10];
    const double seam = std::abs(s.front() - s.back());
    QVERIFY2(seam <= typical,
             qPrintable(QStringLiteral("seam %1, 90th percentile %2").arg(seam).arg(typical)));
}

double ResourceEngineLoopTest::magnitudeAtBin(int k) const {
    // Goertzel over the whole loop: the loop repeats, so whole bins are exact.
    const std::size_t n = channels[0].size();
    const double w = 2.0 * std::numbers::pi * k / double(n), coefficient = 2.0 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double s0 = channels[0][i] + channels[1][i] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(s1 * s1 + s2 * s2 - coefficient * s1 * s2);
}

double ResourceEngineLoopTest::strongestBetween(double low, double high) const {
    const double binWidth = sampleRate / double(channels[0].size());
    int best = 0;
    double bestMagnitude = -1;
    for (int k = int(std::ceil(low / binWidth)); k <= int(high / binWidth); ++k) {
        const double m = magnitudeAtBin(k);
        if (m > bestMagnitude) {
            bestMagnitude = m;
            best = k;
        }
    }
    return best * binWidth;
}

void ResourceEngineLoopTest::strongestLowToneIsTheFiring() {
    const double peak = strongestBetween(20.0, 400.0);
    const int harmonic = int(std::lround(peak / firingFrequency));
    QVERIFY2(harmonic >= 1, qPrintable(QString::number(peak)));
    QVERIFY2(std::abs(peak - harmonic * firingFrequency) <= 0.02 * harmonic * firingFrequency,
             qPrintable(QStringLiteral("strongest at %1 Hz").arg(peak)));
}

void ResourceEngineLoopTest::firingRateMatchesTheEngineSpeed() {
    // Six cylinders, four strokes: three firings a revolution at about 1477 rev/min.
    const double firing = strongestBetween(55.0, 95.0);
    QVERIFY2(std::abs(firing - firingFrequency) <= 0.01 * firingFrequency,
             qPrintable(QStringLiteral("firing at %1 Hz").arg(firing)));
}

void ResourceEngineLoopTest::channelsDifferSlightly() {
    double sum = 0, difference = 0;
    for (std::size_t i = 0; i < channels[0].size(); ++i) {
        sum += std::pow(channels[0][i] + channels[1][i], 2);
        difference += std::pow(channels[0][i] - channels[1][i], 2);
    }
    const double ratio = std::sqrt(difference / sum);
    QVERIFY2(ratio > 0.05 && ratio < 0.6, qPrintable(QString::number(ratio)));
}

QTEST_APPLESS_MAIN(ResourceEngineLoopTest)
#include "tst_resource_engine_loop.moc"
