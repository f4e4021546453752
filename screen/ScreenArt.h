#pragma once

#include "aircraft/AircraftProfile.h"
#include "alarms/AlarmMonitor.h"
#include "engine/Quantities.h"
#include "gfx/Bitmap.h"
#include "leanfind/LeanView.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// What the alarms show on the screen in one frame, as the shell hands them
// over; all plain when no alarm is up or alarms are off.
struct ScreenAlarms {
    // How each quantity's readout looks.
    std::array<ReadoutLook, quantityCount> looks{};
    // A flashing readout shows inverse video in this frame (about 2 Hz).
    bool flashInverse = false;
    // The status bar's message in place of its labels; empty: its labels.
    std::u16string message;
    Severity severity = Severity::caution; // of the message's alarm
    std::size_t count = 0;                 // alarms up, shown beside the message

    const ReadoutLook& look(Quantity quantity) const { return looks[std::size_t(quantity)]; }
    bool operator==(const ScreenAlarms&) const = default;
};

// What the renderer holds beside the engine record: the logo picture, the
// registration the status bar shows (empty: the profile's), the aircraft
// the scales and markings are drawn for, the alarms up and the lean search.
struct ScreenArt {
    const gfx::Bitmap& logo;
    std::u16string_view registration;
    const AircraftProfile& profile;
    const ScreenAlarms& alarms;
    // The lean search's readouts while the pilot leans; none otherwise.
    const LeanView* lean = nullptr;
};
