#include "resources/generators/IconArt.h"

#include "resources/generators/ArtStyle.h"
#include "resources/generators/KnobArt.h"
#include "resources/generators/PaintKit.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace zentor::art {

namespace {

// The plate: a rounded square of the lower panel with room round it for its
// shadow, as desktop icons leave.
constexpr QRectF plateArea{14.0, 12.0, 228.0, 228.0};
constexpr double plateRadius = 34.0;
constexpr double plateShadowDrop = 4.0;
constexpr int plateShadowBlur = 4;
constexpr int plateShadowAlpha = 150;

constexpr double screwRadius = 7.0;
constexpr std::size_t plateScrewCount = 4; // one in each corner
constexpr auto plateScrews = std::to_array<Screw>({
    {.centre = {38.0, 36.0}, .angle = 52.0},
    {.centre = {218.0, 36.0}, .angle = 23.0},
    {.centre = {38.0, 216.0}, .angle = 71.0},
    {.centre = {218.0, 216.0}, .angle = 8.0},
});
static_assert(plateScrews.size() == plateScrewCount);

struct KnobPlace {
    Knob knob;
    QPointF centre; // of the knob's artwork with its shadow, in icon pixels
};

// Propeller and mixture side by side above the throttle, each drawn at
// `knobScale` of its panel size so the three fill the plate without touching.
constexpr double knobScale = 0.82;
constexpr auto knobPlaces = std::to_array<KnobPlace>({
    {.knob = Knob::propeller, .centre = {80.0, 88.0}},
    {.knob = Knob::mixture, .centre = {176.0, 88.0}},
    {.knob = Knob::throttle, .centre = {128.0, 168.0}},
});
static_assert(knobPlaces.size() == knobCount);

void paintPlate(QPainter& p) {
    QPainterPath plate;
    plate.addRoundedRect(plateArea, plateRadius, plateRadius);
    paintSoftShadow(p, plate, 0.0, plateShadowDrop, plateShadowBlur, plateShadowAlpha);
    // Seamed and lit on its upper edge, as on the panel.
    paintSeamedPlate(p, plateArea, plateRadius, 1.5, lowerPanelColour);
    paintScrews(p, plateScrews, screwRadius);
}

// The knob's artwork cut to what differs from the key, the key made clear:
// its edges and shadow are blended against the panel colour the plate wears.
QImage keyedKnob(Knob knob) {
    const QImage art = paintKnob(knob);
    QRect used;
    QImage keyed(art.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x) {
            const QRgb colour = art.pixel(x, y);
            const bool key = (colour | 0xFF000000u) == keyWhite;
            keyed.setPixel(x, y, key ? 0u : colour);
            if (!key)
                used |= QRect(x, y, 1, 1);
        }
    return keyed.copy(used);
}

void paintKnobs(QPainter& p) {
    for (const KnobPlace& place : knobPlaces) {
        const QImage art = keyedKnob(place.knob);
        const QSize size(int(std::lround(art.width() * knobScale)),
                         int(std::lround(art.height() * knobScale)));
        const QImage scaled = art.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Whole pixels, so the painter copies the averaged picture unchanged.
        p.drawImage(QPoint(int(std::lround(place.centre.x() - size.width() / 2.0)),
                           int(std::lround(place.centre.y() - size.height() / 2.0))),
                    scaled);
    }
}

} // namespace

QImage paintIcon(int size) {
    if (size < 1 || size > iconPaintedSize)
        return {};
    QImage icon(iconPaintedSize, iconPaintedSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        paintPlate(p);
        paintKnobs(p);
    }
    if (size == iconPaintedSize)
        return icon;
    return icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace zentor::art
