#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <span>

namespace zentor::art {

// The one typeface of all lettering, installed by the project's own script.
inline constexpr const char* letteringFamily = "Liberation Sans";

// True when the lettering typeface is installed; no other font may stand in.
bool letteringFontAvailable();

QFont letteringFont(int pixelSize, bool bold, double letterSpacing = 0.0);

// Text with its baseline at `baselineY`, centred on `centreX` or starting at
// `leftX`, with a one-pixel dark drop below it as painted lettering has.
void paintCentredText(QPainter& p, const QString& text, double centreX, double baselineY,
                      const QFont& font, QRgb ink);
void paintLeftText(QPainter& p, const QString& text, double leftX, double baselineY,
                   const QFont& font, QRgb ink);

// The blurred dark copy of `shape`, moved by (dx, dy): the shadow a part casts
// on the surface under it with light from above.
void paintSoftShadow(QPainter& p, const QPainterPath& shape, double dx, double dy, int blurRadius,
                     int alpha);

// A cross-head screw of the given radius, its slots turned by `angle` degrees.
void paintScrew(QPainter& p, QPointF centre, double radius, double angle);

struct Screw {
    QPointF centre;
    double angle; // degrees: real screws never line up
};

void paintScrews(QPainter& p, std::span<const Screw> screws, double radius);

// A rounded plate set into the panel: a dark seam round it, its upper edge
// lit for `litEdge` pixels, the rest in `face`.
void paintSeamedPlate(QPainter& p, QRectF area, double radius, double litEdge, QRgb face);

// Box blur of the alpha channel of a premultiplied black picture, three passes
// (close to a Gaussian).
void blurAlpha(QImage& image, int radius);

} // namespace zentor::art
