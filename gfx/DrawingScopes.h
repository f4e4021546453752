#pragma once

#include "gfx/Graphics.h"
#include "gfx/Pen.h"
#include "gfx/Types.h"

#include <span>

namespace gfx {

// Drawing state changed for one scope: each guard makes its change when it is
// made and puts the state back when the scope ends, so whatever is drawn
// after it never sees the change, however the scope is left.

// A guard is neither copied nor assigned: one change, put back once.
class Guard {
protected:
    Guard() = default;
    ~Guard() = default;

public:
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
};

// The pen at another width; the width it had comes back.
class WidenedPen : Guard {
public:
    WidenedPen(Pen& pen, float width) : pen_(pen), before_(pen.width()) { pen.setWidth(width); }
    ~WidenedPen() { pen_.setWidth(before_); }

private:
    Pen& pen_;
    float before_;
};

// The pen dashed (Pen::setDashPattern); solid again after, as every pen is
// between elements.
class DashedPen : Guard {
public:
    DashedPen(Pen& pen, std::span<const float> lengths) : pen_(pen) { pen.setDashPattern(lengths); }
    ~DashedPen() { pen_.setSolid(); }

private:
    Pen& pen_;
};

// A nested drawing state (Graphics::beginContainer), ended with the scope.
class ContainerScope : Guard {
public:
    explicit ContainerScope(Graphics& graphics)
        : graphics_(graphics), container_(graphics.beginContainer()) {}
    ~ContainerScope() { graphics_.endContainer(container_); }

private:
    Graphics& graphics_;
    GraphicsContainer container_;
};

// The frame in force now comes back when the scope ends, whatever the scope
// translated or rotated.
class FrameScope : Guard {
public:
    explicit FrameScope(Graphics& graphics) : graphics_(graphics) { graphics.saveTransform(); }
    ~FrameScope() { graphics_.restoreTransform(); }

private:
    Graphics& graphics_;
};

// The origin moved to `origin` of the current frame for the scope.
class TranslatedFrame : FrameScope {
public:
    TranslatedFrame(Graphics& graphics, PointF origin) : FrameScope(graphics) {
        graphics.translateTransform(origin.x, origin.y);
    }
};

// The frame turned clockwise by `degrees` about its origin for the scope.
class RotatedFrame : FrameScope {
public:
    RotatedFrame(Graphics& graphics, float degrees) : FrameScope(graphics) {
        graphics.rotateTransform(degrees);
    }
};

} // namespace gfx
