#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The real program under a headless Wayland compositor (run-wayland.sh starts
// it): it opens, draws its frames, which the compositor's own screenshots
// show changing as the engine warms up, fills the output when asked, and
// closes on SIGTERM with status 0.

namespace {

// Weston's desktop shell draws its own panel (launcher, clock) along the top.
constexpr int desktopPanelHeight = 40;

// What the compositor shows now, through its screenshooter.
QImage compositorScreenshot(const QString& folder) {
    QDir dir(folder);
    for (const QString& old : dir.entryList({QStringLiteral("*.png")}, QDir::Files))
        dir.remove(old);
    QProcess shooter;
    shooter.setWorkingDirectory(folder);
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0)
        return {};
    const QStringList shots = dir.entryList({QStringLiteral("*.png")}, QDir::Files);
    return shots.isEmpty()
               ? QImage()
               : QImage(dir.filePath(shots.constFirst())).convertToFormat(QImage::Format_RGB32);
}

// Pixels in the three knobs' and the gauges' own colours: the panel as only
// the program's frames draw it, never the compositor's grey desktop.
struct PanelColours {
    int blue = 0;
    int red = 0;
    int green = 0;
};

PanelColours countPanelColours(const QImage& image) {
    PanelColours counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            const int r = qRed(c), g = qGreen(c), b = qBlue(c);
            counts.blue += b > 150 && r < 90 && g < 110;
            counts.red += r > 150 && g < 70 && b < 70;
            counts.green += g > 180 && r < 90 && b < 90;
        }
    return counts;
}

// Where the compositor's output (1024 x 900, run-wayland.sh) shows a panel
// point when the panel is stretched over all of it.
QPoint onOutput(const QImage& output, double panelX, double panelY) {
    return {int(panelX * output.width() / 750.0), int(panelY * output.height() / 945.0)};
}

QProcess* startProgram(QObject* parent, const QStringList& arguments) {
    auto* program = new QProcess(parent);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    program->setProcessEnvironment(environment);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->start(qEnvironmentVariable("ZENTOR_DEMO"), arguments);
    return program;
}

} // namespace

class WaylandRunTest : public QObject {
    Q_OBJECT

private slots:
    void drawsAndClosesOnSigterm() {
        QVERIFY2(!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"), "run-wayland.sh starts Weston");
        QTemporaryDir shots;
        QVERIFY(shots.isValid());
        QProcess& program = *startProgram(this, {});
        QVERIFY(program.waitForStarted(5000));

        QImage first;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                first = compositorScreenshot(shots.path());
                const PanelColours counts = countPanelColours(first);
                return counts.blue > 500 && counts.red > 500 && counts.green > 500;
            }(),
            15000);
        first.save(QStringLiteral("wayland-first.png"));
        // Later frames differ: the engine warms up, its readouts change. The
        // compositor's own panel, with its clock, stays out of the comparison.
        const auto belowDesktopPanel = [](const QImage& image) {
            return image.copy(0, desktopPanelHeight, image.width(),
                              image.height() - desktopPanelHeight);
        };
        QImage later;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                later = compositorScreenshot(shots.path());
                return !later.isNull() && belowDesktopPanel(later) != belowDesktopPanel(first);
            }(),
            15000);
        later.save(QStringLiteral("wayland-later.png"));
        QCOMPARE(program.state(), QProcess::Running);

        program.terminate(); // SIGTERM
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    // --fullscreen asks the compositor for the whole output: the blue and
    // the red knob sit where the panel stretched over all of it puts them.
    void fullscreenCoversTheOutput() {
        QTemporaryDir shots;
        QVERIFY(shots.isValid());
        QProcess& program = *startProgram(this, {QStringLiteral("--fullscreen")});
        QVERIFY(program.waitForStarted(5000));
        QImage output;
        const auto knobsInPlace = [&] {
            output = compositorScreenshot(shots.path());
            if (output.isNull())
                return false;
            const QRgb propeller = output.pixel(onOutput(output, 375, 740));
            const QRgb mixture = output.pixel(onOutput(output, 545, 740));
            return qBlue(propeller) > 150 && qRed(propeller) < 90 && qRed(mixture) > 150 &&
                   qBlue(mixture) < 70;
        };
        QTRY_VERIFY_WITH_TIMEOUT(knobsInPlace(), 15000);
        output.save(QStringLiteral("wayland-fullscreen.png"));
        program.terminate();
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(WaylandRunTest)
#include "tst_wayland_run.moc"
