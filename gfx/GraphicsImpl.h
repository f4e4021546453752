#pragma once

// Inside of the drawing context, shared by the files that implement it.

#include "gfx/Bitmap.h"
#include "gfx/Font.h"
#include "gfx/Graphics.h"
#include "gfx/GraphicsPath.h"
#include "gfx/Owned.h"
#include "gfx/Pen.h"
#include "gfx/SolidBrush.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cmath>
#include <vector>

namespace gfx {

// Reaches the platform object inside a wrapper; none for a missing or absent one.
struct GraphicsAccess {
    static const QPen* pen(const Pen* p) { return p ? p->pen_.get() : nullptr; }
    static const QBrush* brush(const SolidBrush* b) { return b ? b->brush_.get() : nullptr; }
    static const QFont* font(const Font* f) { return f ? f->font_.get() : nullptr; }
    static const QPainterPath* path(const GraphicsPath* p) { return p ? p->path_.get() : nullptr; }
    static const QImage* image(const Bitmap* b) { return b ? b->image_.get() : nullptr; }
    // `pixels` of the bitmap adjusted by `attributes`, reusing the last such
    // copy while neither the pixels nor the adjustment changed.
    static QImage adjusted(const Bitmap& bitmap, QRect pixels, const ImageAttributes& attributes);
};

// A clip in target coordinates (the frame with no world transform).
struct ClipShape {
    enum class Kind { none, rect, path };
    Kind kind = Kind::none;
    QRectF rect;
    QPainterPath path;
};

struct DrawingState {
    QTransform base;  // the frame a reset returns to
    QTransform world; // the current frame
    ClipShape outer;  // what the enclosing containers allow
    ClipShape local;  // this container's own clip
    SmoothingMode smoothing = SmoothingMode::defaultMode;
    TextRenderingHint textHint = TextRenderingHint::systemDefault;
    InterpolationMode interpolation = InterpolationMode::defaultMode;
};

struct Graphics::Impl {
    Owned<QPainter, ObjectKind::graphics> painter;
    DrawingState state;
    std::vector<DrawingState> containers;
    std::vector<QTransform> savedWorlds; // frames kept by saveTransform
    bool stretchAsWhole = false;         // see Graphics::setStretchAsWhole

    // Vector drawing puts pixel centres on whole coordinates, as the screen's
    // layout assumes: a 1-pixel line along a whole y fills exactly that row.
    // Bitmaps and clips keep pixel edges on whole coordinates.
    static QTransform vectorFrame(const QTransform& world) {
        return world * QTransform::fromTranslate(0.5, 0.5);
    }
    void applyWorld() { painter->setWorldTransform(vectorFrame(state.world)); }
    void applyClip();
    void applyRenderHints();
};

inline bool finite(float value) {
    return std::isfinite(value);
}
inline bool finite(RectF r) {
    return finite(r.x) && finite(r.y) && finite(r.width) && finite(r.height);
}

ClipShape intersect(const ClipShape& a, const ClipShape& b);

} // namespace gfx
