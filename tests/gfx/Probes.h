#pragma once

// Pixel probes for rendered images, shared by the drawing and screen tests.

#include <QImage>
#include <QRect>
#include <QRgb>

#include <algorithm>

namespace probes {

inline int darkest(QRgb pixel) {
    return std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
}
inline int brightest(QRgb pixel) {
    return std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
}

inline bool isWhite(QRgb pixel) {
    return darkest(pixel) >= 200;
}
inline bool isRed(QRgb pixel) {
    return qRed(pixel) >= 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}
inline bool isBlack(QRgb pixel) {
    return brightest(pixel) <= 8;
}
inline bool isInk(QRgb pixel) {
    return brightest(pixel) >= 128;
}

template <class Predicate>
int count(const QImage& image, QRect region, Predicate predicate) {
    int found = 0;
    region = region.intersected(image.rect());
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            found += predicate(image.pixel(x, y)) ? 1 : 0;
    return found;
}

// The smallest rectangle holding every pixel of `region` that passes.
template <class Predicate>
QRect bounds(const QImage& image, QRect region, Predicate predicate) {
    QRect found;
    region = region.intersected(image.rect());
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (predicate(image.pixel(x, y)))
                found |= QRect(x, y, 1, 1);
    return found;
}

inline QRect inkBounds(const QImage& image, QRect region) {
    return bounds(image, region, isInk);
}

// Row of the whiteness-weighted centre of one pixel column between two rows.
inline double whiteCentreRow(const QImage& image, int x, int fromY, int toY) {
    double weight = 0;
    double sum = 0;
    for (int y = fromY; y <= toY; ++y) {
        const double white = darkest(image.pixel(x, y)) / 255.0;
        weight += white;
        sum += white * y;
    }
    return weight > 0 ? sum / weight : -1.0;
}

inline bool sameRegion(const QImage& a, const QImage& b, QRect region) {
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

} // namespace probes
