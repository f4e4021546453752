#include "gfx/GraphicsImpl.h"

namespace gfx {

namespace {

QPainterPath pathOf(const ClipShape& clip) {
    if (clip.kind == ClipShape::Kind::path)
        return clip.path;
    QPainterPath path;
    path.addRect(clip.rect);
    return path;
}

} // namespace

ClipShape intersect(const ClipShape& a, const ClipShape& b) {
    if (a.kind == ClipShape::Kind::none)
        return b;
    if (b.kind == ClipShape::Kind::none)
        return a;
    if (a.kind == ClipShape::Kind::rect && b.kind == ClipShape::Kind::rect)
        return ClipShape{ClipShape::Kind::rect, a.rect.intersected(b.rect), {}};
    return ClipShape{ClipShape::Kind::path, {}, pathOf(a).intersected(pathOf(b))};
}

void Graphics::Impl::applyClip() {
    const ClipShape clip = intersect(state.outer, state.local);
    if (clip.kind == ClipShape::Kind::none) {
        painter->setClipping(false);
        return;
    }
    painter->setWorldTransform(QTransform());
    if (clip.kind == ClipShape::Kind::path) {
        painter->setClipPath(clip.path);
    } else {
        // Whole-pixel rectangles take the painter's fast rectangular clip.
        const QRect whole = clip.rect.toRect();
        if (QRectF(whole) == clip.rect)
            painter->setClipRect(whole);
        else
            painter->setClipRect(clip.rect);
    }
    applyWorld();
}

void Graphics::Impl::applyRenderHints() {
    painter->setRenderHint(QPainter::Antialiasing, state.smoothing == SmoothingMode::antiAlias);
    painter->setRenderHint(QPainter::SmoothPixmapTransform,
                           state.interpolation != InterpolationMode::nearestNeighbor);
}

Graphics::Graphics() = default;

Graphics::Graphics(Bitmap& target) : Graphics(target.image_.get()) {}

Graphics::Graphics(QPaintDevice* device) {
    if (!device) {
        fail(Status::invalidParameter);
        return;
    }
    auto impl = std::make_unique<Impl>();
    if (!impl->painter.make(0, device)) {
        fail(Status::outOfMemory);
        return;
    }
    if (!impl->painter->isActive()) {
        fail(Status::genericError);
        return;
    }
    d_ = std::move(impl);
    d_->state.base = d_->state.world = d_->painter->worldTransform();
    d_->applyWorld();
    d_->applyRenderHints();
}

Graphics::~Graphics() = default;

bool Graphics::valid() const {
    return d_ != nullptr;
}

bool Graphics::usable() {
    if (!d_)
        fail(Status::invalidParameter);
    return d_ != nullptr;
}

void Graphics::setSmoothingMode(SmoothingMode mode) {
    if (!usable())
        return;
    d_->state.smoothing = mode;
    d_->applyRenderHints();
}

SmoothingMode Graphics::smoothingMode() const {
    return d_ ? d_->state.smoothing : SmoothingMode::defaultMode;
}

void Graphics::setTextRenderingHint(TextRenderingHint hint) {
    if (usable())
        d_->state.textHint = hint;
}

TextRenderingHint Graphics::textRenderingHint() const {
    return d_ ? d_->state.textHint : TextRenderingHint::systemDefault;
}

void Graphics::setStretchAsWhole(bool on) {
    if (d_)
        d_->stretchAsWhole = on;
}

void Graphics::setInterpolationMode(InterpolationMode mode) {
    if (!usable())
        return;
    d_->state.interpolation = mode;
    d_->applyRenderHints();
}

InterpolationMode Graphics::interpolationMode() const {
    return d_ ? d_->state.interpolation : InterpolationMode::defaultMode;
}

void Graphics::translateTransform(float dx, float dy) {
    if (!usable())
        return;
    if (!finite(dx) || !finite(dy)) {
        fail(Status::invalidParameter);
        return;
    }
    d_->state.world = QTransform::fromTranslate(dx, dy) * d_->state.world;
    d_->applyWorld();
}

void Graphics::rotateTransform(float degrees) {
    if (!usable())
        return;
    if (!finite(degrees)) {
        fail(Status::invalidParameter);
        return;
    }
    QTransform rotation;
    rotation.rotate(degrees);
    d_->state.world = rotation * d_->state.world;
    d_->applyWorld();
}

void Graphics::resetTransform() {
    if (!usable())
        return;
    d_->state.world = d_->state.base;
    d_->applyWorld();
}

void Graphics::saveTransform() {
    if (usable())
        d_->savedWorlds.push_back(d_->state.world);
}

void Graphics::restoreTransform() {
    if (!usable())
        return;
    if (d_->savedWorlds.empty()) {
        fail(Status::wrongState);
        return;
    }
    d_->state.world = d_->savedWorlds.back();
    d_->savedWorlds.pop_back();
    d_->applyWorld();
}

PointF Graphics::transformPoint(PointF local) const {
    if (!d_)
        return local;
    const QPointF mapped = d_->state.world.map(QPointF(local.x, local.y));
    return {float(mapped.x()), float(mapped.y())};
}

void Graphics::setClip(Rect rect) {
    if (!usable())
        return;
    const QTransform& world = d_->state.world;
    const QRectF local(rect.x, rect.y, rect.width, rect.height);
    if (world.type() <= QTransform::TxScale) {
        d_->state.local = ClipShape{ClipShape::Kind::rect, world.mapRect(local).normalized(), {}};
    } else {
        QPainterPath path;
        path.addRect(local);
        d_->state.local = ClipShape{ClipShape::Kind::path, {}, world.map(path)};
    }
    d_->applyClip();
}

void Graphics::resetClip() {
    if (!usable())
        return;
    d_->state.local = ClipShape{};
    d_->applyClip();
}

GraphicsContainer Graphics::beginContainer() {
    GraphicsContainer container;
    if (!usable())
        return container;
    d_->containers.push_back(d_->state);
    DrawingState inner;
    inner.base = inner.world = d_->state.world;
    inner.outer = intersect(d_->state.outer, d_->state.local);
    d_->state = inner;
    d_->applyRenderHints();
    container.depth_ = d_->containers.size();
    return container;
}

void Graphics::endContainer(GraphicsContainer container) {
    if (!usable())
        return;
    if (container.depth_ == 0 || container.depth_ > d_->containers.size()) {
        fail(Status::wrongState);
        return;
    }
    // Ending a container also ends any left open inside it.
    d_->state = d_->containers[container.depth_ - 1];
    d_->containers.resize(container.depth_ - 1);
    d_->applyWorld();
    d_->applyClip();
    d_->applyRenderHints();
}

} // namespace gfx
