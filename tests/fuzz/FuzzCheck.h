#pragma once

// A property every input must keep: broken, the fuzzer stops on this input
// and keeps it, as it does for a crash.
inline void check(bool holds) {
    if (!holds)
        __builtin_trap();
}
