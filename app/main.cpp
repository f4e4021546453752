#include "app/CommandLine.h"
#include "app/EngineSources.h"
#include "app/OpeningSize.h"
#include "app/ShellWindow.h"
#include "panel/PanelArtwork.h"

#include <QApplication>

#include <chrono>
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

// The program's life: options read, the engine source and the recording
// opened, artwork in, the one window until it closes, artwork out.
int main(int argc, char* argv[]) {
    const ParsedLaunch launch = parseLaunchOptions(argumentsOf(argc, argv));
    if (!launch.options) {
        std::fputs(launch.output.c_str(), launch.exitStatus == 0 ? stdout : stderr);
        return launch.exitStatus;
    }
    const LaunchOptions& options = *launch.options;
    OpenedSource source = openEngineSource(options);
    OpenedRecording recording = source.error.empty()
                                    ? openSessionRecording(options, std::chrono::system_clock::now)
                                    : OpenedRecording{};
    for (const std::string& error : {source.error, recording.error})
        if (!error.empty()) {
            std::fprintf(stderr, "zentor-demo: %s\n", error.c_str());
            return 2;
        }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zentor-demo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Zentor Demo"));
    loadPanelArtwork();
    {
        ShellWindow window(options.clientSize.value_or(openingClientSize()));
        QObject::connect(&window, &ShellWindow::closed, &application, &QApplication::quit);
        window.show();
        window.activateWindow();
        startShell(window, seedFromCalendar());
        if (source.source) {
            setEngineSource(source.source.get());
            source.source->step(); // the first frame shows the log, not the start values
        }
        setSessionRecording(recording.recording.get());
        if (window.isVisible())
            QApplication::exec();
        setSessionRecording(nullptr);
        setEngineSource(nullptr);
    }
    freePanelArtwork();
    return 0;
}
