// Scoped drawing state: whatever a guard changes (pen width, dashes, a nested
// state, the frame) is back as it was when its scope ends, nested or not.

#include "gfx/Bitmap.h"
#include "gfx/DrawingScopes.h"
#include "gfx/Graphics.h"
#include "gfx/Pen.h"

#include <QPointF>
#include <QTest>

namespace {

// The state the guards touch, as far as it reads back.
struct Observed {
    float width = 0;
    bool dashed = false;
    QPointF origin; // where the local origin lands
    QPointF xAxis;  // where (10, 0) lands: shows a turn
    bool smoothed = false;

    bool operator==(const Observed& other) const {
        return width == other.width && dashed == other.dashed && origin == other.origin &&
               xAxis == other.xAxis && smoothed == other.smoothed;
    }
};

char* toString(const Observed& state) {
    const QString text = QString("pen %1 %2, origin (%3, %4), x axis to (%5, %6), %7")
                             .arg(state.width)
                             .arg(state.dashed ? "dashed" : "solid")
                             .arg(state.origin.x())
                             .arg(state.origin.y())
                             .arg(state.xAxis.x())
                             .arg(state.xAxis.y())
                             .arg(state.smoothed ? "smoothed" : "not smoothed");
    return qstrdup(qPrintable(text));
}

QPointF landing(const gfx::Graphics& graphics, gfx::PointF local) {
    const gfx::PointF point = graphics.transformPoint(local);
    return {point.x, point.y};
}

Observed observe(const gfx::Graphics& graphics, const gfx::Pen& pen) {
    return {pen.width(), pen.dashed(), landing(graphics, {0, 0}), landing(graphics, {10, 0}),
            graphics.smoothingMode() == gfx::SmoothingMode::antiAlias};
}

constexpr float dash[] = {3, 3};

// Opens the first step's guard, runs the rest inside it and checks that
// closing it brings back the state from before it opened. "smooth" and
// "t dx dy" change the state without a guard. The innermost state lands in
// `innermost`.
void nest(gfx::Graphics& graphics, gfx::Pen& pen, QStringList steps, Observed& innermost) {
    if (steps.isEmpty()) {
        innermost = observe(graphics, pen);
        return;
    }
    const QStringList word = steps.takeFirst().split(' ', Qt::SkipEmptyParts);
    const auto n = [&word](int i) { return word.value(i).toFloat(); };
    const QString op = word.value(0);
    const Observed before = observe(graphics, pen);
    if (op == "wide") {
        const gfx::WidenedPen guard(pen, n(1));
        nest(graphics, pen, steps, innermost);
    } else if (op == "dash") {
        const gfx::DashedPen guard(pen, dash);
        nest(graphics, pen, steps, innermost);
    } else if (op == "container") {
        const gfx::ContainerScope guard(graphics);
        nest(graphics, pen, steps, innermost);
    } else if (op == "move") {
        const gfx::TranslatedFrame guard(graphics, {n(1), n(2)});
        nest(graphics, pen, steps, innermost);
    } else if (op == "turn") {
        const gfx::RotatedFrame guard(graphics, n(1));
        nest(graphics, pen, steps, innermost);
    } else if (op == "smooth") {
        graphics.setSmoothingMode(gfx::SmoothingMode::antiAlias);
        return nest(graphics, pen, steps, innermost);
    } else if (op == "t") {
        graphics.translateTransform(n(1), n(2));
        return nest(graphics, pen, steps, innermost);
    } else {
        qFatal("unknown step %s", qPrintable(word.join(' ')));
    }
    QCOMPARE(observe(graphics, pen), before);
}

} // namespace

Q_DECLARE_METATYPE(Observed)

class ScopesTest : public QObject {
    Q_OBJECT
private slots:
    void everyScopePutsBackWhatItChanged_data();
    void everyScopePutsBackWhatItChanged();
    void restoringAFrameNeverSavedFails();
};

void ScopesTest::everyScopePutsBackWhatItChanged_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<Observed>("inside");
    const auto state = [](float width, bool dashed, QPointF origin, QPointF xAxis, bool smoothed) {
        return Observed{width, dashed, origin, xAxis, smoothed};
    };
    QTest::newRow("a widened pen") << "wide 4" << state(4, false, {0, 0}, {10, 0}, false);
    QTest::newRow("widened twice, the inner width wins")
        << "wide 4; wide 9" << state(9, false, {0, 0}, {10, 0}, false);
    QTest::newRow("a dashed pen") << "dash" << state(1, true, {0, 0}, {10, 0}, false);
    QTest::newRow("dashed inside widened")
        << "wide 3; dash" << state(3, true, {0, 0}, {10, 0}, false);
    QTest::newRow("widened inside dashed")
        << "dash; wide 3" << state(3, true, {0, 0}, {10, 0}, false);
    QTest::newRow("a moved frame") << "move 10 20" << state(1, false, {10, 20}, {20, 20}, false);
    QTest::newRow("a turned frame inside a moved one")
        << "move 10 20; turn 90" << state(1, false, {10, 20}, {10, 30}, false);
    QTest::newRow("moved twice") << "move 10 20; move 5 5"
                                 << state(1, false, {15, 25}, {25, 25}, false);
    QTest::newRow("a container with its own moves and smoothing")
        << "move 10 20; container; smooth; t 5 5" << state(1, false, {15, 25}, {25, 25}, true);
    QTest::newRow("a container inside a container starts unsmoothed")
        << "container; smooth; t 5 5; container; t 5 5"
        << state(1, false, {10, 10}, {20, 10}, false);
    QTest::newRow("frames inside a container inside a frame")
        << "move 50 50; container; smooth; turn 90; move 10 0"
        << state(1, false, {50, 60}, {50, 70}, true);
    QTest::newRow("pens, frames and containers mixed")
        << "wide 2; move 5 5; dash; container; wide 7; turn 180"
        << state(7, true, {5, 5}, {-5, 5}, false);
}

void ScopesTest::everyScopePutsBackWhatItChanged() {
    QFETCH(QString, script);
    QFETCH(Observed, inside);
    gfx::Bitmap canvas(100, 100);
    gfx::Graphics graphics(canvas);
    gfx::Pen pen(0xFFFFFFFF);
    const Observed start = observe(graphics, pen);
    QCOMPARE(start, (Observed{1, false, {0, 0}, {10, 0}, false}));

    Observed innermost;
    nest(graphics, pen, script.split(';', Qt::SkipEmptyParts), innermost);
    QCOMPARE(innermost, inside);
    QCOMPARE(observe(graphics, pen), start);
    QCOMPARE(graphics.lastStatus(), gfx::Status::ok);
    QCOMPARE(pen.lastStatus(), gfx::Status::ok);
}

void ScopesTest::restoringAFrameNeverSavedFails() {
    gfx::Bitmap canvas(10, 10);
    gfx::Graphics graphics(canvas);
    graphics.translateTransform(5, 5);
    graphics.restoreTransform();
    QCOMPARE(graphics.lastStatus(), gfx::Status::wrongState);
    QCOMPARE(graphics.transformPoint({0, 0}).x, 5.0f);
}

QTEST_MAIN(ScopesTest)
#include "tst_gfx_scopes.moc"
