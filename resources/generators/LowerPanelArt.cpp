#include "engine/TableChecks.h"
#include "resources/generators/ArtStyle.h"
#include "resources/generators/KnobArt.h"
#include "resources/generators/PaintKit.h"
#include "resources/generators/PanelParts.h"

#include <QLinearGradient>

#include <array>

namespace zentor::art {

namespace {

// The lower panel: one matte plate across the full width under the bezel.
constexpr QRectF plateArea{5.0, 670.0, 740.0, 290.0}; // runs off the bottom edge
constexpr double plateRadius = 10.0;

struct Shaft {
    double centreX;  // the knob's left edge plus half its width
    double collarY;  // where the shaft leaves the panel, hidden when pushed in
    double bottomY;  // hidden behind the knob at both ends of its travel
    double diameter; // of the chromed shaft
};

// One push-pull shaft per knob, left to right: throttle, propeller, mixture.
// A knob pulled out uncovers its shaft between the collar and the knob.
constexpr auto shafts = std::to_array<Shaft>({
    {.centreX = 199.0, .collarY = 744.0, .bottomY = 826.0, .diameter = 16.0},
    {.centreX = 375.0, .collarY = 723.0, .bottomY = 790.0, .diameter = 14.0},
    {.centreX = 545.0, .collarY = 723.0, .bottomY = 790.0, .diameter = 14.0},
});
static_assert(shafts.size() == knobCount);
constexpr double collarWidth = 30.0;
constexpr double collarHeight = 11.0;

struct Placard {
    const char* text;
    double centreX;
    double baselineY; // below the lowest edge the knob ever reaches
};

// Control names under each knob's travel, same order as the shafts.
constexpr auto controlLabels = std::to_array<Placard>({
    {.text = "THROTTLE", .centreX = 199.0, .baselineY = 944.0},
    {.text = "PROP", .centreX = 375.0, .baselineY = 893.0},
    {.text = "MIXTURE", .centreX = 545.0, .baselineY = 893.0},
});
static_assert(controlLabels.size() == knobCount && noNullPointers(controlLabels, &Placard::text));
constexpr int controlLabelPixelSize = 11;
constexpr double controlLabelSpacing = 1.2;

struct CheckBox {
    QRectF box;       // frame, 24 x 24; the check mark lands two pixels inside
    const char* text; // painted to the right of the box
    double textLeft;
};

// The two check boxes at the bottom right, Demo Mode then Mute.
constexpr std::size_t checkBoxCount = 2;
constexpr auto checkBoxes = std::to_array<CheckBox>({
    {.box = {524.0, 910.0, 24.0, 24.0}, .text = "Demo Mode", .textLeft = 553.0},
    {.box = {675.0, 910.0, 24.0, 24.0}, .text = "Mute", .textLeft = 704.0},
});
static_assert(checkBoxes.size() == checkBoxCount && noNullPointers(checkBoxes, &CheckBox::text));
constexpr double checkBoxBaseline = 927.0;
constexpr int checkBoxPixelSize = 13;

constexpr double plateScrewRadius = 5.5;
constexpr std::size_t plateScrewCount = 2; // one at each end
constexpr auto plateScrews = std::to_array<Screw>({
    {.centre = {24.0, 690.0}, .angle = 52.0},
    {.centre = {726.0, 690.0}, .angle = 23.0},
});
static_assert(plateScrews.size() == plateScrewCount);

void paintCollar(QPainter& p, const Shaft& shaft) {
    const QRectF collar(shaft.centreX - collarWidth / 2, shaft.collarY - collarHeight / 2,
                        collarWidth, collarHeight);
    QPainterPath outline;
    outline.addRoundedRect(collar, 4.0, 4.0);
    paintSoftShadow(p, outline, 0.0, 2.0, 2, 170);
    QLinearGradient metal(0, collar.top(), 0, collar.bottom());
    metal.setColorAt(0.0, QColor(170, 172, 176));
    metal.setColorAt(0.35, QColor(112, 114, 118));
    metal.setColorAt(1.0, QColor(40, 41, 44));
    p.setPen(QPen(QColor(16, 16, 18), 1.0));
    p.setBrush(metal);
    p.drawRoundedRect(collar.adjusted(0.5, 0.5, -0.5, -0.5), 4.0, 4.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::NoBrush);
}

void paintShaftRod(QPainter& p, const Shaft& shaft) {
    const QRectF rod(shaft.centreX - shaft.diameter / 2, shaft.collarY, shaft.diameter,
                     shaft.bottomY - shaft.collarY);
    // Its shadow falls to the lower right on the plate.
    QPainterPath outline;
    outline.addRect(rod);
    paintSoftShadow(p, outline, 3.0, 0.0, 2, 150);
    // Chrome: bright streak left of centre, dark at the far side.
    QLinearGradient chrome(rod.left(), 0, rod.right(), 0);
    chrome.setColorAt(0.0, QColor(70, 72, 76));
    chrome.setColorAt(0.25, QColor(214, 216, 220));
    chrome.setColorAt(0.45, QColor(160, 162, 167));
    chrome.setColorAt(0.85, QColor(62, 64, 68));
    chrome.setColorAt(1.0, QColor(30, 31, 34));
    p.fillRect(rod, chrome);
}

} // namespace

void paintLowerPanel(QPainter& p) {
    paintSeamedPlate(p, plateArea, plateRadius, 1.0, lowerPanelColour);
    paintScrews(p, plateScrews, plateScrewRadius);
}

void paintShafts(QPainter& p) {
    for (const Shaft& shaft : shafts) {
        paintShaftRod(p, shaft);
        paintCollar(p, shaft);
    }
}

void paintControlLabels(QPainter& p) {
    const QFont font = letteringFont(controlLabelPixelSize, true, controlLabelSpacing);
    for (const Placard& label : controlLabels)
        paintCentredText(p, QString::fromLatin1(label.text), label.centreX, label.baselineY, font,
                         placardInk);
}

void paintCheckBoxes(QPainter& p) {
    const QFont font = letteringFont(checkBoxPixelSize, true);
    for (const CheckBox& check : checkBoxes) {
        const QRectF& box = check.box;
        // Sunk into the plate: lit lower-right edge, dark frame, light inside
        // with a shadow along its upper-left.
        p.fillRect(box.adjusted(1.0, 1.0, 1.0, 1.0), QColor(92, 94, 100));
        p.fillRect(box, QColor(12, 12, 14));
        p.fillRect(box.adjusted(1.0, 1.0, -1.0, -1.0), QColor(checkBoxInterior));
        p.fillRect(QRectF(box.left() + 1.0, box.top() + 1.0, box.width() - 2.0, 1.0),
                   QColor(150, 152, 150));
        p.fillRect(QRectF(box.left() + 1.0, box.top() + 1.0, 1.0, box.height() - 2.0),
                   QColor(150, 152, 150));
        paintLeftText(p, QString::fromLatin1(check.text), check.textLeft, checkBoxBaseline, font,
                      placardInk);
    }
}

} // namespace zentor::art
