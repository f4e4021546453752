#include "app/window/BorderEdges.h"
#include "app/window/WindowDrag.h"

#include <QTest>

namespace {

constexpr QSize window{586, 822};

} // namespace

// The grab zone of a 586 x 822 window, 8 pixels wide (the painted border and
// the client's first 4 pixels), whose corners reach 20 pixels along each side.
class BorderEdgesTest : public QObject {
    Q_OBJECT

private slots:
    void edgesAt_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("edges");
        const int left = Qt::LeftEdge, right = Qt::RightEdge;
        const int top = Qt::TopEdge, bottom = Qt::BottomEdge;
        const struct {
            const char* name;
            QPoint point;
            int edges;
        } rows[] = {
            {"inside", {300, 400}, 0},
            {"left edge", {0, 400}, left},
            {"left border's inner pixel, over the client", {7, 400}, left},
            {"just inside the left grab zone", {8, 400}, 0},
            {"right edge", {585, 400}, right},
            {"right grab zone's inner pixel", {578, 400}, right},
            {"just inside the right grab zone", {577, 400}, 0},
            {"top edge", {300, 0}, top},
            {"top grab zone's inner pixel, over the caption", {300, 7}, top},
            {"just inside the top grab zone", {300, 8}, 0},
            {"bottom edge", {300, 821}, bottom},
            {"bottom grab zone's inner pixel", {300, 814}, bottom},
            {"just inside the bottom grab zone", {300, 813}, 0},
            {"top-left corner", {0, 0}, left | top},
            {"top-right corner", {585, 0}, right | top},
            {"bottom-left corner", {0, 821}, left | bottom},
            {"bottom-right corner", {585, 821}, right | bottom},
            {"left side, last pixel of the top corner", {0, 19}, left | top},
            {"left side, past the top corner", {0, 20}, left},
            {"left side, first pixel of the bottom corner", {5, 802}, left | bottom},
            {"left side, above the bottom corner", {5, 801}, left},
            {"right side, in the top corner", {580, 12}, right | top},
            {"right side, in the bottom corner", {580, 810}, right | bottom},
            {"top side, last pixel of the left corner", {19, 1}, top | left},
            {"top side, past the left corner", {20, 1}, top},
            {"top side, first pixel of the right corner", {566, 6}, top | right},
            {"top side, before the right corner", {565, 6}, top},
            {"bottom side, in the left corner", {15, 818}, bottom | left},
            {"bottom side, in the right corner", {570, 818}, bottom | right},
            {"corner reach inside the grab zone: none", {19, 19}, 0},
            {"outside, left of the window", {-5, 400}, left},
            {"outside, below the window", {300, 900}, bottom},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.point << row.edges;
    }

    void edgesAt() {
        QFETCH(QPoint, point);
        QFETCH(int, edges);
        QCOMPARE(int(borderEdgesAt(window, grabWidth, point)), edges);
    }

    void cursor_data() {
        QTest::addColumn<int>("edges");
        QTest::addColumn<int>("shape");
        QTest::newRow("none") << 0 << int(Qt::ArrowCursor);
        QTest::newRow("left") << int(Qt::LeftEdge) << int(Qt::SizeHorCursor);
        QTest::newRow("right") << int(Qt::RightEdge) << int(Qt::SizeHorCursor);
        QTest::newRow("top") << int(Qt::TopEdge) << int(Qt::SizeVerCursor);
        QTest::newRow("bottom") << int(Qt::BottomEdge) << int(Qt::SizeVerCursor);
        QTest::newRow("top-left") << int(Qt::LeftEdge | Qt::TopEdge) << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-right")
            << int(Qt::RightEdge | Qt::BottomEdge) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right") << int(Qt::RightEdge | Qt::TopEdge) << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left")
            << int(Qt::LeftEdge | Qt::BottomEdge) << int(Qt::SizeBDiagCursor);
    }

    void cursor() {
        QFETCH(int, edges);
        QFETCH(int, shape);
        QCOMPARE(int(resizeCursorFor(Qt::Edges(edges))), shape);
    }

    // Where the window goes when we move or resize it ourselves: the grabbed
    // edges follow the pointer, the others stay, and the window stops at its
    // smallest size instead of turning inside out.
    void dragged_data() {
        QTest::addColumn<int>("edges");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QRect>("geometry");
        const int left = Qt::LeftEdge, right = Qt::RightEdge;
        const int top = Qt::TopEdge, bottom = Qt::BottomEdge;
        const struct {
            const char* name;
            int edges;
            QPoint delta;
            QRect geometry;
        } rows[] = {
            {"move", 0, {30, -20}, {130, 180, 586, 822}},
            {"move off the screen's top left", 0, {-500, -400}, {-400, -200, 586, 822}},
            {"right edge out", right, {50, 999}, {100, 200, 636, 822}},
            {"bottom edge in", bottom, {999, -100}, {100, 200, 586, 722}},
            {"left edge out: the right edge stays", left, {-40, 0}, {60, 200, 626, 822}},
            {"top edge in: the bottom edge stays", top, {0, 100}, {100, 300, 586, 722}},
            {"bottom-right corner", right | bottom, {-86, 78}, {100, 200, 500, 900}},
            {"top-left corner", left | top, {10, -10}, {110, 190, 576, 832}},
            {"right edge past the left one stops at the minimum",
             right,
             {-900, 0},
             {100, 200, 120, 822}},
            {"left edge past the right one stops at the minimum",
             left,
             {900, 0},
             {566, 200, 120, 822}},
            {"top edge past the bottom one stops at the minimum",
             top,
             {0, 2000},
             {100, 962, 586, 60}},
            {"top-right corner squeezed to the minimum",
             top | right,
             {-2000, 2000},
             {100, 962, 120, 60}},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.edges << row.delta << row.geometry;
    }

    void dragged() {
        QFETCH(int, edges);
        QFETCH(QPoint, delta);
        QFETCH(QRect, geometry);
        QCOMPARE(draggedGeometry({100, 200, 586, 822}, Qt::Edges(edges), delta, {120, 60}),
                 geometry);
    }
};

QTEST_APPLESS_MAIN(BorderEdgesTest)
#include "tst_border_edges.moc"
