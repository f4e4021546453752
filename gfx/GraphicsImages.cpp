#include "gfx/GraphicsImpl.h"

#include "gfx/ImageAttributes.h"

namespace gfx {

namespace {

// Bitmaps are placed with their pixel edges on whole coordinates.
class BitmapFrame {
public:
    BitmapFrame(QPainter& painter, const QTransform& world) : painter_(painter) {
        painter_.setWorldTransform(world);
    }
    ~BitmapFrame() {
        painter_.setWorldTransform(Graphics::Impl::vectorFrame(painter_.worldTransform()));
    }

private:
    QPainter& painter_;
};

} // namespace

// The pixels to draw, or none (a failure recorded) for an absent bitmap.
const QImage* Graphics::drawablePixels(const Bitmap* bitmap) {
    if (!usable())
        return nullptr;
    const QImage* image = GraphicsAccess::image(bitmap);
    if (!image)
        fail(Status::invalidParameter);
    return image;
}

void Graphics::drawImage(const Bitmap* bitmap, int x, int y) {
    if (const QImage* image = drawablePixels(bitmap)) {
        const BitmapFrame frame(*d_->painter, d_->state.world);
        d_->painter->drawImage(QPoint(x, y), *image);
    }
}

void Graphics::drawImage(const Bitmap* bitmap, Rect destination) {
    if (const QImage* image = drawablePixels(bitmap)) {
        const BitmapFrame frame(*d_->painter, d_->state.world);
        d_->painter->drawImage(
            QRect(destination.x, destination.y, destination.width, destination.height), *image);
    }
}

void Graphics::drawImage(const Bitmap* bitmap, RectF destination, RectF source,
                         const ImageAttributes* attributes) {
    if (!usable())
        return;
    const QImage* image = GraphicsAccess::image(bitmap);
    if (!image || !finite(destination) || !finite(source) || (attributes && !attributes->valid())) {
        fail(Status::invalidParameter);
        return;
    }
    // Only the whole pixels the source rectangle touches go through the key.
    const QRectF wanted(source.x, source.y, source.width, source.height);
    const QRect pixels = wanted.toAlignedRect().intersected(image->rect());
    if (pixels.isEmpty())
        return;
    const QImage drawn =
        attributes ? GraphicsAccess::adjusted(*bitmap, pixels, *attributes) : image->copy(pixels);
    const BitmapFrame frame(*d_->painter, d_->state.world);
    d_->painter->drawImage(
        QRectF(destination.x, destination.y, destination.width, destination.height), drawn,
        wanted.translated(-pixels.topLeft()));
}

} // namespace gfx
