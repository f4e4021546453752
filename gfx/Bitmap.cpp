#include "gfx/Bitmap.h"

#include "gfx/GraphicsImpl.h"
#include "gfx/ImageAttributes.h"
#include "resources/Resources.h"

#include <QImage>

#include <cstdint>
#include <cstdlib>

namespace gfx {

namespace {

// Opaque pictures become 32-bit RGB, the rest premultiplied ARGB: the two
// formats the painter blends fastest.
QImage drawableCopy(const QImage& image) {
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

} // namespace

struct Bitmap::KeyedCopy {
    qint64 sourceKey = 0;
    QRect pixels;
    std::uint64_t adjustment = 0;
    QImage image;
};

QImage GraphicsAccess::adjusted(const Bitmap& bitmap, QRect pixels,
                                const ImageAttributes& attributes) {
    const QImage& source = *bitmap.image_;
    const std::uint64_t adjustment = attributes.adjustmentKey();
    auto& copy = bitmap.keyedCopy_;
    // cacheKey() changes whenever the pixels are painted on.
    if (copy && copy->sourceKey == source.cacheKey() && copy->pixels == pixels &&
        copy->adjustment == adjustment)
        return copy->image;
    if (!copy)
        copy = std::make_unique<Bitmap::KeyedCopy>();
    *copy = {source.cacheKey(), pixels, adjustment, attributes.applyTo(source.copy(pixels))};
    return copy->image;
}

Bitmap::Bitmap() = default;
Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;
Bitmap::~Bitmap() = default;

Bitmap::Bitmap(int width, int height) {
    if (width <= 0 || height <= 0) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    // Zeroed memory is transparent black already, and fresh pages from the
    // system need no clearing pass. The painter addresses pixels with 32-bit
    // offsets, so a bitmap holds 2 GiB at most.
    constexpr std::size_t bytesPerPixel = 4;
    constexpr std::size_t largest = std::size_t(INT32_MAX);
    const std::size_t bytesPerLine = std::size_t(width) * bytesPerPixel;
    if (bytesPerLine > largest / std::size_t(height)) {
        lastStatus_ = Status::outOfMemory;
        return;
    }
    void* zeroed = std::calloc(std::size_t(height), bytesPerLine);
    if (!zeroed) {
        lastStatus_ = Status::outOfMemory;
        return;
    }
    QImage pixels(static_cast<uchar*>(zeroed), width, height, qsizetype(bytesPerLine),
                  QImage::Format_ARGB32_Premultiplied, std::free, zeroed);
    if (pixels.isNull()) {
        std::free(zeroed);
        lastStatus_ = Status::outOfMemory;
        return;
    }
    if (!image_.make(0, std::move(pixels)))
        lastStatus_ = Status::outOfMemory;
}

Bitmap::Bitmap(const QImage& image) {
    if (image.isNull()) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    if (!image_.make(0, drawableCopy(image)))
        lastStatus_ = Status::outOfMemory;
}

Bitmap Bitmap::fromResource(int id) {
    return fromBmpBytes(zentor::findResource(id, "BITMAP"));
}

Bitmap Bitmap::fromBmpBytes(std::span<const std::uint8_t> bytes) {
    QImage decoded;
    if (!bytes.empty() && bytes.size() <= std::size_t(INT32_MAX))
        decoded.loadFromData(bytes.data(), int(bytes.size()), "BMP");
    return Bitmap(decoded);
}

int Bitmap::width() const {
    return image_ ? image_->width() : 0;
}
int Bitmap::height() const {
    return image_ ? image_->height() : 0;
}

QImage Bitmap::image() const {
    return image_ ? *image_ : QImage();
}

} // namespace gfx
