#include "gfx/Pen.h"

#include <QList>
#include <QPen>

#include <cmath>

namespace gfx {

namespace {

bool validWidth(float width) {
    return std::isfinite(width) && width >= 0.0f;
}

} // namespace

Pen::Pen() = default;
Pen::Pen(Pen&&) noexcept = default;
Pen& Pen::operator=(Pen&&) noexcept = default;
Pen::~Pen() = default;

Pen::Pen(Argb colour, float width) {
    if (!validWidth(width)) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    if (!pen_.make(colour, QBrush(QColor::fromRgba(colour)), qreal(width), Qt::SolidLine,
                   Qt::FlatCap, Qt::MiterJoin)) {
        lastStatus_ = Status::outOfMemory;
        return;
    }
    pen_->setMiterLimit(10.0);
}

bool Pen::usable() {
    if (!pen_)
        lastStatus_ = Status::invalidParameter;
    return bool(pen_);
}

Argb Pen::colour() const {
    return pen_ ? pen_->color().rgba() : 0;
}
float Pen::width() const {
    return pen_ ? float(pen_->widthF()) : 0.0f;
}
bool Pen::dashed() const {
    return pen_ && pen_->style() != Qt::SolidLine;
}

void Pen::setWidth(float width) {
    if (!usable())
        return;
    if (!validWidth(width)) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    pen_->setWidthF(qreal(width));
}

void Pen::setDashPattern(std::span<const float> lengths) {
    if (!usable())
        return;
    bool allPositive = true;
    for (const float length : lengths)
        allPositive = allPositive && std::isfinite(length) && length > 0.0f;
    if (lengths.empty() || lengths.size() % 2 != 0 || !allPositive) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    pen_->setDashPattern(QList<qreal>(lengths.begin(), lengths.end()));
}

void Pen::setRoundJoins() {
    if (!usable())
        return;
    pen_->setJoinStyle(Qt::RoundJoin);
    pen_->setCapStyle(Qt::RoundCap);
}

void Pen::setSolid() {
    if (usable())
        pen_->setStyle(Qt::SolidLine);
}

} // namespace gfx
