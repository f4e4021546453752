#include "app/BorderEdges.h"

#include <QTest>

namespace {

constexpr QSize window{586, 822};
constexpr int border = 4;

} // namespace

// The sizing border of a 586 x 822 window, 4 pixels wide, whose corners
// reach 4 pixels further along each side.
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
            {"left border's inner pixel", {3, 400}, left},
            {"just inside the left border", {4, 400}, 0},
            {"right edge", {585, 400}, right},
            {"right border's inner pixel", {582, 400}, right},
            {"just inside the right border", {581, 400}, 0},
            {"top edge", {300, 0}, top},
            {"top border's inner pixel", {300, 3}, top},
            {"just inside the top border", {300, 4}, 0},
            {"bottom edge", {300, 821}, bottom},
            {"bottom border's inner pixel", {300, 818}, bottom},
            {"just inside the bottom border", {300, 817}, 0},
            {"top-left corner", {0, 0}, left | top},
            {"top-right corner", {585, 0}, right | top},
            {"bottom-left corner", {0, 821}, left | bottom},
            {"bottom-right corner", {585, 821}, right | bottom},
            {"left side, last pixel of the top corner", {0, 7}, left | top},
            {"left side, past the top corner", {0, 8}, left},
            {"left side, first pixel of the bottom corner", {2, 814}, left | bottom},
            {"left side, above the bottom corner", {2, 813}, left},
            {"right side, in the top corner", {584, 6}, right | top},
            {"right side, in the bottom corner", {584, 815}, right | bottom},
            {"top side, last pixel of the left corner", {7, 1}, top | left},
            {"top side, past the left corner", {8, 1}, top},
            {"top side, first pixel of the right corner", {578, 2}, top | right},
            {"top side, before the right corner", {577, 2}, top},
            {"bottom side, in the left corner", {5, 820}, bottom | left},
            {"bottom side, in the right corner", {580, 820}, bottom | right},
            {"corner reach inside the border: none", {7, 7}, 0},
            {"outside, left of the window", {-5, 400}, left},
            {"outside, below the window", {300, 900}, bottom},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.point << row.edges;
    }

    void edgesAt() {
        QFETCH(QPoint, point);
        QFETCH(int, edges);
        QCOMPARE(int(borderEdgesAt(window, border, point)), edges);
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
};

QTEST_APPLESS_MAIN(BorderEdgesTest)
#include "tst_border_edges.moc"
