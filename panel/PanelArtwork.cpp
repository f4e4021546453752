#include "panel/PanelArtwork.h"

#include "panel/PanelLayout.h"
#include "resources/Resources.h"

namespace {

struct ArtworkRow {
    gfx::Bitmap PanelArtwork::*image;
    int resourceId;
};

// The panel, the three knobs and the check mark, in loading and freeing order.
constexpr std::size_t artworkImageCount = 2 + knobCount;
constexpr auto artworkRows = std::to_array<ArtworkRow>({
    {.image = &PanelArtwork::panel, .resourceId = zentor::panelBitmap},
    {.image = &PanelArtwork::throttleKnob, .resourceId = zentor::throttleKnobBitmap},
    {.image = &PanelArtwork::mixtureKnob, .resourceId = zentor::mixtureKnobBitmap},
    {.image = &PanelArtwork::propellerKnob, .resourceId = zentor::propellerKnobBitmap},
    {.image = &PanelArtwork::checkMark, .resourceId = zentor::checkMarkBitmap},
});
static_assert(artworkRows.size() == artworkImageCount);
static_assert(noNullPointers(artworkRows, &ArtworkRow::image));

// Knob images in panel order, as knobTravels lists the knobs.
constexpr auto knobImages = std::to_array<gfx::Bitmap PanelArtwork::*>(
    {&PanelArtwork::throttleKnob, &PanelArtwork::propellerKnob, &PanelArtwork::mixtureKnob});
static_assert(knobImages.size() == knobCount && noNullPointers(knobImages, std::identity{}));

ImageSize sizeOf(const gfx::Bitmap& image) {
    return {image.width(), image.height()};
}

} // namespace

void loadPanelArtwork(PanelArtwork& artwork) {
    for (const ArtworkRow& row : artworkRows)
        artwork.*row.image = gfx::Bitmap::fromResource(row.resourceId);
}

void freePanelArtwork(PanelArtwork& artwork) {
    for (const ArtworkRow& row : artworkRows)
        artwork.*row.image = gfx::Bitmap();
}

const gfx::Bitmap& knobImage(const PanelArtwork& artwork, std::size_t knob) {
    return artwork.*knobImages[knob];
}

ImageSize panelFrameSize(const PanelArtwork& artwork) {
    return artwork.panel.valid() ? sizeOf(artwork.panel) : ImageSize{panelWidth, panelHeight};
}

ImageSize knobImageSize(const PanelArtwork& artwork, std::size_t knob) {
    return sizeOf(knobImage(artwork, knob));
}
