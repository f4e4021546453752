#include "gfx/ImageAttributes.h"

#include <QImage>

namespace gfx {

namespace {

bool channelsWithin(QRgb pixel, Argb low, Argb high) {
    const auto within = [](int value, int from, int to) { return value >= from && value <= to; };
    return within(qRed(pixel), qRed(low), qRed(high)) &&
           within(qGreen(pixel), qGreen(low), qGreen(high)) &&
           within(qBlue(pixel), qBlue(low), qBlue(high));
}

} // namespace

ImageAttributes::ImageAttributes() {
    if (!key_.make(0))
        lastStatus_ = Status::outOfMemory;
}

ImageAttributes::ImageAttributes(ImageAttributes&&) noexcept = default;
ImageAttributes& ImageAttributes::operator=(ImageAttributes&&) noexcept = default;
ImageAttributes::~ImageAttributes() = default;

void ImageAttributes::setColorKey(Argb low, Argb high) {
    if (!key_) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    *key_ = ColorKey{true, low, high};
}

void ImageAttributes::clearColorKey() {
    if (key_)
        key_->enabled = false;
    else
        lastStatus_ = Status::invalidParameter;
}

bool ImageAttributes::hasColorKey() const {
    return key_ && key_->enabled;
}

std::uint64_t ImageAttributes::adjustmentKey() const {
    if (!hasColorKey())
        return 0;
    // Keys are opaque-or-not colours; the low bit marks "a key is set".
    return (std::uint64_t(key_->low) << 32 | key_->high) << 1 | 1;
}

QImage ImageAttributes::applyTo(const QImage& image) const {
    if (!hasColorKey())
        return image;
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if (channelsWithin(row[x], key_->low, key_->high))
                row[x] = 0;
    }
    return keyed;
}

} // namespace gfx
