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

// Loading and freeing order.
const std::array<ArtworkRow, 5> artworkRows{{
    {&panelImage, zentor::panelBitmap},
    {&throttleKnobImage, zentor::throttleKnobBitmap},
    {&mixtureKnobImage, zentor::mixtureKnobBitmap},
    {&propellerKnobImage, zentor::propellerKnobBitmap},
    {&checkMarkImage, zentor::checkMarkBitmap},
}};

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
    static const std::array<const gfx::Bitmap*, 3> knobs{&throttleKnobImage, &propellerKnobImage,
                                                         &mixtureKnobImage};
    return *knobs[knob];
}

ImageSize panelFrameSize() {
    return panelImage.valid() ? sizeOf(panelImage) : ImageSize{panelWidth, panelHeight};
}

ImageSize knobImageSize(std::size_t knob) {
    return sizeOf(knobImage(knob));
}
