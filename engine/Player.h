#pragma once

#include <cstdint>

// What the player's keys ask of a source that plays something back.
enum class PlayerControl : std::uint8_t {
    pauseOrResume,
    seekBack, // 10 s
    seekForward,
    seekBackLong, // 60 s
    seekForwardLong,
    faster, // double the speed
    slower, // halve it
    toStart,
};

// A source with a player (a replayed log): the model and a live feed have
// none, so the keys pass to the window system there.
class Player {
public:
    virtual ~Player() = default;
    // A player's key; false for one this player does not take.
    virtual bool control(PlayerControl what) = 0;
};
