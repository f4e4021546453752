#include "gfx/GraphicsPath.h"

#include <QPainterPath>

#include <cmath>

namespace gfx {

GraphicsPath::GraphicsPath(GraphicsPath&&) noexcept = default;
GraphicsPath& GraphicsPath::operator=(GraphicsPath&&) noexcept = default;
GraphicsPath::~GraphicsPath() = default;

GraphicsPath::GraphicsPath(FillMode mode) {
    if (!path_.make(0)) {
        lastStatus_ = Status::outOfMemory;
        return;
    }
    path_->setFillRule(mode == FillMode::alternate ? Qt::OddEvenFill : Qt::WindingFill);
}

void GraphicsPath::addLine(float x1, float y1, float x2, float y2) {
    if (!path_ || !std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
        !std::isfinite(y2)) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    const QPointF start(x1, y1);
    if (!figureOpen_)
        path_->moveTo(start);
    else if (path_->currentPosition() != start)
        path_->lineTo(start);
    path_->lineTo(x2, y2);
    figureOpen_ = true;
}

void GraphicsPath::closeFigure() {
    if (!path_) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    if (figureOpen_)
        path_->closeSubpath();
    figureOpen_ = false;
}

} // namespace gfx
