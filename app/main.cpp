#include "app/CommandLine.h"
#include "app/OpeningSize.h"
#include "app/ShellWindow.h"
#include "app/StopSignals.h"
#include "panel/PanelArtwork.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace {

// Each run of the program draws its own cylinder spreads.
std::uint32_t seedFromCalendar() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

// The command line as given, read before the window system is asked for
// anything, so that a bad option is answered without a display.
QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

// The program's life: options read, artwork in, the one window until it
// closes, artwork out.
int main(int argc, char* argv[]) {
    const ParsedLaunch launch = parseLaunchOptions(argumentsOf(argc, argv));
    if (!launch.options) {
        std::fputs(launch.output.c_str(), launch.exitStatus == 0 ? stdout : stderr);
        return launch.exitStatus;
    }
    const LaunchOptions& options = *launch.options;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zentor-demo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Zentor Demo"));
    // Docks match the window to its desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvane.ZentorDemo"));
    loadPanelArtwork();
    {
        ShellWindow window(options.clientSize.value_or(openingClientSize()));
        QObject::connect(&window, &ShellWindow::closed, &application, &QApplication::quit);
        closeOnStopSignals(window);
        window.setFullscreen(options.fullscreen);
        window.show();
        window.activateWindow();
        startShell(window, seedFromCalendar());
        if (window.isVisible())
            QApplication::exec();
    }
    freePanelArtwork();
    return 0;
}
