// Alarms in the real window, driven by xdotool: a log whose cylinder head
// runs hot from its start, replayed with a profile that puts that in the
// red. The readout box flashes and the warning chimes through the engine sound's output (OpenAL
// Soft writing its mix to a wave file) every 2.5 s until A is pressed, then falls silent; Mute
// would silence it, Enter and a click do what A does (tested beside the shell).

#include "XScreen.h"

#include "tests/sound/CapturedAudio.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// CHT 3 at 450 °F for five minutes; no rpm, so no engine sound beside the chime.
QByteArray hotLog() {
    QByteArray text = "Time,CHT3\n";
    for (int second = 0; second <= 300; ++second)
        text += QByteArray::number(second) + ",450\n";
    return text;
}

constexpr char lowRedLine[] = "[cht]\n"
                              "scale = [200, 500]\n"
                              "green = [200, 400]\n"
                              "red = [400, 500]\n";

QByteArray waveConfiguration(const QString& capture) {
    return "[general]\ndrivers = wave\nfrequency = 44100\nchannels = stereo\n"
           "sample-type = float32\n[wave]\nfile = " +
           capture.toUtf8() + "\n";
}

// The replay's position in whole seconds, from the caption.
int captionSeconds(const QString& window) {
    static const QRegularExpression pattern(QStringLiteral("hot\\.csv (\\d\\d):(\\d\\d):(\\d\\d)"));
    const QRegularExpressionMatch match = pattern.match(runXdotool({"getwindowname", window}));
    if (!match.hasMatch())
        return -1;
    return match.captured(1).toInt() * 3600 + match.captured(2).toInt() * 60 +
           match.captured(3).toInt();
}

// Zero crossings per second over `seconds` from `start`: about twice the
// pitch of a clear tone.
double crossingRate(const MonoSound& sound, std::size_t start, double seconds) {
    const auto count = std::size_t(seconds * sound.sampleRate);
    int crossings = 0;
    for (std::size_t i = start + 1; i < start + count && i < sound.samples.size(); ++i)
        crossings += (sound.samples[i - 1] < 0) != (sound.samples[i] < 0) ? 1 : 0;
    return crossings / seconds;
}

// Pure red pixels on the whole screen: the warning's bar, number and message.
qint64 redPixels(const QImage& image) {
    qint64 count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += qRed(row[x]) > 200 && qGreen(row[x]) < 60 && qBlue(row[x]) < 60 ? 1 : 0;
    }
    return count;
}

// How much the red on the screen changes over a second of grabs: the
// flashing readout box turns red and back twice a second.
qint64 redSwing() {
    qint64 least = -1, most = 0;
    for (int grab = 0; grab < 10; ++grab) {
        const qint64 red = redPixels(screenshot());
        least = least < 0 ? red : std::min(least, red);
        most = std::max(most, red);
        QTest::qWait(100);
    }
    return most - least;
}

} // namespace

class AlarmsEndToEndTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void chimesUntilAcknowledged() {
        QVERIFY(folder.isValid());
        const auto write = [&](const char* name, const QByteArray& text) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        };
        const QByteArray capture = folder.filePath("capture.pipe").toLocal8Bit();
        write("hot.csv", hotLog());
        write("low.toml", lowRedLine);
        write("capture.conf", waveConfiguration(QString::fromLocal8Bit(capture)));
        QVERIFY(::mkfifo(capture.constData(), 0600) == 0);
        std::string stream;
        std::thread reader([&] {
            std::ifstream in(capture.constData(), std::ios::binary);
            stream.assign(std::istreambuf_iterator<char>(in), {});
        });
        // However the test ends, the reader ends: should the writer never have
        // opened the pipe, an empty write lets it go.
        struct ReaderEnd {
            std::thread& reader;
            const QByteArray& pipe;
            ~ReaderEnd() { finish(); }
            void finish() {
                if (!reader.joinable())
                    return;
                ::close(::open(pipe.constData(), O_WRONLY | O_NONBLOCK));
                reader.join();
            }
        } readerEnd{reader, capture};
        QProcess program; // killed, if still running, before the reader is let go

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ALSOFT_DRIVERS", "wave");
        environment.insert("ALSOFT_CONF", folder.filePath("capture.conf"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(
            qEnvironmentVariable("ZENTOR_DEMO"),
            {"--replay", folder.filePath("hot.csv"), "--aircraft", folder.filePath("low.toml")});
        QVERIFY(program.waitForStarted(5000));
        const QString window = findWindow(QStringLiteral("Corvane Zentor Demo"));
        QVERIFY(!window.isEmpty());

        // Raised at 2 s of the log: the box flashes. It chimes at 2 s and 4.5 s,
        // then A at 6 s.
        // Cylinder 3 boxed: its big readout flashes too.
        runXdotool({"windowfocus", "--sync", window});
        runXdotool({"key", "--window", window, "c", "c"});
        QTRY_VERIFY_WITH_TIMEOUT(captionSeconds(window) >= 3, 20000);
        const qint64 flashing = redSwing();
        QVERIFY2(flashing > 300, qPrintable(QString::number(flashing)));
        QTRY_VERIFY_WITH_TIMEOUT(captionSeconds(window) >= 6, 20000);
        runXdotool({"windowfocus", "--sync", window});
        runXdotool({"key", "--window", window, "a"});
        QTest::qWait(300);
        const qint64 steady = redSwing(); // acknowledged: red, but still
        QVERIFY2(steady < flashing / 4, qPrintable(QString::number(steady)));
        // Unacknowledged, it would chime at 7, 9.5 and 12 s.
        QTRY_VERIFY_WITH_TIMEOUT(captionSeconds(window) >= 13, 30000);
        program.terminate(); // closes in order: the stream ends
        const bool finished = program.waitForFinished(5000);
        readerEnd.finish();
        QVERIFY(finished);

        const std::optional<MonoSound> sound =
            monoFromFloatWave(sizedWave(QByteArray::fromStdString(stream)));
        QVERIFY(sound);
        const std::vector<Run> chimes =
            soundingRuns(sound->samples, 1e-4f, std::size_t(0.3 * sound->sampleRate));
        QCOMPARE(chimes.size(), std::size_t(2));
        for (const Run& chime : chimes) {
            const double length = double(chime.end - chime.begin) / sound->sampleRate;
            QVERIFY2(length > 0.4 && length < 0.6, qPrintable(QString::number(length)));
            // The first note's pitch, 1318.5 Hz: the chime, not the engine.
            const double rate = crossingRate(*sound, chime.begin, 0.12);
            QVERIFY2(rate > 2 * 1200 && rate < 2 * 1450, qPrintable(QString::number(rate)));
        }
    }
};

QTEST_MAIN(AlarmsEndToEndTest)
#include "tst_alarms_end_to_end.moc"
