#pragma once

#include <cstdint>

// A count of the drawing objects alive right now, by kind, with an optional
// observer of every making and release. It lets tests and tools check that a
// frame leaves nothing behind and releases its objects in order, and it can
// refuse the making of a chosen object to drill the failure paths.
// The drawing layer runs on one thread; so does the count.
namespace gfx {

enum class ObjectKind {
    graphics,
    bitmap,
    solidBrush,
    pen,
    fontFamily,
    font,
    path,
    stringFormat,
    imageAttributes,
};
inline constexpr int objectKindCount = 9;

enum class Lifetime { made, released };

// `tag` names the instance where a kind has a natural name: the colour of a
// brush or pen, the pixel size of a font; 0 otherwise.
using DrawingObjectObserver = void (*)(void* context, ObjectKind kind, Lifetime event,
                                       std::uint32_t tag);

namespace drawingObjects {

int liveObjects(ObjectKind kind);
int liveObjects();

// One observer at a time; pass nullptr to stop observing.
void setObserver(DrawingObjectObserver observer, void* context);

// The making of the `countdown`-th object of `kind` from now (0: the next one)
// fails as if the platform had refused it. A negative countdown cancels.
void refuseMaking(ObjectKind kind, int countdown);

// Used by the wrappers: admit() counts a making, or returns false when it is
// refused; release() counts the release of an admitted object.
bool admit(ObjectKind kind, std::uint32_t tag);
void release(ObjectKind kind, std::uint32_t tag);

} // namespace drawingObjects
} // namespace gfx
