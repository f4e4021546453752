#pragma once

#include <cstdio>
#include <string>

// What the program says on standard error while it runs ("zentor-demo: ...").
inline void printNotice(const std::string& notice) {
    std::fprintf(stderr, "zentor-demo: %s\n", notice.c_str());
}
