#include "tests/support/RecordingAudio.h"
#include "tests/support/ShellFixture.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/PanelControls.h"
#include "app/window/FrameView.h"
#include "engine/Engine.h"
#include "engine/EngineFields.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelArtwork.h"
#include "sound/EngineSound.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

// The instrument's default run, kept as it is: a scripted session in the real
// window (mouse on the knobs, the cylinder button and both check boxes, sizes
// from small to HD) whose frames must match the reference pictures pixel for
// pixel, and whose engine values and sound, tick by tick, must match the
// reference trace exactly. ZENTOR_WRITE_REFERENCE=1 writes the references
// anew, for a change that is meant to alter the default run.

namespace {

const QString referenceDir = QStringLiteral(ZENTOR_REFERENCE_DIR);
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();

bool writingReferences() {
    return qEnvironmentVariableIntValue("ZENTOR_WRITE_REFERENCE") == 1;
}

// A drawn frame's first differing pixel, or an empty text.
QString firstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    int differing = 0;
    QString first;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                if (differing++ == 0)
                    first = QStringLiteral("pixel (%1, %2) is %3, expected %4")
                                .arg(x)
                                .arg(y)
                                .arg(actual.pixel(x, y), 8, 16)
                                .arg(expected.pixel(x, y), 8, 16);
            }
    return differing ? QStringLiteral("%1 pixels differ; %2").arg(differing).arg(first) : QString();
}

// Values beyond every scale's end, above and below, and values that are not
// numbers: readouts, pointers and bars at their limits.
struct OutOfRange {
    const char* name;
    float value;
};
constexpr OutOfRange highValues[] = {
    {"rpm", 3100},        {"manifoldPressure", 33}, {"oilTemp", 330}, {"oilPressure", 140},
    {"fuelPressure", 25}, {"volts", 17.5f},         {"amps", 75},     {"oat", 60},
    {"fuelFlow", 24},     {"egtRankine", 2300},     {"cht", 620},     {"leftFuel", 58},
    {"rightFuel", 52},    {"torque", 900},
};
constexpr OutOfRange lowValues[] = {
    {"rpm", 400},         {"manifoldPressure", 9},
    {"oilTemp", -20},     {"oilPressure", -4},
    {"fuelPressure", -3}, {"volts", 8},
    {"amps", -90},        {"oat", -45},
    {"fuelFlow", -2},     {"egtRankine", 900},
    {"cht", 40},          {"leftFuel", -1},
    {"rightFuel", 0},     {"torque", -50},
};
constexpr OutOfRange notNumbers[] = {
    {"rpm", notANumber},   {"manifoldPressure", notANumber}, {"oilTemp", notANumber},
    {"volts", notANumber}, {"fuelFlow", notANumber},         {"egtRankine", notANumber},
    {"cht", notANumber},   {"leftFuel", notANumber},
};

void setValues(std::span<const OutOfRange> values) {
    for (const OutOfRange& row : values)
        instrument().engine.*findEngineFloatField(row.name)->member = row.value;
}

} // namespace

class DefaultRunTest : public QObject {
    Q_OBJECT

    RecordingDevice audio;
    std::unique_ptr<OpenShell> shell;
    QStringList trace;
    QStringList frameFaults;
    int ticks = 0;

    // One line per tick: every engine value as the record holds it, the
    // controls, and what the engine sound is doing.
    void traceTick() {
        QString line = QString::number(ticks);
        for (const EngineFloatField& field : engineFloatFields)
            line += QLatin1Char(' ') + QString::number(instrument().engine.*field.member, 'g', 9);
        const RecordingBuffer* sound = audio.buffers.empty() ? nullptr : audio.buffers.back().get();
        line += QStringLiteral(" cyl %1 demo %2 muted %3 sound %4 %5")
                    .arg(instrument().engine.selectedCylinder)
                    .arg(instrument().engine.demoMode)
                    .arg(instrument().engine.muted)
                    .arg(sound && sound->playing ? "playing" : "stopped")
                    .arg(sound ? sound->pitch : 0);
        trace << line;
    }

