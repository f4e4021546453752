#include "gfx/GraphicsImpl.h"

#include "gfx/ImageAttributes.h"
#include "gfx/SmoothStretch.h"

namespace gfx {

namespace {

// Qt shares a bitmap draw taller than about 96 rows among its worker threads.
// At 15 frames a second waking them costs more CPU than they save, so tall
// draws go in bands short enough to stay on this thread. Every band samples
// the same whole-bitmap mapping, so no seam shows.
constexpr int bandRows = 64;

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

// Runs `draw` once per band of `area` (bitmap-frame pixels), each clipped to
// its band within the clip in force.
template <class Draw>
void drawInBands(Graphics::Impl& d, QRect area, const Draw& draw) {
    if (!area.isValid() || area.height() <= bandRows) {
        draw();
        return;
    }
    for (int top = area.top(); top <= area.bottom(); top += bandRows) {
        d.painter->setClipRect(QRect(area.left(), top, area.width(), bandRows), Qt::IntersectClip);
        draw();
        d.applyClip(); // the clip before the band, which leaves the vector frame
        d.painter->setWorldTransform(d.state.world);
    }
}

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
        drawInBands(*d_, QRect(QPoint(x, y), image->size()),
                    [&] { d_->painter->drawImage(QPoint(x, y), *image); });
    }
}

void Graphics::drawImage(const Bitmap* bitmap, Rect destination) {
    if (const QImage* image = drawablePixels(bitmap)) {
        const BitmapFrame frame(*d_->painter, d_->state.world);
        const QRect target(destination.x, destination.y, destination.width, destination.height);
        if (drawSmoothStretch(*d_, *image, target))
            return;
        drawInBands(*d_, target, [&] { d_->painter->drawImage(target, *image); });
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
    const QRectF target(destination.x, destination.y, destination.width, destination.height);
    drawInBands(*d_, target.toAlignedRect(), [&] {
        d_->painter->drawImage(target, drawn, wanted.translated(-pixels.topLeft()));
    });
}

} // namespace gfx
