#include "sound/EngineSound.h"

// Placeholder until the audio layer exists: no device, so no buffer, and
// every call is the documented no-op for a missing buffer.
SoundBuffer* soundBuffer = nullptr;
std::uint32_t soundBaseFrequency = 0;

SoundBuffer* loadEngineSound(int) {
    return nullptr;
}
void updateEngineSound() {}
void stopEngineSound() {}
void releaseEngineSound() {
    soundBuffer = nullptr;
}
