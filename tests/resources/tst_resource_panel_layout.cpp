#include "ResourceProbe.h"

#include <QtTest>

#include <map>

// Probes the panel picture where the instrument's hit tests and compositor
// expect its parts: the black screen, the bezel buttons, the check boxes,
// the control placards and the clear travel of the knobs.
class ResourcePanelLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void screenIsPureBlackAndNoLarger();
    void bezelButtonsFillTheirRectangles_data();
    void bezelButtonsFillTheirRectangles();
    void checkBoxesTakeTheirMarksAndLabels_data();
    void checkBoxesTakeTheirMarksAndLabels();
    void placardsSitUnderTheKnobTravel();
    void placardsSitUnderTheKnobTravel_data() { knobTravels_data(); }
    void knobTravelIsOneFlatColourBesideTheShaft();
    void knobTravelIsOneFlatColourBesideTheShaft_data() { knobTravels_data(); }

private:
    QImage panel;

    static void knobTravels_data();

    // How far below a knob's reach its placard may lie, in panel pixels.
    static constexpr int placardDepth = 24;

    // Light lettering, as painted on the panel.
    bool isInk(int x, int y) const { return luma(panel.pixel(x, y)) > 170; }
};

void ResourcePanelLayoutTest::initTestCase() {
    panel = decodeBitmap(zentor::panelBitmap).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(panel.size(), QSize(750, 945));
}

void ResourcePanelLayoutTest::screenIsPureBlackAndNoLarger() {
    const QRect screen(50, 45, 630, 483);
    for (int y = screen.top(); y <= screen.bottom(); ++y)
        for (int x = screen.left(); x <= screen.right(); ++x)
            if (panel.pixel(x, y) != opaqueBlack)
                QFAIL(qPrintable(QStringLiteral("screen pixel %1,%2 is not black").arg(x).arg(y)));
    // The bezel's lip round it is dark but not the screen's black.
    int ring = 0, black = 0;
    const QRect around = screen.adjusted(-1, -1, 1, 1);
    for (int x = around.left(); x <= around.right(); ++x)
        for (int y : {around.top(), around.bottom()}) {
            ++ring;
            black += panel.pixel(x, y) == opaqueBlack;
        }
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x : {around.left(), around.right()}) {
            ++ring;
            black += panel.pixel(x, y) == opaqueBlack;
        }
    QVERIFY2(black < ring / 20, qPrintable(QStringLiteral("%1 of %2").arg(black).arg(ring)));
}

void ResourcePanelLayoutTest::bezelButtonsFillTheirRectangles_data() {
    QTest::addColumn<QRect>("button");
    // The leftmost is the cylinder button; the four are evenly spaced under
    // the screen's bottom-line captions.
    QTest::newRow("cylinder button") << QRect(QPoint(127, 580), QPoint(166, 623));
    QTest::newRow("second") << QRect(QPoint(191, 580), QPoint(230, 623));
    QTest::newRow("third") << QRect(QPoint(255, 580), QPoint(294, 623));
    QTest::newRow("fourth") << QRect(QPoint(319, 580), QPoint(358, 623));
}

void ResourcePanelLayoutTest::bezelButtonsFillTheirRectangles() {
    QFETCH(QRect, button);
    const int midY = button.center().y(), midX = button.center().x();
    const int bezel = luma(panel.pixel(button.left() - 8, midY));
    const auto differs = [&](int x, int y) { return qAbs(luma(panel.pixel(x, y)) - bezel) > 12; };
    const auto matches = [&](int x, int y) { return qAbs(luma(panel.pixel(x, y)) - bezel) <= 6; };
    // Just inside each edge the button shows; just outside, the bare bezel.
    QVERIFY(differs(button.left(), midY));
    QVERIFY(differs(button.right(), midY));
    QVERIFY(differs(midX, button.top()));
    QVERIFY(differs(midX, button.bottom()));
    QVERIFY(differs(midX, midY));
    QVERIFY(matches(button.left() - 3, midY));
    QVERIFY(matches(button.right() + 3, midY));
    QVERIFY(matches(midX, button.top() - 3));
}

