#include "aircraft/InstrumentProfile.h"
#include "aircraft/ProfileWriter.h"
#include "app/shell/AlarmStartScan.h"
#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/window/CommandLine.h"
#include "app/window/OpeningSize.h"
#include "app/window/ProgramNotice.h"
#include "app/window/RecordingOpening.h"
#include "app/window/ShellWindow.h"
#include "app/window/SourceOpening.h"
#include "app/window/StopSignals.h"
#include "engine/Engine.h"
#include "panel/PanelArtwork.h"

#include <QApplication>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

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

// A start refused before any window opens: one line, status 2.
int refuseStart(const std::string& error) {
    printNotice(error);
    return 2;
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
    if (options.writeAircraftPath) {
        const std::string error = writeAircraftProfileFile(
            *options.writeAircraftPath, defaultProfile(), options.overwriteRecording);
        return error.empty() ? 0 : refuseStart(error);
    }
    // The source and the recording's file are opened before the window
    // system is asked for anything, so that a start they refuse needs no
    // display; a simulator's socket needs the application first. The source
    // comes first: a refused start leaves no recording behind.
    std::optional<QApplication> application;
    if (sourceNeedsApplication(options))
        application.emplace(argc, argv);
    OpenedSource source = openEngineSource(options);
    if (!source.error.empty())
        return refuseStart(source.error);
    OpenedRecording recording = openSessionRecording(options, std::chrono::system_clock::now);
    if (!recording.error.empty())
        return refuseStart(recording.error);
    if (!application)
        application.emplace(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zentor-demo"));
    QApplication::setApplicationDisplayName(QString::fromLatin1(programTitle));
    // Docks match the window to its desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvane.ZentorDemo"));
    loadPanelArtwork(instrument().artwork);
    {
        ShellWindow window(options.clientSize.value_or(openingClientSize()));
        QObject::connect(&window, &ShellWindow::closed, &*application, &QApplication::quit);
        closeOnStopSignals(window);
        window.setFullscreen(options.fullscreen);
        window.show();
        window.activateWindow();
        // The screen draws the given aircraft's scales, markings and units.
        if (options.aircraft)
            instrument().renderer.setAircraft(*options.aircraft);
        // Its limits are watched, or the instrument's own with --alarms; a
        // replay's alarm starts and lean sweeps are found beside it for N and P.
        const bool alarms = options.aircraft || options.alarms;
        if (alarms)
            startAlarms(instrument().alarms, instrument().renderer.aircraft());
        std::optional<AlarmStartScan> alarmStarts;
        if (options.replayPath)
            setAlarmStartScan(&alarmStarts.emplace(*options.replayPath,
                                                   instrument().renderer.aircraft(), alarms));
        startShell(window, seedFromCalendar());
        if (source.source) {
            setEngineSource(source.source.get());
            // The first frame shows the outside data, or no data, never the
            // model's start values.
            source.source->step(instrument().engine);
        }
        setSessionRecording(recording.recording.get());
        if (window.isVisible())
            QApplication::exec();
        setSessionRecording(nullptr);
        setEngineSource(nullptr);
        setAlarmStartScan(nullptr);
    }
    freePanelArtwork(instrument().artwork);
    return 0;
}
