// Text layout, font lookup and failure handling of the drawing layer.

#include "gfx/Bitmap.h"
#include "gfx/DrawingObjectCount.h"
#include "gfx/Font.h"
#include "gfx/Graphics.h"
#include "gfx/Pen.h"
#include "gfx/SolidBrush.h"
#include "gfx/StringFormat.h"
#include "tests/gfx/Probes.h"

#include <QTest>

#include <functional>

class TextTest : public QObject {
    Q_OBJECT
private slots:
    void textAlignsInItsLayoutRectangle_data();
    void textAlignsInItsLayoutRectangle();
    void textAtAPointHangsFromItAndIsNotClipped();
    void textHintDecidesSmoothing();
    void keptLayoutsDrawAsFreshOnes();
    void arialResolvesToItselfOrAMetricTwin_data();
    void arialResolvesToItselfOrAMetricTwin();
    void fontsKeepSizeAndStyle();
    void callsOnMissingOrFailedObjectsDrawNothing_data();
    void callsOnMissingOrFailedObjectsDrawNothing();
    void drawingObjectsCountedAndRefused();
};

static const gfx::FontFamily& arial() {
    static const gfx::FontFamily family(u"Arial");
    return family;
}

static QImage draw(const std::function<void(gfx::Graphics&)>& steps,
                   gfx::TextRenderingHint hint = gfx::TextRenderingHint::antiAlias) {
    gfx::Bitmap canvas(300, 120);
    {
        gfx::Graphics graphics(canvas);
        graphics.setTextRenderingHint(hint);
        steps(graphics);
    }
    return canvas.image();
}

void TextTest::textAlignsInItsLayoutRectangle_data() {
    QTest::addColumn<gfx::StringAlignment>("alignment");
    QTest::newRow("near") << gfx::StringAlignment::near;
    QTest::newRow("centre") << gfx::StringAlignment::center;
    QTest::newRow("far") << gfx::StringAlignment::far;
}

void TextTest::textAlignsInItsLayoutRectangle() {
    QFETCH(gfx::StringAlignment, alignment);
    const gfx::Font font(&arial(), 24, gfx::FontStyle::bold);
    const gfx::SolidBrush white(0xFFFFFFFF);
    const gfx::RectF box{40, 30, 200, 50};
    const QImage image = draw([&](gfx::Graphics& g) {
        gfx::StringFormat format;
        format.setAlignment(alignment);
        format.setLineAlignment(gfx::StringAlignment::center);
        g.drawString(u"8888", &font, box, &format, &white);
    });
    const QRect ink = probes::inkBounds(image, image.rect());
    const double margin = 24 / 6.0; // a sixth of an em at each end of the line
    switch (alignment) {
    case gfx::StringAlignment::near:
        QVERIFY(ink.left() >= box.x + margin && ink.left() <= box.x + margin + 3);
        break;
    case gfx::StringAlignment::center:
        QVERIFY(std::abs((ink.left() + ink.right()) / 2.0 - (box.x + box.width / 2)) <= 1.5);
        break;
    case gfx::StringAlignment::far:
        QVERIFY(ink.right() <= box.x + box.width - margin &&
                ink.right() >= box.x + box.width - margin - 3);
        break;
    }
    QVERIFY(std::abs((ink.top() + ink.bottom()) / 2.0 - (box.y + box.height / 2)) <= 2.0);
}