void ResourcePanelLayoutTest::checkBoxesTakeTheirMarksAndLabels_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("mark");
    QTest::newRow("Demo Mode") << QRect(QPoint(524, 910), QPoint(646, 934)) << QPoint(527, 912);
    QTest::newRow("Mute") << QRect(QPoint(673, 908), QPoint(742, 935)) << QPoint(678, 912);
}

void ResourcePanelLayoutTest::checkBoxesTakeTheirMarksAndLabels() {
    QFETCH(QRect, area);
    QFETCH(QPoint, mark);
    // The 18 x 19 check mark lands on the box's light inside, framed dark.
    const QRect markRect(mark, QSize(18, 19));
    QVERIFY(area.contains(markRect));
    for (int y = markRect.top(); y <= markRect.bottom(); ++y)
        for (int x = markRect.left(); x <= markRect.right(); ++x)
            QVERIFY2(luma(panel.pixel(x, y)) > 140,
                     qPrintable(QStringLiteral("box inside dark at %1,%2").arg(x).arg(y)));
    QVERIFY(luma(panel.pixel(markRect.left() - 3, markRect.center().y())) < 60);
    QVERIFY(luma(panel.pixel(markRect.center().x(), markRect.bottom() + 3)) < 60);
    // The label to the right of the box, inside the clickable area...
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = markRect.right() + 6; x <= area.right(); ++x)
            ink += isInk(x, y);
    QVERIFY2(ink > 40, qPrintable(QString::number(ink)));
    // ...and none of it outside.
    const QRect margin = area.adjusted(-6, -6, 6, 6).intersected(panel.rect());
    for (int y = margin.top(); y <= margin.bottom(); ++y)
        for (int x = margin.left(); x <= margin.right(); ++x)
            if (!area.contains(x, y))
                QVERIFY2(!isInk(x, y), qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
}

void ResourcePanelLayoutTest::knobTravels_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<QSize>("knob");
    QTest::addColumn<int>("travelTop");
    QTest::addColumn<int>("travelBottom");
    QTest::newRow("throttle") << 139 << QSize(120, 130) << 718 << 805;
    QTest::newRow("propeller") << 318 << QSize(114, 120) << 700 << 753;
    QTest::newRow("mixture") << 488 << QSize(114, 120) << 700 << 753;
}

void ResourcePanelLayoutTest::placardsSitUnderTheKnobTravel() {
    QFETCH(int, left);
    QFETCH(QSize, knob);
    QFETCH(int, travelBottom);
    // Just below the lowest reach of the knob, under its width: the placard.
    const int below = travelBottom + knob.height();
    int ink = 0;
    double sumX = 0;
    for (int y = below; y < qMin(below + placardDepth, panel.height()); ++y)
        for (int x = left; x < left + knob.width(); ++x)
            if (isInk(x, y)) {
                ++ink;
                sumX += x;
            }
    QVERIFY2(ink > 30, qPrintable(QString::number(ink)));
    const double centre = left + knob.width() / 2.0;
    QVERIFY2(qAbs(sumX / ink - centre) < 6, qPrintable(QString::number(sumX / ink)));
}

void ResourcePanelLayoutTest::knobTravelIsOneFlatColourBesideTheShaft() {
    QFETCH(int, left);
    QFETCH(QSize, knob);
    QFETCH(int, travelTop);
    QFETCH(int, travelBottom);
    // Knob edges are blended against the panel behind them, so the whole
    // sweep, apart from the shaft and its shadow, must be that one colour.
    const int centre = left + knob.width() / 2;
    std::map<QRgb, int> colours;
    int total = 0;
    for (int y = travelTop; y < travelBottom + knob.height(); ++y)
        for (int x = left; x < left + knob.width(); ++x) {
            if (x >= centre - 24 && x <= centre + 30)
                continue;
            ++colours[panel.pixel(x, y)];
            ++total;
        }
    int most = 0;
    for (const auto& [colour, count] : colours)
        most = qMax(most, count);
    QVERIFY2(most == total, qPrintable(QStringLiteral("%1 of %2").arg(most).arg(total)));
}

QTEST_MAIN(ResourcePanelLayoutTest)
#include "tst_resource_panel_layout.moc"
