#pragma once

#include "tools/SnapshotOptions.h"

#include <string>

// --review: the whole log's review written as a PNG or an SVG picture.
struct ReviewOutcome {
    int status = 0;    // 0 written, 1 not written, 2 a log that cannot be read
    std::string error; // one line, without the program name
};

// Needs a QGuiApplication for its fonts.
ReviewOutcome writeReview(const SnapshotOptions& options);
