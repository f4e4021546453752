#pragma once

#include "gfx/Types.h"
#include "screen/DrawnFrom.h"

#include <array>
#include <cstddef>
#include <optional>

// Where a part's moving layer draws, cell by cell (a pointer, a bar, a
// readout), with what each cell is drawn from. Between two frames, the
// pixels the moving layer can have changed lie in the cells whose inputs or
// places changed, so a kept frame draws the part again over those alone.
struct MovingCell {
    // Screen frame: every pixel the cell's drawing may touch.
    gfx::RectF area;
    CellFrom from;
    // A rectangle filled with one colour: moved by one edge alone, only the
    // pixels between the old edge and the new one change.
    bool solid = false;
};

class MovingCells {
public:
    void add(gfx::RectF area, const CellFrom& from, bool solid = false);
    std::size_t size() const { return size_; }
    const MovingCell& operator[](std::size_t cell) const { return cells_[cell]; }
    // More cells than kept: compared with anything, the whole part changed.
    bool overflowed() const { return overflowed_; }

private:
    // A cylinder graph: a bar, a value and a number for each of six
    // columns, and the big readout.
    static constexpr std::size_t capacity = 20;
    std::array<MovingCell, capacity> cells_{};
    std::size_t size_ = 0;
    bool overflowed_ = false;
};

// The screen pixels that may differ between the moving layer drawn as
// `before` and as `now`, in one rectangle rounded out to whole pixels
// (empty when no cell changed); none when the two cannot be compared cell by
// cell, and the whole part must be drawn again.
std::optional<gfx::Rect> movedBetween(const MovingCells& before, const MovingCells& now);
