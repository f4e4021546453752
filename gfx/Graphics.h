#pragma once

#include "gfx/Types.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>

class QImage;
class QPaintDevice;

namespace gfx {

class Bitmap;
class Font;
class GraphicsPath;
class ImageAttributes;
class Pen;
class SolidBrush;
class StringFormat;

// Marks a nested drawing state begun by Graphics::beginContainer.
class GraphicsContainer {
    friend class Graphics;
    std::size_t depth_ = 0;
};

// A drawing context on a bitmap or a paint device. Coordinates are pixels,
// y downwards, angles in degrees clockwise. Every translation and rotation
// acts in the current local frame. Drawing objects are passed by pointer: a
// missing or absent one makes the call draw nothing and record a failure.
class Graphics {
public:
    Graphics(); // absent
    explicit Graphics(Bitmap& target);
    explicit Graphics(QPaintDevice* device);
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics();

    bool valid() const;
    Status lastStatus() const { return lastStatus_; }

    void setSmoothingMode(SmoothingMode mode);
    SmoothingMode smoothingMode() const;
    void setTextRenderingHint(TextRenderingHint hint);
    TextRenderingHint textRenderingHint() const;
    void setInterpolationMode(InterpolationMode mode);
    InterpolationMode interpolationMode() const;

    // On, a smooth stretch drawn under a clip gives there the very pixels of
    // the same stretch drawn unclipped, so that a window can redraw a part of
    // a stretched frame alone; off (the default), the painter's own clipped
    // stretch, which starts its sampling afresh at each clipped span.
    void setStretchAsWhole(bool on);

    void translateTransform(float dx, float dy);
    void rotateTransform(float degrees);
    // Back to the frame in force when the innermost container began.
    void resetTransform();
    // Where a point of the current local frame lands on the target.
    PointF transformPoint(PointF local) const;
    // Keeps the current frame; restoreTransform puts the last one kept back
    // (gfx::FrameScope pairs them).
    void saveTransform();
    void restoreTransform();

    // Replaces this container's clip with a rectangle of the current frame;
    // the clips of enclosing containers still apply.
    void setClip(Rect rect);
    void resetClip();

    // A nested drawing state: the transform starts, and resets to, the one in
    // force now; the clip in force still applies; smoothing, text and
    // interpolation settings start at their defaults. Ending it restores all.
    GraphicsContainer beginContainer();
    void endContainer(GraphicsContainer container);

    void drawLine(const Pen* pen, float x1, float y1, float x2, float y2);
    // Lines joining the points one after another: one stroke, so that a
    // vector picture holds a plotted line as one element.
    void drawLines(const Pen* pen, std::span<const PointF> points);
    // Arc of the ellipse inscribed in `bounds`; the angles name directions of
    // rays from the centre, clockwise from the positive x axis.
    void drawArc(const Pen* pen, RectF bounds, float startAngle, float sweepAngle);
    void drawRectangle(const Pen* pen, RectF rect);
    void fillRectangle(const SolidBrush* brush, RectF rect);
    void fillRectangle(const SolidBrush* brush, Rect rect);
    void fillPath(const SolidBrush* brush, const GraphicsPath* path);

    // At its natural size with its top-left corner at (x, y).
    void drawImage(const Bitmap* bitmap, int x, int y);
    // Stretched to `destination`.
    void drawImage(const Bitmap* bitmap, Rect destination);
    // The `source` pixels stretched to `destination`, through `attributes`.
    void drawImage(const Bitmap* bitmap, RectF destination, RectF source,
                   const ImageAttributes* attributes);

    // One line of text. In a layout rectangle it is aligned by `format` (near,
    // near without one) and clipped to the rectangle; with an empty rectangle
    // its top-left corner is at (x, y) and nothing is clipped.
    void drawString(std::u16string_view text, const Font* font, RectF layout,
                    const StringFormat* format, const SolidBrush* brush);

    struct Impl;

private:
    bool usable();
    const QImage* drawablePixels(const Bitmap* bitmap);
    void fail(Status status) { lastStatus_ = status; }
    std::unique_ptr<Impl> d_;
    Status lastStatus_ = Status::ok;
};

} // namespace gfx
