#pragma once

#include "gfx/Owned.h"
#include "gfx/Types.h"

class QBrush;

namespace gfx {

// Fills shapes and text with one colour.
class SolidBrush {
public:
    SolidBrush(); // absent
    explicit SolidBrush(Argb colour);
    SolidBrush(SolidBrush&&) noexcept;
    SolidBrush& operator=(SolidBrush&&) noexcept;
    ~SolidBrush();

    bool valid() const { return bool(brush_); }
    Argb colour() const;
    Status lastStatus() const { return lastStatus_; }

private:
    friend struct GraphicsAccess;
    Owned<QBrush, ObjectKind::solidBrush> brush_;
    Status lastStatus_ = Status::ok;
};

} // namespace gfx
