// What a kept frame draws again of a moving layer: the cells whose inputs or
// places changed, a solid bar only between its old and new edge, and the
// whole part when the cells cannot be compared.

#include "screen/MovingCells.h"

#include <QTest>

#include <limits>
#include <optional>

namespace {

struct Cell {
    gfx::RectF area;
    int colour = 0;
    bool solid = false;
};

struct Row {
    const char* name;
    Cell before;
    Cell now;
    std::optional<gfx::Rect> moved; // none: the whole part
};

constexpr float nan = std::numeric_limits<float>::quiet_NaN();

// A bar 8 wide standing on y = 100, and a pointer 26 x 15.
const Row rows[] = {
    {.name = "nothing changed",
     .before = {.area = {10, 20, 26, 15}},
     .now = {.area = {10, 20, 26, 15}},
     .moved = gfx::Rect{}},
    {.name = "a pointer moved: both places, a pixel round",
     .before = {.area = {10, 20, 26, 15}},
     .now = {.area = {10, 22.5f, 26, 15}},
     .moved = gfx::Rect{9, 19, 28, 20}},
    {.name = "a bar's top rose a tenth: the rows it crossed",
     .before = {.area = {4, 50.3f, 8, 49.7f}, .solid = true},
     .now = {.area = {4, 50.2f, 8, 49.8f}, .solid = true},
     .moved = gfx::Rect{3, 49, 10, 3}},
    {.name = "a bar's top fell on whole pixels",
     .before = {.area = {4, 40, 8, 60}, .solid = true},
     .now = {.area = {4, 45, 8, 55}, .solid = true},
     .moved = gfx::Rect{3, 39, 10, 7}},
    {.name = "a bar moved sideways: both places",
     .before = {.area = {4, 40, 8, 60}, .solid = true},
     .now = {.area = {5, 40, 8, 60}, .solid = true},
     .moved = gfx::Rect{3, 39, 11, 62}},
    {.name = "a bar turned red: all of it",
     .before = {.area = {4, 50, 8, 50}, .solid = true},
     .now = {.area = {4, 50, 8, 50}, .colour = 1, .solid = true},
     .moved = gfx::Rect{3, 49, 10, 52}},
    {.name = "a bar's top moved and it turned red",
     .before = {.area = {4, 50, 8, 50}, .solid = true},
     .now = {.area = {4, 60, 8, 40}, .colour = 1, .solid = true},
     .moved = gfx::Rect{3, 49, 10, 52}},
    {.name = "a pointer appeared with data",
     .before = {.area = {}},
     .now = {.area = {10, 20, 26, 15}, .colour = 1},
     .moved = gfx::Rect{9, 19, 28, 17}},
    {.name = "a place that is not a number",
     .before = {.area = {10, 20, 26, 15}},
     .now = {.area = {10, nan, 26, 15}},
     .moved = std::nullopt},
};

MovingCells cellsOf(const Cell& cell) {
    MovingCells cells;
    // An unchanged neighbour beside the cell under test.
    CellFrom still;
    still << 7;
    cells.add({200, 200, 10, 10}, still);
    CellFrom from;
    from << cell.colour;
    cells.add(cell.area, from, cell.solid);
    return cells;
}

} // namespace

class MovingCellsTest : public QObject {
    Q_OBJECT
private slots:
    void moved_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(rows)); ++row)
            QTest::newRow(rows[row].name) << row;
    }

    void moved() {
        QFETCH(int, row);
        const Row& expected = rows[row];
        const std::optional<gfx::Rect> moved =
            movedBetween(cellsOf(expected.before), cellsOf(expected.now));
        QCOMPARE(moved.has_value(), expected.moved.has_value());
        if (!moved)
            return;
        const gfx::Rect& want = *expected.moved;
        QCOMPARE(QRect(moved->x, moved->y, moved->width, moved->height),
                 QRect(want.x, want.y, want.width, want.height));
    }

    // Cells that cannot be paired up give the whole part.
    void uncomparable() {
        MovingCells one;
        one.add({0, 0, 5, 5}, {});
        MovingCells two = one;
        two.add({10, 0, 5, 5}, {});
        QVERIFY(!movedBetween(one, two));
        MovingCells many;
        for (int cell = 0; cell < 25; ++cell)
            many.add({float(cell), 0, 1, 1}, {});
        QVERIFY(many.overflowed());
        QVERIFY(!movedBetween(many, many));
    }
};

QTEST_APPLESS_MAIN(MovingCellsTest)
#include "tst_moving_cells.moc"
