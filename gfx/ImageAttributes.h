#pragma once

#include "gfx/Owned.h"
#include "gfx/Types.h"

#include <cstdint>

class QImage;

namespace gfx {

// How a bitmap's pixels are adjusted when drawn. Only the colour key exists:
// a pixel whose red, green and blue all lie between those of the low and the
// high key is not drawn.
class ImageAttributes {
public:
    ImageAttributes();
    ImageAttributes(ImageAttributes&&) noexcept;
    ImageAttributes& operator=(ImageAttributes&&) noexcept;
    ~ImageAttributes();

    bool valid() const { return bool(key_); }
    Status lastStatus() const { return lastStatus_; }

    void setColorKey(Argb low, Argb high);
    void clearColorKey();
    bool hasColorKey() const;

    // A copy of `image` with the keyed pixels made transparent.
    QImage applyTo(const QImage& image) const;
    // Equal for two attribute sets that adjust pixels the same way.
    std::uint64_t adjustmentKey() const;

private:
    struct ColorKey {
        bool enabled = false;
        Argb low = 0;
        Argb high = 0;
    };
    Owned<ColorKey, ObjectKind::imageAttributes> key_;
    Status lastStatus_ = Status::ok;
};

} // namespace gfx
