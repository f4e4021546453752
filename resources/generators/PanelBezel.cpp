#include "resources/generators/ArtStyle.h"
#include "resources/generators/PaintKit.h"
#include "resources/generators/PanelParts.h"

#include <QLinearGradient>

#include <array>

namespace zentor::art {

namespace {

// The instrument panel the monitor is mounted in.
constexpr QRgb panelTop = qRgb(66, 68, 72);
constexpr QRgb panelBottom = qRgb(56, 58, 62);

// The monitor's satin black bezel: outline, corner radius and rim width.
constexpr QRectF bezelOutline{8.0, 6.0, 734.0, 652.0};
constexpr double bezelRadius = 30.0;
constexpr double bezelRim = 3.5;

// The screen is a black window of 630 x 483 pixels at (50, 45), sunk into
// the bezel behind a sloped lip.
constexpr QRect screenArea{50, 45, 630, 483};
constexpr double recessLip = 7.0;
constexpr double recessRadius = 9.0;

// The four push buttons under the screen, evenly spaced, each under its
// caption on the screen's bottom line ("Step", "LF", "GMT", "EGT/FF"); the
// leftmost steps through the cylinders.
constexpr double buttonRadius = 7.0;
constexpr std::size_t buttonCount = 4;
constexpr auto buttons = std::to_array<QRectF>({
    {127.0, 580.0, 40.0, 44.0},
    {191.0, 580.0, 40.0, 44.0},
    {255.0, 580.0, 40.0, 44.0},
    {319.0, 580.0, 40.0, 44.0},
});
static_assert(buttons.size() == buttonCount);

// Mounting screws in the bezel's corners.
constexpr double bezelScrewRadius = 6.0;
constexpr std::size_t bezelScrewCount = 4; // one in each corner
constexpr auto bezelScrews = std::to_array<Screw>({
    {.centre = {27.0, 25.0}, .angle = 17.0},
    {.centre = {723.0, 25.0}, .angle = 71.0},
    {.centre = {27.0, 639.0}, .angle = 38.0},
    {.centre = {723.0, 639.0}, .angle = 4.0},
});
static_assert(bezelScrews.size() == bezelScrewCount);

// The maker's name on the bezel, right of the buttons.
constexpr const char* brandName = "ZENTOR";
constexpr QPointF brandBaseline{674.0, 607.0}; // centre x, baseline y
constexpr int brandPixelSize = 15;
constexpr double brandSpacing = 2.5;
constexpr QRgb brandInk = qRgb(150, 152, 158);

QPainterPath bezelPath(double inset) {
    QPainterPath path;
    path.addRoundedRect(bezelOutline.adjusted(inset, inset, -inset, -inset), bezelRadius - inset,
                        bezelRadius - inset);
    return path;
}

} // namespace

void paintPanelBackground(QPainter& p) {
    QLinearGradient shade(0, 0, 0, 945);
    shade.setColorAt(0.0, QColor(panelTop));
    shade.setColorAt(1.0, QColor(panelBottom));
    p.fillRect(QRect(0, 0, 750, 945), shade);
}

void paintBezel(QPainter& p) {
    paintSoftShadow(p, bezelPath(0.0), 0.0, 5.0, 5, 190);
    // Rim: lit along the top, in shadow along the bottom.
    QLinearGradient rim(0, bezelOutline.top(), 0, bezelOutline.bottom());
    rim.setColorAt(0.0, QColor(104, 106, 112));
    rim.setColorAt(0.08, QColor(60, 62, 66));
    rim.setColorAt(0.9, QColor(26, 27, 29));
    rim.setColorAt(1.0, QColor(10, 10, 11));
    p.fillPath(bezelPath(0.0), rim);
    // Satin face, a little lighter towards the top.
    QLinearGradient face(0, bezelOutline.top(), 0, bezelOutline.bottom());
    face.setColorAt(0.0, QColor(44, 45, 49));
    face.setColorAt(1.0, QColor(28, 29, 31));
    p.fillPath(bezelPath(bezelRim), face);
}

void paintScreenRecess(QPainter& p) {
    const QRectF opening =
        QRectF(screenArea).adjusted(-recessLip, -recessLip, recessLip, recessLip);
    QPainterPath lip;
    lip.addRoundedRect(opening, recessRadius, recessRadius);
    // A thin lit edge where the face turns into the opening.
    QPainterPath edge;
    edge.addRoundedRect(opening.adjusted(-1.5, -1.5, 1.5, 1.5), recessRadius + 1.5,
                        recessRadius + 1.5);
    QLinearGradient edgeShade(0, opening.top(), 0, opening.bottom());
    edgeShade.setColorAt(0.0, QColor(14, 14, 15));
    edgeShade.setColorAt(1.0, QColor(92, 94, 100));
    p.fillPath(edge, edgeShade);
    // The lip slopes down to the glass: its upper wall in shadow, the lower lit.
    QLinearGradient wall(0, opening.top(), 0, opening.bottom());
    wall.setColorAt(0.0, QColor(6, 6, 7));
    wall.setColorAt(0.5, QColor(20, 21, 23));
    wall.setColorAt(1.0, QColor(54, 56, 60));
    p.fillPath(lip, wall);
}

void paintBezelButtons(QPainter& p) {
    for (const QRectF& button : buttons) {
        QPainterPath body;
        body.addRoundedRect(button, buttonRadius, buttonRadius);
        paintSoftShadow(p, body, 0.0, 2.0, 2, 200);
        p.fillPath(body, QColor(8, 8, 9)); // dark edge on the rectangle's border
        QPainterPath cap;
        cap.addRoundedRect(button.adjusted(1.0, 1.0, -1.0, -1.0), buttonRadius - 1.0,
                           buttonRadius - 1.0);
        QLinearGradient convex(0, button.top(), 0, button.bottom());
        convex.setColorAt(0.0, QColor(118, 120, 126));
        convex.setColorAt(0.15, QColor(84, 86, 92));
        convex.setColorAt(0.85, QColor(50, 52, 56));
        convex.setColorAt(1.0, QColor(34, 35, 38));
        p.fillPath(cap, convex);
        // A slightly dished centre catches the light from below.
        QPainterPath dish;
        dish.addRoundedRect(button.adjusted(6.0, 7.0, -6.0, -7.0), 4.0, 4.0);
        QLinearGradient dished(0, button.top() + 7.0, 0, button.bottom() - 7.0);
        dished.setColorAt(0.0, QColor(58, 60, 64));
        dished.setColorAt(1.0, QColor(80, 82, 88));
        p.fillPath(dish, dished);
    }
}

void paintBezelLettering(QPainter& p) {
    paintCentredText(p, QString::fromLatin1(brandName), brandBaseline.x(), brandBaseline.y(),
                     letteringFont(brandPixelSize, true, brandSpacing), brandInk);
}

void paintBezelScrews(QPainter& p) {
    paintScrews(p, bezelScrews, bezelScrewRadius);
}

void paintScreen(QPainter& p) {
    // Every pixel of the screen window black: the monitor draws on it.
    p.fillRect(screenArea, QColor(0, 0, 0));
}

} // namespace zentor::art
