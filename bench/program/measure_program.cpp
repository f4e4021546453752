// Measures the running program as a user meets it, in a private X server:
// time from start to the first frame on screen, CPU use over a minute of
// ticking in one scenario (a client area set from outside, options and keys
// pressed once the first frame shows), and resident memory. It only reads
// the program from outside, so it measures any build of it the same way.
// Run through measure-program.sh, which takes the scenarios from
// scenarios.sh:
//   measure_program SECONDS CLIENT_WxH|opening "KEYS" PROGRAM [OPTION]...
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

#include <unistd.h>

#include <cstdio>

namespace {

// utime + stime of a process, in clock ticks.
long long cpuTicks(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    // After the command name: state is field 3, utime 14 and stime 15.
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

double residentMiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// Panel pixel (25, 300), on the bezel left of the screen, lands near (20, 241)
// at the window's opening size: dark grey there, black until the first frame.
bool frameShown() {
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 100, 300).toImage();
    const QRgb bezel = shot.pixel(20, 241);
    return qRed(bezel) + qGreen(bezel) + qBlue(bezel) > 30;
}

QString runXdotool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// The program's window; its caption varies (a replay names its log there).
QString windowOf(qint64 pid) {
    return runXdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                       QStringLiteral("--pid"), QString::number(pid)})
        .section(QLatin1Char('\n'), 0, 0);
}

// Sets the window's client area to `client` (WxH) as a window manager would.
bool resizeClient(const QString& window, const QString& client) {
    const QStringList size = client.split(QLatin1Char('x'));
    if (size.size() != 2 || size[0].toInt() <= 0 || size[1].toInt() <= 0)
        return false;
    // The window's border is 4 pixels all round, its caption 24 high.
    const QString width = QString::number(size[0].toInt() + 8);
    const QString height = QString::number(size[1].toInt() + 32);
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("windowsize"), window, width, height}) == 0;
}

// Presses `keys` (xdotool's names, blank-separated) in the focused window.
bool pressKeys(const QString& window, const QString& keys) {
    const QStringList names = keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (names.isEmpty())
        return true;
    if (QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}) != 0)
        return false;
    return QProcess::execute(QStringLiteral("xdotool"),
                             QStringList{QStringLiteral("key"), QStringLiteral("--window"), window,
                                         QStringLiteral("--delay"), QStringLiteral("100")} +
                                 names) == 0;
}

// The scenario's client area and keys, once the first frame shows.
bool setUp(qint64 pid, const QString& client, const QString& keys) {
    const QString window = windowOf(pid);
    if (window.isEmpty()) {
        std::fprintf(stderr, "measure_program: the window was not found\n");
        return false;
    }
    if (client != QLatin1String("opening") && !resizeClient(window, client)) {
        std::fprintf(stderr, "measure_program: cannot set the client area to %s\n",
                     qPrintable(client));
        return false;
    }
    if (!pressKeys(window, keys)) {
        std::fprintf(stderr, "measure_program: cannot press %s\n", qPrintable(keys));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 5) {
        std::fprintf(stderr, "usage: measure_program SECONDS CLIENT_WxH|opening KEYS PROGRAM "
                             "[OPTION]...\n");
        return 2;
    }
    const int seconds = arguments[1].toInt();
    const QString client = arguments[2];
    const QString keys = arguments[3];
    const QString program = arguments[4];
    QProcess demo;
    QElapsedTimer clock;
    clock.start();
    demo.start(program, arguments.mid(5));
    if (!demo.waitForStarted(5000)) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
        return 1;
    }
    while (!frameShown() && clock.elapsed() < 10000)
        QThread::msleep(2);
    const qint64 firstFrameMs = clock.elapsed();
    if (!setUp(demo.processId(), client, keys)) {
        demo.terminate();
        demo.waitForFinished(3000);
        return 1;
    }

    QThread::sleep(2); // settle past start-up before the minute of ticks
    const long long cpuBefore = cpuTicks(demo.processId());
    QElapsedTimer minute;
    minute.start();
    double peakMiB = 0;
    while (minute.elapsed() < seconds * 1000LL) {
        QThread::msleep(500);
        peakMiB = std::max(peakMiB, residentMiB(demo.processId()));
    }
    const long long cpuAfter = cpuTicks(demo.processId());
    const double cpuSeconds = double(cpuAfter - cpuBefore) / double(sysconf(_SC_CLK_TCK));
    const double cpuPercent = 100.0 * cpuSeconds / (double(minute.elapsed()) / 1000.0);
    const double endMiB = residentMiB(demo.processId());
    demo.terminate();
    demo.waitForFinished(3000);

    std::printf("| figure | value |\n| --- | --- |\n");
    std::printf("| client area | %s |\n",
                client == QLatin1String("opening") ? "the opening size" : qPrintable(client));
    std::printf("| keys pressed | %s |\n", keys.isEmpty() ? "none" : qPrintable(keys));
    std::printf("| start to first frame shown | %lld ms |\n", firstFrameMs);
    std::printf("| CPU over %d s of ticking | %.2f %% of one core |\n", seconds, cpuPercent);
    // The frame timer ticks every 65 ms, a frame each.
    std::printf("| CPU per frame | %.2f ms |\n", cpuPercent / 100.0 * 65.0);
    std::printf("| resident memory (end / peak) | %.1f / %.1f MiB |\n", endMiB, peakMiB);
    return 0;
}