void TextTest::textAtAPointHangsFromItAndIsNotClipped() {
    const gfx::Font font(&arial(), 24, gfx::FontStyle::bold);
    const gfx::SolidBrush white(0xFFFFFFFF);
    const QImage atPoint = draw([&](gfx::Graphics& g) {
        g.drawString(u"EEEEEE", &font, {40, 30, 0, 0}, nullptr, &white);
    });
    const QRect ink = probes::inkBounds(atPoint, atPoint.rect());
    QVERIFY(ink.left() >= 40 && ink.left() <= 40 + 4 + 3);
    QVERIFY(ink.top() >= 30 && ink.top() <= 30 + 8);
    QVERIFY(ink.right() > 40 + 60);
    // The same text in a narrow rectangle is cut at the rectangle's edge.
    const QImage inBox = draw([&](gfx::Graphics& g) {
        g.drawString(u"EEEEEE", &font, {40, 30, 30, 30}, nullptr, &white);
    });
    QVERIFY(probes::inkBounds(inBox, inBox.rect()).right() <= 70);
}

void TextTest::textHintDecidesSmoothing() {
    const gfx::Font font(&arial(), 24, gfx::FontStyle::italic);
    const gfx::SolidBrush white(0xFFFFFFFF);
    const auto partial = [&](gfx::TextRenderingHint hint) {
        const QImage image = draw(
            [&](gfx::Graphics& g) {
                g.drawString(u"RPM", &font, {10, 10, 0, 0}, nullptr, &white);
            },
            hint);
        return probes::count(image, image.rect(), [](QRgb p) {
            return probes::brightest(p) > 10 && probes::brightest(p) < 245;
        });
    };
    QCOMPARE(partial(gfx::TextRenderingHint::systemDefault), 0);
    QVERIFY(partial(gfx::TextRenderingHint::antiAlias) > 20);
}

// Lines are laid out once and kept per font and text: a kept line draws as
// it first drew, however many lines came between, and no other font, hint or
// text draws from it.
void TextTest::keptLayoutsDrawAsFreshOnes() {
    const gfx::Font italic(&arial(), 17, gfx::FontStyle::italic);
    const gfx::Font bold(&arial(), 17, gfx::FontStyle::bold);
    const gfx::SolidBrush white(0xFFFFFFFF);
    const auto drawn = [&](std::u16string_view text, const gfx::Font& font,
                           gfx::TextRenderingHint hint = gfx::TextRenderingHint::antiAlias) {
        return draw(
            [&](gfx::Graphics& g) {
                g.drawString(text, &font, {10, 10, 280, 40}, nullptr, &white);
            },
            hint);
    };
    const QImage first = drawn(u"1234.5", italic);
    QCOMPARE(drawn(u"1234.5", italic), first);
    for (int i = 0; i < 1500; ++i) // more lines than one font keeps
        drawn(QString::number(i).toStdU16String(), italic);
    QCOMPARE(drawn(u"1234.5", italic), first);
    QVERIFY(drawn(u"1234.5", bold) != first);
    QVERIFY(drawn(u"1234.5", italic, gfx::TextRenderingHint::systemDefault) != first);
    QVERIFY(drawn(u"1234.6", italic) != first);
}

void TextTest::arialResolvesToItselfOrAMetricTwin_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("found");
    QTest::newRow("Arial") << "Arial" << true;
    QTest::newRow("Liberation Sans") << "Liberation Sans" << true;
    QTest::newRow("a family nobody has") << "Qzxv Nonesuch Grotesk" << false;
}

void TextTest::arialResolvesToItselfOrAMetricTwin() {
    QFETCH(QString, family);
    QFETCH(bool, found);
    const gfx::FontFamily lookedUp(family.toStdU16String());
    QCOMPARE(lookedUp.valid(), found);
    QCOMPARE(lookedUp.lastStatus(), found ? gfx::Status::ok : gfx::Status::fontFamilyNotFound);
    if (family == "Arial")
        QVERIFY(QStringList({"Arial", "Liberation Sans", "Arimo"})
                    .contains(QString::fromStdU16String(lookedUp.name())));
    QVERIFY(gfx::FontFamily::genericSansSerif().valid());
}

