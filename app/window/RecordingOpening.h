#pragma once

#include "app/shell/SessionRecording.h"
#include "app/window/CommandLine.h"

#include <memory>
#include <string>

// The session's recording for --record, or none; an existing file is kept
// unless --force, and refused with a line that says so.
struct OpenedRecording {
    std::unique_ptr<SessionRecording> recording;
    std::string error;
};
OpenedRecording openSessionRecording(const LaunchOptions& options, UtcClock utc);
