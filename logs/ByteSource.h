#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Where a log's bytes come from, read by offset so that the player and the
// indexing thread each read at their own place: a file (which may grow or
// shrink while it is read) or a block in memory (tests, the fuzzer).
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to `size` bytes from `offset`: fewer at the end, 0 past it or
    // on a read error.
    virtual std::size_t read(std::uint64_t offset, char* into, std::size_t size) const = 0;
    // The size now.
    virtual std::uint64_t size() const = 0;
};

struct OpenedBytes {
    std::unique_ptr<ByteSource> source;
    std::string error; // why not, as the system says it ("No such file or directory")
};

// A regular file, opened for reading; anything else is refused.
OpenedBytes openFileBytes(const std::string& path);
std::unique_ptr<ByteSource> memoryBytes(std::string bytes);
