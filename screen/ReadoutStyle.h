#pragma once

#include "alarms/AlarmMonitor.h"
#include "screen/ScreenTables.h"

#include <cstdint>

// How a readout shows: white, or red outside its normal range, unless an
// alarm on its value says otherwise: yellow for a caution, red for a
// warning, and an unacknowledged warning in inverse video (its box filled
// in the readout's colour, its digits black) in the flash's inverse phase.

enum class ReadoutColour : std::uint8_t { white, yellow, red };

struct ReadoutStyle {
    ReadoutColour colour = ReadoutColour::white;
    bool inverse = false;
    friend constexpr bool operator==(const ReadoutStyle&, const ReadoutStyle&) = default;
};

constexpr ReadoutStyle readoutStyle(bool white, const ReadoutLook& look, bool flashInverse) {
    ReadoutColour colour = white ? ReadoutColour::white : ReadoutColour::red;
    if (look.yellow)
        colour = ReadoutColour::yellow;
    if (look.red || look.flashes)
        colour = ReadoutColour::red;
    return {.colour = colour, .inverse = look.flashes && flashInverse};
}

constexpr KitBrush readoutBrush(ReadoutColour colour) {
    switch (colour) {
    case ReadoutColour::yellow:
        return &ScreenKit::yellowBrush;
    case ReadoutColour::red:
        return &ScreenKit::redBrush;
    default:
        return &ScreenKit::whiteBrush;
    }
}
