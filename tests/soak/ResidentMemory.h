#pragma once

#include <cstdint>

// The process's resident memory in bytes, from /proc/self/statm; -1 where
// that cannot be read.
std::int64_t residentBytes();

// The same after the allocator has handed its free pages back to the system,
// so that what remains is memory still in use (and its fragmentation), not
// the free lists a 4K frame left behind.
std::int64_t retainedBytes();

inline double mebibytes(std::int64_t bytes) {
    return double(bytes) / (1024.0 * 1024.0);
}
