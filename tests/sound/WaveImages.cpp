#include "WaveImages.h"

QByteArray le16(std::uint16_t value) {
    QByteArray bytes(2, '\0');
    bytes[0] = char(value & 0xFF);
    bytes[1] = char(value >> 8);
    return bytes;
}

QByteArray le32(std::uint32_t value) {
    return le16(std::uint16_t(value & 0xFFFF)) + le16(std::uint16_t(value >> 16));
}

QByteArray formatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                      std::uint16_t blockAlign, std::uint16_t bits) {
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * blockAlign) + le16(blockAlign) +
           le16(bits);
}

QByteArray pcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    return formatBody(1, channels, rate, std::uint16_t(channels * bits / 8), bits);
}

// A chunk with its true size and its pad byte when the size is odd.
QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray bytes = QByteArray(id, 4) + le32(std::uint32_t(body.size())) + body;
    if (body.size() % 2)
        bytes += '\0';
    return bytes;
}

// A chunk whose size field says `size` whatever follows it.
QByteArray chunkClaiming(const char* id, std::uint32_t size, const QByteArray& body) {
    return QByteArray(id, 4) + le32(size) + body;
}

QByteArray riffWithSize(std::uint32_t riffSize, const QByteArray& chunks) {
    return "RIFF" + le32(riffSize) + "WAVE" + chunks;
}

QByteArray riff(const QByteArray& chunks) {
    return riffWithSize(std::uint32_t(4 + chunks.size()), chunks);
}

// Distinct sample bytes, so that a body handed out from the wrong place shows.
QByteArray samples(int count, char first) {
    QByteArray bytes(count, '\0');
    for (int i = 0; i < count; ++i)
        bytes[i] = char(first + i);
    return bytes;
}

