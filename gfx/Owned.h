#pragma once

#include "gfx/DrawingObjectCount.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace gfx {

// The one platform object a wrapper owns, or none when its making failed.
// Making and release are reported to the drawing-object count. The wrapper that holds it
// defines its destructor and moves where T is complete.
template <class T, ObjectKind Kind>
class Owned {
public:
    Owned() = default;
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : object_(std::move(other.object_)), tag_(other.tag_) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            object_ = std::move(other.object_);
            tag_ = other.tag_;
        }
        return *this;
    }

    // Makes the object from `args` unless the count refuses it.
    template <class... Args>
    bool make(std::uint32_t tag, Args&&... args) {
        reset();
        if (!drawingObjects::admit(Kind, tag))
            return false;
        object_ = std::make_unique<T>(std::forward<Args>(args)...);
        tag_ = tag;
        return true;
    }

    void reset() {
        if (object_) {
            object_.reset();
            drawingObjects::release(Kind, tag_);
        }
    }

    T* get() const { return object_.get(); }
    T& operator*() const { return *object_; }
    T* operator->() const { return object_.get(); }
    explicit operator bool() const { return object_ != nullptr; }

private:
    std::unique_ptr<T> object_;
    std::uint32_t tag_ = 0;
};

} // namespace gfx
