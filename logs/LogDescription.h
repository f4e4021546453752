#pragma once

#include "logs/EngineLog.h"

#include <string>

// What a log holds and how it was read, for a user who wants to know why a
// gauge shows dashes: the format, each column and what it was matched to
// with its unit (or "not used"), where the time comes from, the rows with
// their first and last time and the length, clock corrections, and skipped
// rows and unreadable cells by reason with the first line of each. The log
// must have been read to its end.
std::string describeLog(const EngineLog& log);
