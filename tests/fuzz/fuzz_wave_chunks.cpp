// libFuzzer target for the WAVE chunk walk and the format check: whatever the
// bytes, nothing outside the input is read or handed out, and the samples
// kept are whole frames. Built and run by scripts/run-fuzz.
#include "FuzzCheck.h"
#include "sound/WaveChunks.h"
#include "sound/WaveFormat.h"

#include <cstddef>
#include <cstdint>

namespace {

bool inside(std::span<const std::uint8_t> part, std::span<const std::uint8_t> whole) {
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

// Reads every byte handed out, so that the address sanitizer sees a bad view.
unsigned readAll(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (const std::uint8_t byte : bytes)
        sum += byte;
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::span<const std::uint8_t> image(bytes, size);
    const auto chunks = findWaveChunks(image);
    if (!chunks)
        return 0;
    check(inside(chunks->format, image) && inside(chunks->data, image));
    check(chunks->format.size() >= 14);
    volatile unsigned sink = readAll(chunks->format) + readAll(chunks->data);
    (void)sink;

    const auto format = readPcmFormat(chunks->format);
    if (!format)
        return 0;
    check(format->blockAlign == format->channels * format->bitsPerSample / 8);
    const auto frames = wholeFrames(chunks->data, *format);
    check(frames.data() == chunks->data.data());
    check(frames.size() % format->blockAlign == 0);
    check(chunks->data.size() - frames.size() < format->blockAlign);
    return 0;
}
