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

// The session's recording for --record, or none; an existing file is kept
// unless --force, and refused with a line that says so.
struct OpenedRecording {
    std::unique_ptr<SessionRecording> recording;
    std::string error;
};
OpenedRecording openSessionRecording(const LaunchOptions& options, UtcClock utc);

// What the program says on standard error while it runs ("zentor-demo: ...").
void printNotice(const std::string& notice);
