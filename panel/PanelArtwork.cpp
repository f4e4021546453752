#include "panel/PanelArtwork.h"

#include "panel/PanelLayout.h"
#include "resources/Resources.h"

gfx::Bitmap panelImage;
gfx::Bitmap throttleKnobImage;
gfx::Bitmap propellerKnobImage;
gfx::Bitmap mixtureKnobImage;
gfx::Bitmap checkMarkImage;

namespace {

struct ArtworkRow {
    gfx::Bitmap* image;
    int resourceId;
};

// The panel, the three knobs and the check mark, in loading and freeing order.
constexpr std::size_t artworkImageCount = 2 + knobCount;
constexpr auto artworkRows = std::to_array<ArtworkRow>({
    {.image = &panelImage, .resourceId = zentor::panelBitmap},
    {.image = &throttleKnobImage, .resourceId = zentor::throttleKnobBitmap},
    {.image = &mixtureKnobImage, .resourceId = zentor::mixtureKnobBitmap},
    {.image = &propellerKnobImage, .resourceId = zentor::propellerKnobBitmap},
    {.image = &checkMarkImage, .resourceId = zentor::checkMarkBitmap},
});
static_assert(artworkRows.size() == artworkImageCount);
static_assert(noNullPointers(artworkRows, &ArtworkRow::image));

// Knob images in panel order, as knobTravels lists the knobs.
constexpr auto knobImages =
    std::to_array<const gfx::Bitmap*>({&throttleKnobImage, &propellerKnobImage, &mixtureKnobImage});
static_assert(knobImages.size() == knobCount && noNullPointers(knobImages, std::identity{}));

ImageSize sizeOf(const gfx::Bitmap& image) {
    return {image.width(), image.height()};
}

} // namespace

void loadPanelArtwork() {
    for (const ArtworkRow& row : artworkRows)
        *row.image = gfx::Bitmap::fromResource(row.resourceId);
}

void freePanelArtwork() {
    for (const ArtworkRow& row : artworkRows)
        *row.image = gfx::Bitmap();
}

const gfx::Bitmap& knobImage(std::size_t knob) {
    return *knobImages[knob];
}

ImageSize panelFrameSize() {
    return panelImage.valid() ? sizeOf(panelImage) : ImageSize{panelWidth, panelHeight};
}

ImageSize knobImageSize(std::size_t knob) {
    return sizeOf(knobImage(knob));
}