namespace {

const QByteArray stereo16 = pcmFormat(2, 22050, 16);
const QByteArray frames = samples(16, 'a'); // four stereo 16-bit frames

WaveCase found(const char* name, const QByteArray& image, const QByteArray& format,
               const QByteArray& data, int sampleBytes) {
    return {name, image, true, format, data, true, sampleBytes};
}

WaveCase unplayable(const char* name, const QByteArray& format) {
    return {name, riff(chunk("fmt ", format) + chunk("data", frames)), true, format, frames, false,
            0};
}

WaveCase fails(const char* name, const QByteArray& image) {
    return {name, image, false, {}, {}, false, 0};
}

QByteArray zeroLengthChunks(int count) {
    QByteArray bytes;
    bytes.reserve(count * 8);
    for (int i = 0; i < count; ++i)
        bytes += chunk("junk", {});
    return bytes;
}

QList<WaveCase> foundCases() {
    const QByteArray odd = samples(9, 'A');
    const QByteArray mono8 = pcmFormat(1, 8000, 8);
    return {
        found("fmt then data", riff(chunk("fmt ", stereo16) + chunk("data", frames)), stereo16,
              frames, 16),
        found("data before fmt", riff(chunk("data", frames) + chunk("fmt ", stereo16)), stereo16,
              frames, 16),
        found(
            "odd chunk and pad byte first",
            riff(chunk("LIST", samples(3, 'x')) + chunk("fmt ", stereo16) + chunk("data", frames)),
            stereo16, frames, 16),
        found("odd data cut to whole frames", riff(chunk("data", odd) + chunk("fmt ", stereo16)),
              stereo16, odd, 8),
        found("odd data last without its pad",
              riff(chunk("fmt ", stereo16) + chunkClaiming("data", 9, odd)), stereo16, odd, 8),
        found("fmt with extension bytes",
              riff(chunk("fmt ", stereo16 + le16(0)) + chunk("data", frames)), stereo16 + le16(0),
              frames, 16),
        found("8-bit mono", riff(chunk("fmt ", mono8) + chunk("data", odd)), mono8, odd, 9),
        found("16-bit mono", riff(chunk("fmt ", pcmFormat(1, 44100, 16)) + chunk("data", odd)),
              pcmFormat(1, 44100, 16), odd, 8),
        found("8-bit stereo", riff(chunk("fmt ", pcmFormat(2, 11025, 8)) + chunk("data", odd)),
              pcmFormat(2, 11025, 8), odd, 8),
        found("later fmt ignored",
              riff(chunk("fmt ", stereo16) + chunk("fmt ", mono8) + chunk("data", frames)),
              stereo16, frames, 16),
        found("later short fmt ignored",
              riff(chunk("fmt ", stereo16) + chunk("fmt ", "xy") + chunk("data", frames)), stereo16,
              frames, 16),
        found("later data ignored",
              riff(chunk("data", frames) + chunk("data", odd) + chunk("fmt ", stereo16)), stereo16,
              frames, 16),
        found("bytes after the RIFF body",
              riff(chunk("fmt ", stereo16) + chunk("data", frames)) + "trailing", stereo16, frames,
              16),
        found("100000 zero-length chunks",
              riff(zeroLengthChunks(100000) + chunk("fmt ", stereo16) + chunk("data", frames)),
              stereo16, frames, 16),
    };
}

QList<WaveCase> unplayableCases() {
    return {
        unplayable("fmt of 14 bytes", stereo16.left(14)),
        unplayable("float format", formatBody(3, 2, 22050, 8, 32)),
        unplayable("extensible format", formatBody(0xFFFE, 2, 22050, 4, 16) + le16(22)),
        unplayable("0 channels", formatBody(1, 0, 22050, 0, 16)),
        unplayable("3 channels", formatBody(1, 3, 22050, 6, 16)),
        unplayable("rate 0", formatBody(1, 2, 0, 4, 16)),
        unplayable("rate below the playback range", formatBody(1, 2, 99, 4, 16)),
        unplayable("rate above the playback range", formatBody(1, 2, 200001, 4, 16)),
        unplayable("24 bits", formatBody(1, 2, 22050, 6, 24)),
        unplayable("0 bits", formatBody(1, 2, 22050, 0, 0)),
        unplayable("block alignment 0", formatBody(1, 2, 22050, 0, 16)),
        unplayable("block alignment inconsistent", formatBody(1, 2, 22050, 2, 16)),
        {"data size 0",
         riff(chunk("fmt ", stereo16) + chunk("data", {})),
         true,
         stereo16,
         {},
         true,
         0},
        {"data shorter than a frame", riff(chunk("fmt ", stereo16) + chunk("data", "abc")), true,
         stereo16, "abc", true, 0},
    };
}

QList<WaveCase> failingCases() {
    const QByteArray both = chunk("fmt ", stereo16) + chunk("data", frames);
    const QByteArray good = riff(both);
    return {
        fails("empty", {}),
        fails("header only", riff({})),
        fails("not RIFF", "RIFX" + good.mid(4)),
        fails("not WAVE", good.left(8) + "AVI " + good.mid(12)),
        fails("missing data", riff(chunk("fmt ", stereo16))),
        fails("missing fmt", riff(chunk("data", frames))),
        fails("fmt of 13 bytes", riff(chunk("fmt ", stereo16.left(13)) + chunk("data", frames))),
        fails("fmt of 8 bytes", riff(chunk("fmt ", stereo16.left(8)) + chunk("data", frames))),
        fails("fmt of 0 bytes", riff(chunk("fmt ", {}) + chunk("data", frames))),
        fails("RIFF size 0", riffWithSize(0, both)),
        fails("RIFF size 0xFFFFFFFF", riffWithSize(0xFFFFFFFF, both)),
        fails("RIFF size one past the image", riffWithSize(std::uint32_t(good.size() - 7), both)),
        fails("RIFF body cuts the data body", riffWithSize(std::uint32_t(good.size() - 9), both)),
        fails("RIFF body ends inside a chunk header",
              riffWithSize(4 + 4, chunk("junk", "abcd") + both)),
        fails("data body past the end",
              riff(chunk("fmt ", stereo16) + chunkClaiming("data", 17, frames))),
        fails("chunk size wraps the offset", riff(chunkClaiming("junk", 0xFFFFFFF7, {}) + both)),
        fails("chunk size 0xFFFFFFFF", riff(chunkClaiming("junk", 0xFFFFFFFF, {}) + both)),
        fails("pad byte past the end",
              riff(chunk("fmt ", stereo16) + chunkClaiming("LIST", 3, "xyz"))),
        fails("100000 zero-length chunks and no fmt",
              riff(zeroLengthChunks(100000) + chunk("data", frames))),
    };
}

} // namespace

QList<WaveCase> waveCases() {
    return foundCases() + unplayableCases() + failingCases();
}
