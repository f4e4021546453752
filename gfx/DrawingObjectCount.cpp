#include "gfx/DrawingObjectCount.h"

#include <array>

namespace gfx::drawingObjects {

namespace {

// -1 for every kind, however many there are: nothing is refused.
constexpr std::array<int, objectKindCount> noRefusals = [] {
    std::array<int, objectKindCount> countdowns{};
    countdowns.fill(-1);
    return countdowns;
}();

struct DrawingObjectCounts {
    std::array<int, objectKindCount> live{};
    std::array<int, objectKindCount> refusalCountdown = noRefusals;
    DrawingObjectObserver observer = nullptr;
    void* context = nullptr;
};

DrawingObjectCounts& state() {
    static DrawingObjectCounts instance;
    return instance;
}

int index(ObjectKind kind) {
    return static_cast<int>(kind);
}

} // namespace

int liveObjects(ObjectKind kind) {
    return state().live[index(kind)];
}

int liveObjects() {
    int total = 0;
    for (const int count : state().live)
        total += count;
    return total;
}

void setObserver(DrawingObjectObserver observer, void* context) {
    state().observer = observer;
    state().context = context;
}

void refuseMaking(ObjectKind kind, int countdown) {
    state().refusalCountdown[index(kind)] = countdown < 0 ? -1 : countdown;
}

bool admit(ObjectKind kind, std::uint32_t tag) {
    DrawingObjectCounts& s = state();
    int& countdown = s.refusalCountdown[index(kind)];
    if (countdown >= 0 && countdown-- == 0)
        return false;
    ++s.live[index(kind)];
    if (s.observer)
        s.observer(s.context, kind, Lifetime::made, tag);
    return true;
}

void release(ObjectKind kind, std::uint32_t tag) {
    DrawingObjectCounts& s = state();
    --s.live[index(kind)];
    if (s.observer)
        s.observer(s.context, kind, Lifetime::released, tag);
}

} // namespace gfx::drawingObjects
