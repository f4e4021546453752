#pragma once

#include <cstdint>
#include <vector>

// The warning chime: two short notes, high then lower, with soft edges, then
// silence, played as a loop on the engine sound's output so that it repeats
// every few seconds until the pilot acknowledges. Made here, in code; no
// recording.
struct SoundBuffer;

inline constexpr std::uint32_t chimeSampleRate = 22050; // Hz, mono, 16 bit
inline constexpr double chimePeriodSeconds = 2.5;       // one chime and the quiet after it

// One period of the loop: the two notes, then silence to its end.
std::vector<std::int16_t> chimeLoop();

struct AlarmChime {
    SoundBuffer* buffer = nullptr; // while it sounds
};

// Once a tick, after the engine sound: `due` while a warning is up and not
// acknowledged and Mute is not ticked. A chime that starts starts from its
// first note; one that stops falls silent at once.
void updateAlarmChime(AlarmChime& chime, bool due);
// Window close: silent and freed.
void releaseAlarmChime(AlarmChime& chime);
