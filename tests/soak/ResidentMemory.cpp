#include "tests/soak/ResidentMemory.h"

#include <cstdio>
#include <malloc.h>
#include <unistd.h>

std::int64_t residentBytes() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return -1;
    long long sizePages = 0;
    long long residentPages = 0;
    const int read = std::fscanf(statm, "%lld %lld", &sizePages, &residentPages);
    std::fclose(statm);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (read != 2 || pageSize <= 0)
        return -1;
    return std::int64_t(residentPages) * pageSize;
}

std::int64_t retainedBytes() {
    malloc_trim(0);
    return residentBytes();
}
