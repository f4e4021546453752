#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace zentor {

// The numbers the program looks its embedded artwork and sound up by.
enum ResourceId : int {
    panelBitmap = 104,
    throttleKnobBitmap = 108,
    propellerKnobBitmap = 110,
    mixtureKnobBitmap = 111,
    engineSoundWave = 112,
    checkMarkBitmap = 113,
    logoBitmap = 114,
};

// The bytes of embedded resource `id` of `type` ("BITMAP": a BMP file,
// "WAVE": a RIFF/WAVE file), or an empty span when there is no such resource.
// The bytes live in the program image for as long as the program runs.
std::span<const std::uint8_t> findResource(int id, std::string_view type);

} // namespace zentor
