#pragma once

#include "screen/DrawnFrom.h"
#include "screen/ScreenArt.h"

#include <string>

// The status bar's registration: a replayed log's when it names one, else
// the aircraft profile's, else the instrument's own caption.
std::u16string statusBarTailNumber(const ScreenArt& art);

// The alarm message as the status bar writes it, with the count of alarms
// up when there are more than one ("CHT 3 HIGH 441  (2)"); empty: none.
std::u16string statusBarMessage(const ScreenAlarms& alarms);

// What the status bar draws from: its registration, its alarm message and
// the lean search's words.
DrawnFrom statusBarInputs(const ScreenArt& art);
