#pragma once

#include "gfx/Owned.h"
#include "gfx/Types.h"

namespace gfx {

// Where text sits in its layout rectangle: horizontal alignment, and line
// alignment across it. Both start at near (left, top).
class StringFormat {
public:
    StringFormat();
    StringFormat(StringFormat&&) noexcept;
    StringFormat& operator=(StringFormat&&) noexcept;
    ~StringFormat();

    bool valid() const { return bool(format_); }
    Status lastStatus() const { return lastStatus_; }

    void setAlignment(StringAlignment alignment);
    void setLineAlignment(StringAlignment alignment);
    StringAlignment alignment() const;
    StringAlignment lineAlignment() const;

private:
    struct Alignments {
        StringAlignment horizontal = StringAlignment::near;
        StringAlignment vertical = StringAlignment::near;
    };
    Owned<Alignments, ObjectKind::stringFormat> format_;
    Status lastStatus_ = Status::ok;
};

} // namespace gfx
