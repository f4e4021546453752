#pragma once

#include "resources/generators/BmpFile.h"

#include <QImage>

#include <span>

namespace zentor::art {

// Chooses a palette of at most 2^bitsPerPixel colours for the picture (median
// cut refined by a few k-means rounds) and maps every pixel to its nearest
// entry, without dithering. Each colour in `exact` gets its own entry and only
// pixels of exactly that colour use it, so keyed white never leaks into a knob.
IndexedImage quantise(const QImage& image, int bitsPerPixel, std::span<const QRgb> exact);

} // namespace zentor::art