    void tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            shell->tick();
            ++ticks;
            traceTick();
        }
    }

    // A frame of the current record without an engine step.
    void composeOnly() {
        composeFrame(instrument().view, panelScene(instrument()));
        QCoreApplication::processEvents();
    }

    void click(double panelX, double panelY) {
        const QPointF at = shell->onPanel(panelX, panelY);
        sendMouse(shell->view(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(shell->view(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    void drag(double panelX, double fromY, double toY) {
        FrameView* view = shell->view();
        sendMouse(view, QEvent::MouseMove, shell->onPanel(panelX, fromY), Qt::NoButton, {});
        sendMouse(view, QEvent::MouseButtonPress, shell->onPanel(panelX, fromY), Qt::LeftButton,
                  Qt::LeftButton);
        for (int step = 1; step <= 4; ++step)
            sendMouse(view, QEvent::MouseMove,
                      shell->onPanel(panelX, fromY + (toY - fromY) * step / 4), Qt::NoButton,
                      Qt::LeftButton);
        sendMouse(view, QEvent::MouseButtonRelease, shell->onPanel(panelX, toY), Qt::LeftButton,
                  Qt::NoButton);
    }

    void keepFrame(const char* name) {
        const QImage frame = shell->frame().convertToFormat(QImage::Format_RGB32);
        const QString path = referenceDir + QStringLiteral("/frames/%1.png").arg(name);
        if (writingReferences()) {
            QDir().mkpath(referenceDir + QStringLiteral("/frames"));
            QVERIFY(frame.save(path));
            return;
        }
        const QImage expected(path);
        const QString fault =
            expected.isNull()
                ? QStringLiteral("no reference picture")
                : firstDifference(frame, expected.convertToFormat(QImage::Format_RGB32));
        if (!fault.isEmpty()) {
            const QString actualPath =
                QDir::current().absoluteFilePath(QStringLiteral("default-run-%1.png").arg(name));
            frame.save(actualPath);
            frameFaults << QStringLiteral("%1: %2 (drawn: %3)").arg(name, fault, actualPath);
        }
    }

private slots:
    void initTestCase() {
        setAudioDevice(&audio);
        loadPanelArtwork(instrument().artwork);
        shell = std::make_unique<OpenShell>();
        QVERIFY(shell->exposed());
        QVERIFY(!audio.buffers.empty());
    }

    void cleanupTestCase() {
        shell.reset();
        freePanelArtwork(instrument().artwork);
        setAudioDevice(nullptr);
    }

    void session() {
        tick();
        keepFrame("01-start");

        shell->setClient({572, 670}); // the window's opening client size
        tick();
        keepFrame("02-opening-size");
        shell->setClient({750, 945});
        tick(); // the pointer maps through the scale of the latest frame

        for (int i = 0; i < 3; ++i)
            click(146, 600); // cylinder button: cylinder 4 boxed
        drag(200, 815, 752); // throttle about three quarters in
        tick(600);
        keepFrame("03-cruise");

        drag(540, 712, 742); // mixture pulled about half out: lean
        tick(300);
        keepFrame("04-lean");

        drag(540, 742, 690); // mixture back in
        drag(200, 752, 700); // throttle fully in
        tick(600);
        keepFrame("05-full-power");

        click(700, 920); // Mute
        tick(20);
        keepFrame("06-muted");
        click(700, 920);

        shell->setClient({1920, 1080});
        tick();
        keepFrame("07-stretched-hd");
        shell->setClient({300, 380});
        tick();
        keepFrame("08-stretched-small");
        shell->setClient({750, 945});
        tick();

        click(580, 922); // Demo Mode: both check marks
        tick(150);
        keepFrame("09-demo-sweep");
        tick(400);
        keepFrame("10-demo-sweep-later");
        click(580, 922);
        tick(40);

        setValues(highValues);
        composeOnly();
        keepFrame("11-above-every-scale");
        setValues(lowValues);
        composeOnly();
        keepFrame("12-below-every-scale");
        setValues(notNumbers);
        composeOnly();
        keepFrame("13-not-a-number");

        resetEngineState(instrument().engine);
        instrument().engine.leftFuel = instrument().engine.rightFuel = 0; // both tanks dry
        tick(200);
        keepFrame("14-fuel-starved");

        const QString tracePath = referenceDir + QStringLiteral("/default-run-trace.txt");
        QFile file(tracePath);
        if (writingReferences()) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(trace.join(QLatin1Char('\n')).toUtf8() + '\n');
            return;
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(tracePath));
        const QStringList expected =
            QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(trace.size(), expected.size());
        for (int i = 0; i < trace.size(); ++i)
            QCOMPARE(trace[i], expected[i]);
        QVERIFY2(frameFaults.isEmpty(), qPrintable(frameFaults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(DefaultRunTest)
#include "tst_default_run.moc"
