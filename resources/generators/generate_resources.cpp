// Writes the instrument's artwork and engine sound into the resources folder:
//   zentor-generate-resources <resources folder>
// Everything is computed from seeded noise and the project's own font, so
// every run writes the same bytes.

#include "engine/TableChecks.h"
#include "resources/generators/ArtStyle.h"
#include "resources/generators/BadgeArt.h"
#include "resources/generators/BmpFile.h"
#include "resources/generators/EngineLoop.h"
#include "resources/generators/GeneratorMain.h"
#include "resources/generators/KnobArt.h"
#include "resources/generators/PaintKit.h"
#include "resources/generators/Palette.h"
#include "resources/generators/PanelArt.h"
#include "resources/generators/WaveFile.h"

#include <QDir>
#include <QFile>

#include <QGuiApplication>

#include <array>
#include <cstdio>

using namespace zentor::art;

namespace {

struct Bitmap {
    const char* file;
    QImage (*paint)();
    int bitsPerPixel;
    // Colours that keep an entry of their own: the key, the black screen, the
    // surfaces other artwork is blended against.
    std::array<QRgb, 3> exact;
    int exactCount;
};

constexpr QRgb black = qRgb(0, 0, 0);

// Every bitmap resource, by number: the panel, three knobs, the check mark, the logo.
constexpr std::size_t bitmapCount = 6;
constexpr auto bitmaps = std::to_array<Bitmap>({
    {.file = "bitmaps/104.bmp",
     .paint = paintPanel,
     .bitsPerPixel = 8,
     .exact = {black, lowerPanelColour, checkBoxInterior},
     .exactCount = 3},
    {.file = "bitmaps/108.bmp",
     .paint = [] { return paintKnob(Knob::throttle); },
     .bitsPerPixel = 8,
     .exact = {keyWhite},
     .exactCount = 1},
    {.file = "bitmaps/110.bmp",
     .paint = [] { return paintKnob(Knob::propeller); },
     .bitsPerPixel = 8,
     .exact = {keyWhite},
     .exactCount = 1},
    {.file = "bitmaps/111.bmp",
     .paint = [] { return paintKnob(Knob::mixture); },
     .bitsPerPixel = 8,
     .exact = {keyWhite},
     .exactCount = 1},
    {.file = "bitmaps/113.bmp",
     .paint = paintCheckMark,
     .bitsPerPixel = 4,
     .exact = {keyWhite},
     .exactCount = 1},
    {.file = "bitmaps/114.bmp",
     .paint = paintLogo,
     .bitsPerPixel = 24,
     .exact = {},
     .exactCount = 0},
});
static_assert(bitmaps.size() == bitmapCount);
static_assert(noNullPointers(bitmaps, &Bitmap::file, &Bitmap::paint));

constexpr const char* soundFile = "sound/112.wav";
constexpr std::uint32_t soundRiffSize = 478520;
constexpr auto soundInfo = std::to_array<InfoText>({
    {.id = "INAM", .text = "Corvane Zentor Demo engine sound loop"},
    {.id = "ISFT", .text = "zentor-generate-resources"},
    {.id = "ICMT",
     .text = "Six-cylinder four-stroke engine with a two-blade propeller, synthesised: "
             "67 engine cycles, about 1483 rev/min at 22050 Hz."},
});
static_assert(soundInfo.size() == 3 && noNullPointers(soundInfo, &InfoText::id, &InfoText::text));

bool write(const QDir& folder, const char* name, const QByteArray& bytes) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "zentor-generate-resources: cannot write %s\n", name);
        return false;
    }
    std::printf("wrote %s (%lld bytes)\n", name, static_cast<long long>(bytes.size()));
    return true;
}

QByteArray encode(const Bitmap& bitmap) {
    const QImage picture = bitmap.paint();
    if (bitmap.bitsPerPixel == 24)
        return encodeTrueColourBmp(picture);
    return encodePaletteBmp(
        quantise(picture, bitmap.bitsPerPixel, std::span(bitmap.exact.data(), bitmap.exactCount)));
}

} // namespace

int main(int argc, char** argv) {
    zentor::art::preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const std::optional<QString> argument =
        zentor::art::singleArgument(argc, argv, "zentor-generate-resources <resources folder>");
    if (!argument)
        return 2;
    if (!letteringFontAvailable()) {
        std::fprintf(stderr,
                     "zentor-generate-resources: font \"%s\" is not installed "
                     "(scripts/install-deps)\n",
                     letteringFamily);
        return 1;
    }
    QDir folder(*argument);
    if (!folder.mkpath(QStringLiteral("bitmaps")) || !folder.mkpath(QStringLiteral("sound")))
        return 1;
    bool ok = true;
    for (const Bitmap& bitmap : bitmaps)
        ok = write(folder, bitmap.file, encode(bitmap)) && ok;
    const std::vector<std::int16_t> samples = synthesiseEngineLoop();
    ok = write(folder, soundFile,
               encodeWave(samples, loopChannels, loopSampleRate, soundRiffSize, soundInfo)) &&
         ok;
    return ok ? 0 : 1;
}
