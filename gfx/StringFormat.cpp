#include "gfx/StringFormat.h"

namespace gfx {

StringFormat::StringFormat() {
    if (!format_.make(0))
        lastStatus_ = Status::outOfMemory;
}

StringFormat::StringFormat(StringFormat&&) noexcept = default;
StringFormat& StringFormat::operator=(StringFormat&&) noexcept = default;
StringFormat::~StringFormat() = default;

void StringFormat::setAlignment(StringAlignment alignment) {
    if (format_)
        format_->horizontal = alignment;
    else
        lastStatus_ = Status::invalidParameter;
}

void StringFormat::setLineAlignment(StringAlignment alignment) {
    if (format_)
        format_->vertical = alignment;
    else
        lastStatus_ = Status::invalidParameter;
}

StringAlignment StringFormat::alignment() const {
    return format_ ? format_->horizontal : StringAlignment::near;
}

StringAlignment StringFormat::lineAlignment() const {
    return format_ ? format_->vertical : StringAlignment::near;
}

} // namespace gfx
