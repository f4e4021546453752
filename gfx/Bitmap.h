#pragma once

#include "gfx/Owned.h"
#include "gfx/Types.h"

#include <cstdint>
#include <memory>
#include <span>

class QImage;

namespace gfx {

// A picture to draw, or to draw on. 32-bit ARGB bitmaps start fully
// transparent; pictures decoded from BMP data lose their palette.
class Bitmap {
public:
    Bitmap(); // absent: width and height 0, draws nothing
    Bitmap(int width, int height);
    explicit Bitmap(const QImage& image);
    // BITMAP resource `id` of the program's embedded artwork.
    static Bitmap fromResource(int id);
    // A BMP file image.
    static Bitmap fromBmpBytes(std::span<const std::uint8_t> bytes);
    // A 32-bit ARGB bitmap to draw on, starting as these pixels: copied row
    // by row, with no clearing and no blending. Absent for an absent source.
    static Bitmap copyOf(const Bitmap& source);

    Bitmap(Bitmap&&) noexcept;
    Bitmap& operator=(Bitmap&&) noexcept;
    ~Bitmap();

    bool valid() const { return bool(image_); }
    // Tells these pixels apart from any other pixels and from their own
    // earlier states: it changes whenever they are replaced or drawn on
    // (0 for an absent bitmap).
    std::int64_t contentKey() const;
    // Puts `area` of `source`, a bitmap of the same size, over the same area
    // of this 32-bit bitmap, byte for byte as copyOf copies it.
    void copyArea(const Bitmap& source, Rect area);
    // The smallest rectangle holding every pixel of `area` that differs from
    // the same pixel of `other`, a bitmap of the same size; empty when none
    // does. With either bitmap absent, all of `area` counts as different.
    Rect differingArea(const Bitmap& other, Rect area) const;
    int width() const;
    int height() const;
    Status lastStatus() const { return lastStatus_; }

    // The pixels, to save or show once no Graphics draws on this bitmap.
    QImage image() const;

private:
    friend class Graphics;
    friend struct GraphicsAccess;
    struct KeyedCopy;
    enum class Start { zeroed, unset };
    Bitmap(int width, int height, Start start);
    Owned<QImage, ObjectKind::bitmap> image_;
    // The last colour-keyed copy drawn from these pixels: artwork drawn
    // through the same key every frame is keyed once, not per frame.
    mutable std::unique_ptr<KeyedCopy> keyedCopy_;
    Status lastStatus_ = Status::ok;
};

} // namespace gfx
