#pragma once

#include "aircraft/InstrumentProfile.h"
#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "screen/ProfileScale.h"
#include "screen/ScreenArt.h"
#include "screen/ScreenParts.h"

#include <cstdint>
#include <optional>
#include <string>

struct EngineState;

// The monitor screen, 630 x 483 pixels, drawn from the engine record into
// whatever context it is given: the context's current frame is the screen's
// top-left corner, and the caller clips to the screen.
struct ScreenRenderer {
    std::int32_t powered = 0; // the screen stays dark until powered up
    gfx::Bitmap logoImage;    // drawn in the top-left corner on black
    // The status bar's registration: a replayed log's aircraft; empty, the
    // instrument's own.
    std::u16string registration;
    // The alarms up, as the shell last handed them over.
    ScreenAlarms alarms;
    // The lean search's readouts, while it is on.
    std::optional<LeanView> lean;

    // Loads the logo and powers up.
    void powerUp();
    // Powers down and drops the logo.
    void release();
    // What the parts are drawn from beside the engine record.
    ScreenArt art() const;
    // One frame of the screen showing `engine`; nothing while unpowered.
    void draw(gfx::Graphics& graphics, const EngineState& engine) const;
    // Only `parts` of it, each drawn as the whole screen draws it; a part
    // drawn in layers draws only the layer `layers` names for it, and a part
    // with a clip only within it.
    void drawParts(gfx::Graphics& graphics, const EngineState& engine, const ScreenPartSet& parts,
                   const ScreenPartLayers& layers = {}, const ScreenPartClips& clips = {}) const;

    // The aircraft the scales and markings are drawn for, and its
    // fingerprint, worked out once when it is set rather than every frame.
    const AircraftProfile& aircraft() const { return profile; }
    void setAircraft(const AircraftProfile& aircraft);
    std::uint64_t aircraftKey() const { return profileKey; }

private:
    AircraftProfile profile = instrumentProfile;
    std::uint64_t profileKey = profileFingerprint(instrumentProfile);
};
