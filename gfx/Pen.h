#pragma once

#include "gfx/Owned.h"
#include "gfx/Types.h"

#include <span>

class QPen;

namespace gfx {

// Strokes lines, arcs and outlines: flat ends, mitred corners, solid unless
// given a dash pattern. The width is in world units, so it follows the transform.
class Pen {
public:
    Pen(); // absent
    explicit Pen(Argb colour, float width = 1.0f);
    Pen(Pen&&) noexcept;
    Pen& operator=(Pen&&) noexcept;
    ~Pen();

    bool valid() const { return bool(pen_); }
    Argb colour() const;
    float width() const;
    bool dashed() const;
    Status lastStatus() const { return lastStatus_; }

    void setWidth(float width);
    // Alternating dash and gap lengths in units of the pen width; an even,
    // non-empty list of positive lengths.
    void setDashPattern(std::span<const float> lengths);
    void setSolid();
    // Round corners and ends: a plotted line that turns back on itself
    // stays within its values instead of shooting out in a mitred point.
    void setRoundJoins();

private:
    friend struct GraphicsAccess;
    bool usable();
    Owned<QPen, ObjectKind::pen> pen_;
    Status lastStatus_ = Status::ok;
};

} // namespace gfx
