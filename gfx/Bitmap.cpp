#include "gfx/Bitmap.h"

#include "gfx/GraphicsImpl.h"
#include "gfx/ImageAttributes.h"
#include "resources/Resources.h"

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

Bitmap::Bitmap(int width, int height) : Bitmap(width, height, Start::zeroed) {}

Bitmap::Bitmap(int width, int height, Start start) {
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
    void* memory = start == Start::zeroed ? std::calloc(std::size_t(height), bytesPerLine)
                                          : std::malloc(std::size_t(height) * bytesPerLine);
    if (!memory) {
        lastStatus_ = Status::outOfMemory;
        return;
    }
    QImage pixels(static_cast<uchar*>(memory), width, height, qsizetype(bytesPerLine),
                  QImage::Format_ARGB32_Premultiplied, std::free, memory);
    if (pixels.isNull()) {
        std::free(memory);
        lastStatus_ = Status::outOfMemory;
        return;
    }
    if (!image_.make(0, std::move(pixels)))
        lastStatus_ = Status::outOfMemory;
}

Bitmap Bitmap::copyOf(const Bitmap& source) {
    if (!source.image_)
        return Bitmap(0, 0);
    const QImage& from = *source.image_;
    // Opaque pictures are 32-bit RGB with an opaque alpha byte, the rest
    // premultiplied ARGB: either way the bytes are already premultiplied ARGB.
    Bitmap copy(from.width(), from.height(), Start::unset);
    if (!copy.image_)
        return copy;
    QImage& to = *copy.image_;
    const std::size_t rowBytes = std::size_t(from.width()) * 4;
    for (int y = 0; y < from.height(); ++y)
        std::memcpy(to.scanLine(y), from.constScanLine(y), rowBytes);
    return copy;
}

std::int64_t Bitmap::contentKey() const {
    return image_ ? image_->cacheKey() : 0;
}

void Bitmap::copyArea(const Bitmap& source, Rect area) {
    if (!image_ || !source.image_)
        return;
    const QImage& from = *source.image_;
    QImage& to = *image_;
    const QRect box = QRect(area.x, area.y, area.width, area.height) & from.rect() & to.rect();
    if (box.isEmpty())
        return;
    // One detach check for the whole area, not one a row.
    const std::size_t rowBytes = std::size_t(box.width()) * 4;
    const std::size_t start =
        std::size_t(box.top()) * std::size_t(to.bytesPerLine()) + std::size_t(box.left()) * 4;
    std::uint8_t* target = to.bits() + start;
    const std::uint8_t* origin = from.constBits() +
                                 std::size_t(box.top()) * std::size_t(from.bytesPerLine()) +
                                 std::size_t(box.left()) * 4;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        std::memcpy(target, origin, rowBytes);
        target += to.bytesPerLine();
        origin += from.bytesPerLine();
    }
}

Rect Bitmap::differingArea(const Bitmap& other, Rect area) const {
    if (!image_ || !other.image_)
        return area;
    const QImage& mine = *image_;
    const QImage& theirs = *other.image_;
    const QRect box = QRect(area.x, area.y, area.width, area.height) & mine.rect() & theirs.rect();
    if (box.isEmpty())
        return {};
    const int width = box.width();
    int top = -1;
    int bottom = -1;
    int left = width;
    int right = -1;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const auto* a = reinterpret_cast<const std::uint32_t*>(mine.constScanLine(y)) + box.left();
        const auto* b =
            reinterpret_cast<const std::uint32_t*>(theirs.constScanLine(y)) + box.left();
        if (std::memcmp(a, b, std::size_t(width) * 4) == 0)
            continue;
        top = top < 0 ? y : top;
        bottom = y;
        // Only the pixels outside the columns found so far can widen them.
        if (std::memcmp(a, b, std::size_t(left) * 4) != 0)
            for (int x = 0; x < left; ++x)
                if (a[x] != b[x]) {
                    left = x;
                    break;
                }
        const int beyond = right + 1;
        if (std::memcmp(a + beyond, b + beyond, std::size_t(width - beyond) * 4) != 0)
            for (int x = width - 1; x >= beyond; --x)
                if (a[x] != b[x]) {
                    right = x;
                    break;
                }
    }
    if (top < 0)
        return {};
    return {box.left() + left, top, right - left + 1, bottom - top + 1};
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
