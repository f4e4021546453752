#include "gfx/GraphicsImpl.h"

#include <QPolygonF>
#include <QtMath>

namespace gfx {

namespace {

// The ellipse's own parameter for the point where a ray from its centre at
// `rayDegrees` meets it, unwrapped to lie within a quarter turn of the ray.
double parametricAngle(double rayDegrees, double radiusX, double radiusY) {
    const double ray = qDegreesToRadians(rayDegrees);
    const double t =
        qRadiansToDegrees(std::atan2(radiusX * std::sin(ray), radiusY * std::cos(ray)));
    return t + 360.0 * std::round((rayDegrees - t) / 360.0);
}

QPainterPath arcPath(RectF bounds, double startAngle, double sweepAngle) {
    const double a = bounds.width / 2.0;
    const double b = bounds.height / 2.0;
    const double start = parametricAngle(startAngle, a, b);
    const double sweep = std::abs(sweepAngle) >= 360.0
                             ? std::copysign(360.0, sweepAngle)
                             : parametricAngle(startAngle + sweepAngle, a, b) - start;
    // The painter counts angles counter-clockwise on a y-down target.
    const QRectF rect(bounds.x, bounds.y, bounds.width, bounds.height);
    QPainterPath path;
    path.arcMoveTo(rect, -start);
    path.arcTo(rect, -start, -sweep);
    return path;
}

} // namespace

void Graphics::drawLine(const Pen* pen, float x1, float y1, float x2, float y2) {
    if (!usable())
        return;
    const QPen* qpen = GraphicsAccess::pen(pen);
    if (!qpen || !finite(x1) || !finite(y1) || !finite(x2) || !finite(y2)) {
        fail(Status::invalidParameter);
        return;
    }
    d_->painter->setPen(*qpen);
    d_->painter->drawLine(QLineF(x1, y1, x2, y2));
}

void Graphics::drawLines(const Pen* pen, std::span<const PointF> points) {
    if (!usable())
        return;
    const QPen* qpen = GraphicsAccess::pen(pen);
    if (!qpen) {
        fail(Status::invalidParameter);
        return;
    }
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const PointF point : points) {
        if (!finite(point.x) || !finite(point.y)) {
            fail(Status::invalidParameter);
            return;
        }
        polygon.append(QPointF(point.x, point.y));
    }
    if (polygon.size() < 2)
        return;
    d_->painter->setPen(*qpen);
    d_->painter->drawPolyline(polygon);
}

void Graphics::drawArc(const Pen* pen, RectF bounds, float startAngle, float sweepAngle) {
    if (!usable())
        return;
    const QPen* qpen = GraphicsAccess::pen(pen);
    if (!qpen || !finite(bounds) || !finite(startAngle) || !finite(sweepAngle) ||
        bounds.width <= 0 || bounds.height <= 0) {
        fail(Status::invalidParameter);
        return;
    }
    d_->painter->strokePath(arcPath(bounds, startAngle, sweepAngle), *qpen);
}

void Graphics::drawRectangle(const Pen* pen, RectF rect) {
    if (!usable())
        return;
    const QPen* qpen = GraphicsAccess::pen(pen);
    if (!qpen || !finite(rect)) {
        fail(Status::invalidParameter);
        return;
    }
    d_->painter->setPen(*qpen);
    d_->painter->setBrush(Qt::NoBrush);
    d_->painter->drawRect(QRectF(rect.x, rect.y, rect.width, rect.height));
}

void Graphics::fillRectangle(const SolidBrush* brush, RectF rect) {
    if (!usable())
        return;
    const QBrush* qbrush = GraphicsAccess::brush(brush);
    if (!qbrush || !finite(rect)) {
        fail(Status::invalidParameter);
        return;
    }
    d_->painter->fillRect(QRectF(rect.x, rect.y, rect.width, rect.height), *qbrush);
}

void Graphics::fillRectangle(const SolidBrush* brush, Rect rect) {
    fillRectangle(brush,
                  RectF{float(rect.x), float(rect.y), float(rect.width), float(rect.height)});
}

void Graphics::fillPath(const SolidBrush* brush, const GraphicsPath* path) {
    if (!usable())
        return;
    const QBrush* qbrush = GraphicsAccess::brush(brush);
    const QPainterPath* qpath = GraphicsAccess::path(path);
    if (!qbrush || !qpath) {
        fail(Status::invalidParameter);
        return;
    }
    d_->painter->fillPath(*qpath, *qbrush);
}

} // namespace gfx
