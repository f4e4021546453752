#include "resources/generators/BmpFile.h"
#include "LittleEndian.h"

#include <QtEndian>

namespace zentor::art {

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr std::uint32_t pixelsPerMetre = 2835; // 72 dpi

int rowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

void putHeaders(QByteArray& out, int width, int height, int bitsPerPixel, int paletteSize) {
    const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + 4 * paletteSize;
    const std::uint32_t pixelBytes = std::uint32_t(rowBytes(width, bitsPerPixel) * height);
    out.append("BM", 2);
    put32(out, pixelOffset + pixelBytes);
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, infoHeaderSize);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height)); // positive: bottom-up rows
    put16(out, 1);
    put16(out, std::uint16_t(bitsPerPixel));
    put32(out, 0); // no compression
    put32(out, pixelBytes);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, std::uint32_t(paletteSize));
    put32(out, 0);
}

} // namespace

QByteArray encodePaletteBmp(const IndexedImage& image) {
    QByteArray out;
    const int paletteSize = int(image.palette.size());
    putHeaders(out, image.width, image.height, image.bitsPerPixel, paletteSize);
    for (QRgb colour : image.palette) {
        const char entry[4] = {char(qBlue(colour)), char(qGreen(colour)), char(qRed(colour)), 0};
        out.append(entry, 4);
    }
    const int stride = rowBytes(image.width, image.bitsPerPixel);
    for (int y = image.height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const std::uint8_t* source = image.indices.data() + std::size_t(y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            if (image.bitsPerPixel == 8)
                row[x] = char(source[x]);
            else // two pixels a byte, the left one in the high nibble
                row[x / 2] = char(row[x / 2] | (x % 2 ? source[x] : source[x] << 4));
        }
        out.append(row);
    }
    return out;
}

QByteArray encodeTrueColourBmp(const QImage& image) {
    QByteArray out;
    putHeaders(out, image.width(), image.height(), 24, 0);
    const int stride = rowBytes(image.width(), 24);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y);
            row[3 * x] = char(qBlue(colour));
            row[3 * x + 1] = char(qGreen(colour));
            row[3 * x + 2] = char(qRed(colour));
        }
        out.append(row);
    }
    return out;
}

} // namespace zentor::art
