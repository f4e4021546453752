#pragma once

#include "app/CommandLine.h"
#include "app/SessionRecording.h"
#include "engine/EngineSource.h"

#include <memory>
#include <string>

// Where the engine values come from, as the command line asks: a replayed
// log, or the model (a null source). The error is one line naming the file,
// the line and what is wrong, for the program to print before any window opens.
struct OpenedSource {
    std::unique_ptr<EngineSource> source;
    std::string error;
};
OpenedSource openEngineSource(const LaunchOptions& options);

// The simulator the command line asks for (--xplane, --flightgear), or none;
// after the application exists, which owns the socket's notifications.
OpenedSource openSimulatorSource(const LaunchOptions& options);

// The session's recording for --record, or none; an existing file is kept
// unless --force, and refused with a line that says so.
struct OpenedRecording {
    std::unique_ptr<SessionRecording> recording;
    std::string error;
};
OpenedRecording openSessionRecording(const LaunchOptions& options, UtcClock utc);

// Closes and removes the file of a recording that never ran.
void discardSessionRecording(OpenedRecording& recording, const LaunchOptions& options);

// What the program says on standard error while it runs ("zentor-demo: ...").
void printNotice(const std::string& notice);