void TextTest::fontsKeepSizeAndStyle() {
    const gfx::Font italic(&arial(), 17, gfx::FontStyle::italic);
    QCOMPARE(italic.size(), 17.0f);
    QCOMPARE(italic.style(), gfx::FontStyle::italic);
    const gfx::Font none(&arial(), 0, gfx::FontStyle::bold);
    QVERIFY(!none.valid());
    QCOMPARE(none.lastStatus(), gfx::Status::invalidParameter);
    const gfx::FontFamily missing;
    QVERIFY(!gfx::Font(&missing, 14, gfx::FontStyle::bold).valid());
}

void TextTest::callsOnMissingOrFailedObjectsDrawNothing_data() {
    QTest::addColumn<int>("call");
    QTest::newRow("line with no pen") << 0;
    QTest::newRow("line with a failed pen") << 1;
    QTest::newRow("fill with no brush") << 2;
    QTest::newRow("text with no font") << 3;
    QTest::newRow("text with a failed font") << 4;
    QTest::newRow("fill at a coordinate that is not a number") << 5;
    QTest::newRow("bitmap that holds no picture") << 6;
}

void TextTest::callsOnMissingOrFailedObjectsDrawNothing() {
    QFETCH(int, call);
    const gfx::SolidBrush white(0xFFFFFFFF);
    const gfx::Pen failedPen(0xFFFFFFFF, -1);
    const gfx::Font failedFont(&arial(), -3, gfx::FontStyle::bold);
    const gfx::Font font(&arial(), 14, gfx::FontStyle::bold);
    const gfx::Bitmap empty;
    gfx::Status status = gfx::Status::ok;
    const QImage image = draw([&](gfx::Graphics& g) {
        g.rotateTransform(float(qQNaN())); // ignored, so the frame stays usable
        switch (call) {
        case 0:
            g.drawLine(nullptr, 0, 10, 100, 10);
            break;
        case 1:
            g.drawLine(&failedPen, 0, 10, 100, 10);
            break;
        case 2:
            g.fillRectangle(nullptr, gfx::Rect{0, 0, 50, 50});
            break;
        case 3:
            g.drawString(u"X", nullptr, {10, 10, 0, 0}, nullptr, &white);
            break;
        case 4:
            g.drawString(u"X", &failedFont, {10, 10, 0, 0}, nullptr, &white);
            break;
        case 5:
            g.fillRectangle(&white, gfx::RectF{0, float(qQNaN()), 50, 50});
            break;
        case 6:
            g.drawImage(&empty, 0, 0);
            break;
        }
        status = g.lastStatus();
        g.drawString(u"X", &font, {100, 50, 0, 0}, nullptr, &white); // still draws
    });
    QCOMPARE(status, gfx::Status::invalidParameter);
    QVERIFY(probes::count(image, {0, 0, 90, 120}, probes::isInk) == 0);
    QVERIFY(probes::count(image, {100, 50, 30, 30}, probes::isInk) > 0);
    gfx::Graphics absent;
    absent.drawLine(nullptr, 0, 0, 1, 1);
    QCOMPARE(absent.lastStatus(), gfx::Status::invalidParameter);
}

void TextTest::drawingObjectsCountedAndRefused() {
    const int before = gfx::drawingObjects::liveObjects(gfx::ObjectKind::pen);
    gfx::drawingObjects::refuseMaking(gfx::ObjectKind::pen, 1); // the second pen from now
    {
        gfx::Pen first(0xFFFF0000), second(0xFFFF0000), third(0xFFFF0000);
        QVERIFY(first.valid() && !second.valid() && third.valid());
        QCOMPARE(second.lastStatus(), gfx::Status::outOfMemory);
        second.setWidth(4);
        QCOMPARE(second.width(), 0.0f);
        QCOMPARE(gfx::drawingObjects::liveObjects(gfx::ObjectKind::pen), before + 2);
    }
    QCOMPARE(gfx::drawingObjects::liveObjects(gfx::ObjectKind::pen), before);
}

QTEST_MAIN(TextTest)
#include "tst_gfx_text.moc"
