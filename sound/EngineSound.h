#pragma once

#include <cstdint>

// The engine sound loop: one looping buffer whose playback frequency follows
// rpm. Every call is harmless when no buffer exists (no audio device, or no
// usable recording): the instrument then runs silent.
struct SoundBuffer;
struct EngineState;

// The loop the instrument plays, if any, and the rate it was recorded at.
struct SoundOutput {
    SoundBuffer* buffer = nullptr;
    std::uint32_t baseFrequency = 0; // Hz
};

// Opens the audio device (once) and builds the loop from WAVE resource
// `resourceId`, replacing any earlier one. Sets sound.buffer, and from a new
// loop sound.baseFrequency (its sample rate, Hz); returns sound.buffer.
SoundBuffer* loadEngineSound(SoundOutput& sound, int resourceId);
// Start of every tick, from the rpm the previous tick left: plays at a pitch
// set by rpm, or stops when the engine is (nearly) stopped, the sound is
// muted or Demo Mode is on (the demonstration runs in silence), or the
// source is not `heard` (a paused replay holds its moment in silence).
void updateEngineSound(SoundOutput& sound, const EngineState& engine, bool heard = true);
// Window close: stops and frees the loop.
void releaseEngineSound(SoundOutput& sound);
// Another sound on the same output (the alarm chime) is about to play or
// plays on: the device is opened if need be and mixes, and does not rest
// before a tick without it. False when there is no device.
bool wakeSoundOutput();
