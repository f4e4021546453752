#pragma once

#include "gfx/Owned.h"
#include "gfx/Types.h"

class QPainterPath;

namespace gfx {

// An outline built from straight lines, filled by the alternate (even-odd)
// rule unless told otherwise. Lines added one after another join into one
// figure; filling closes every figure.
class GraphicsPath {
public:
    explicit GraphicsPath(FillMode mode = FillMode::alternate);
    GraphicsPath(GraphicsPath&&) noexcept;
    GraphicsPath& operator=(GraphicsPath&&) noexcept;
    ~GraphicsPath();

    bool valid() const { return bool(path_); }
    Status lastStatus() const { return lastStatus_; }

    void addLine(float x1, float y1, float x2, float y2);
    // Ends the current figure; the next line starts a new one.
    void closeFigure();

private:
    friend struct GraphicsAccess;
    Owned<QPainterPath, ObjectKind::path> path_;
    bool figureOpen_ = false;
    Status lastStatus_ = Status::ok;
};

} // namespace gfx
