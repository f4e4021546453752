#pragma once

#include "app/window/CommandLine.h"
#include "engine/EngineSource.h"

#include <memory>
#include <string>

// Where the engine values come from, as the command line asks: a replayed
// log, a simulator (--xplane, --flightgear), or the model (a null source).
// The error is one line naming the file or the socket and what is wrong, for
// the program to print before the window opens.
struct OpenedSource {
    std::unique_ptr<EngineSource> source;
    std::string error;
};
OpenedSource openEngineSource(const LaunchOptions& options);

// Whether opening the source needs the application first: a simulator's
// socket does, as the application owns its notifications. A log does not,
// so that a log it cannot replay is refused without a display.
bool sourceNeedsApplication(const LaunchOptions& options);
