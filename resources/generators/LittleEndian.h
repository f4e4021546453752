#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>

namespace zentor::art {

// File headers of BMP and RIFF/WAVE are little-endian whatever the machine.
inline void put16(QByteArray& out, std::uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

inline void put32(QByteArray& out, std::uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace zentor::art
