#pragma once

#include "resources/Resources.h"

#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <span>

// Small readers shared by the resource tests.

inline QImage decodeBitmap(int id) {
    const std::span<const std::uint8_t> bytes = zentor::findResource(id, "BITMAP");
    return QImage::fromData(bytes.data(), int(bytes.size()), "BMP");
}

inline std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return qFromLittleEndian<std::uint32_t>(bytes.data() + offset);
}

inline std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return qFromLittleEndian<std::uint16_t>(bytes.data() + offset);
}

// Perceived brightness, 0..255.
inline int luma(QRgb c) {
    return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000;
}

inline constexpr QRgb opaqueWhite = 0xFFFFFFFFu;
inline constexpr QRgb opaqueBlack = 0xFF000000u;
