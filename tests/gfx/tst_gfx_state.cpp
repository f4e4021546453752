// Transforms, clips and nested drawing states of the drawing layer, checked
// by where a small white square lands on a black canvas.

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "gfx/SolidBrush.h"
#include "tests/gfx/Probes.h"

#include <QTest>

#include <vector>

using Points = QList<QPoint>;

class StateTest : public QObject {
    Q_OBJECT
private slots:
    void transformsAndContainers_data();
    void transformsAndContainers();
    void containerStartsWithDefaultSettings();
    void endingAnUnknownContainerFails();
};

// Runs a script of "t dx dy", "r degrees", "reset", "begin", "end",
// "endOuter", "clip x y w h", "fill x y w h" (white) separated by ';'.
static QImage runScript(const QString& script) {
    gfx::Bitmap canvas(200, 200);
    {
        gfx::Graphics graphics(canvas);
        const gfx::SolidBrush white(0xFFFFFFFF);
        std::vector<gfx::GraphicsContainer> containers;
        for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
            const QStringList word = step.split(' ', Qt::SkipEmptyParts);
            const auto n = [&word](int i) { return word.value(i).toFloat(); };
            const QString op = word.value(0);
            if (op == "t")
                graphics.translateTransform(n(1), n(2));
            else if (op == "r")
                graphics.rotateTransform(n(1));
            else if (op == "reset")
                graphics.resetTransform();
            else if (op == "begin")
                containers.push_back(graphics.beginContainer());
            else if (op == "end")
                graphics.endContainer(containers.back());
            else if (op == "endOuter")
                graphics.endContainer(containers.front());
            else if (op == "clip")
                graphics.setClip({int(n(1)), int(n(2)), int(n(3)), int(n(4))});
            else if (op == "fill")
                graphics.fillRectangle(&white, gfx::RectF{n(1), n(2), n(3), n(4)});
            else
                qFatal("unknown script step %s", qPrintable(step));
        }
        if (graphics.lastStatus() != gfx::Status::ok)
            qFatal("script failed: %s", qPrintable(script));
    }
    return canvas.image();
}

void StateTest::transformsAndContainers_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<Points>("white");
    QTest::addColumn<Points>("black");
    // A 2 x 2 square centred on the local origin marks where the frame ended up.
    QTest::newRow("rotation acts in the translated frame")
        << "t 100 50; r 90; fill 9 -1 2 2" << Points{{100, 60}} << Points{{110, 50}};
    QTest::newRow("translation after a rotation follows the turned axis")
        << "t 50 50; r 90; t 10 0; fill -1 -1 2 2" << Points{{50, 60}} << Points{{60, 50}};
    QTest::newRow("half turn about the moved origin")
        << "t 60 60; r 180; fill 9 4 2 2" << Points{{50, 55}} << Points{{70, 65}};
    QTest::newRow("reset outside containers returns to the target's corner")
        << "t 50 40; reset; fill 9 9 2 2" << Points{{10, 10}} << Points{{60, 50}};
    QTest::newRow("a container starts in the frame in force")
        << "t 50 40; begin; fill -1 -1 2 2" << Points{{50, 40}} << Points{{1, 1}};
    QTest::newRow("reset inside a container returns to its start")
        << "t 50 40; begin; t 30 30; reset; fill -1 -1 2 2" << Points{{50, 40}}
        << Points{{80, 70}, {1, 1}};
    QTest::newRow("rotation inside a container is dropped by a reset")
        << "t 100 100; begin; r 45; reset; fill 9 -1 2 2" << Points{{110, 100}}
        << Points{{107, 107}};
    QTest::newRow("ending a container restores the transform")
        << "t 50 40; begin; t 30 30; end; fill -1 -1 2 2" << Points{{50, 40}} << Points{{80, 70}};
    QTest::newRow("ending the outer container ends the inner one too")
        << "t 10 10; begin; t 20 20; begin; t 30 30; endOuter; fill -1 -1 2 2" << Points{{10, 10}}
        << Points{{30, 30}, {60, 60}};
    QTest::newRow("the enclosing clip still applies inside")
        << "clip 0 0 60 60; begin; clip 0 0 200 200; fill 0 0 100 100" << Points{{30, 30}}
        << Points{{80, 80}, {30, 80}};
    QTest::newRow("a clip set inside ends with its container")
        << "begin; clip 0 0 10 10; end; fill 0 0 100 100" << Points{{50, 50}} << Points{};
    QTest::newRow("a clip is placed by the frame it was set in")
        << "t 20 20; clip 0 0 10 10; reset; fill 0 0 100 100" << Points{{25, 25}}
        << Points{{15, 15}, {35, 35}};
}

void StateTest::transformsAndContainers() {
    QFETCH(QString, script);
    QFETCH(Points, white);
    QFETCH(Points, black);
    const QImage image = runScript(script);
    for (const QPoint& point : white)
        QVERIFY2(probes::isWhite(image.pixel(point)),
                 qPrintable(QString("(%1, %2) not drawn").arg(point.x()).arg(point.y())));
    for (const QPoint& point : black)
        QVERIFY2(probes::isBlack(image.pixel(point)),
                 qPrintable(QString("(%1, %2) drawn").arg(point.x()).arg(point.y())));
}

// Pixels that are neither background nor full colour: the sign of smoothing.
static int partialPixels(const QImage& image, QRect region) {
    return probes::count(image, region, [](QRgb p) {
        return probes::brightest(p) > 10 && probes::brightest(p) < 245;
    });
}

void StateTest::containerStartsWithDefaultSettings() {
    gfx::Bitmap canvas(120, 60);
    const gfx::SolidBrush white(0xFFFFFFFF);
    {
        gfx::Graphics graphics(canvas);
        graphics.setSmoothingMode(gfx::SmoothingMode::antiAlias);
        graphics.setTextRenderingHint(gfx::TextRenderingHint::antiAlias);
        const gfx::GraphicsContainer container = graphics.beginContainer();
        QCOMPARE(graphics.smoothingMode(), gfx::SmoothingMode::defaultMode);
        QCOMPARE(graphics.textRenderingHint(), gfx::TextRenderingHint::systemDefault);
        graphics.rotateTransform(30);
        graphics.fillRectangle(&white, gfx::RectF{20, 0, 20, 20});
        graphics.endContainer(container);
        QCOMPARE(graphics.smoothingMode(), gfx::SmoothingMode::antiAlias);
        QCOMPARE(graphics.textRenderingHint(), gfx::TextRenderingHint::antiAlias);
        graphics.translateTransform(60, 0);
        graphics.rotateTransform(30);
        graphics.fillRectangle(&white, gfx::RectF{20, 0, 20, 20});
    }
    QCOMPARE(partialPixels(canvas.image(), {0, 0, 60, 60}), 0);
    QVERIFY(partialPixels(canvas.image(), {60, 0, 60, 60}) > 10);
}

void StateTest::endingAnUnknownContainerFails() {
    gfx::Bitmap canvas(10, 10);
    gfx::Graphics graphics(canvas);
    graphics.translateTransform(5, 5);
    graphics.endContainer(gfx::GraphicsContainer{});
    QCOMPARE(graphics.lastStatus(), gfx::Status::wrongState);
    QCOMPARE(graphics.transformPoint({0, 0}).x, 5.0f);
}

QTEST_MAIN(StateTest)
#include "tst_gfx_state.moc"
