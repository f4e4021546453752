#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <vector>

namespace zentor::art {

// A palette picture as the BMP file stores it: one palette index per pixel,
// rows top to bottom.
struct IndexedImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8; // 4 or 8
    std::vector<QRgb> palette;
    std::vector<std::uint8_t> indices;
};

// A BMP file (BITMAPINFOHEADER, bottom-up rows) with a palette of 4 or 8 bits
// per pixel. Qt's own writer cannot write 4-bit files.
QByteArray encodePaletteBmp(const IndexedImage& image);

// A 24-bit BMP file of an RGB picture.
QByteArray encodeTrueColourBmp(const QImage& image);

} // namespace zentor::art
