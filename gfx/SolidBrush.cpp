#include "gfx/SolidBrush.h"

#include <QBrush>

namespace gfx {

SolidBrush::SolidBrush() = default;
SolidBrush::SolidBrush(SolidBrush&&) noexcept = default;
SolidBrush& SolidBrush::operator=(SolidBrush&&) noexcept = default;
SolidBrush::~SolidBrush() = default;

SolidBrush::SolidBrush(Argb colour) {
    if (!brush_.make(colour, QColor::fromRgba(colour)))
        lastStatus_ = Status::outOfMemory;
}

Argb SolidBrush::colour() const {
    return brush_ ? brush_->color().rgba() : 0;
}

} // namespace gfx
