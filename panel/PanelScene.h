#pragma once

struct EngineState;
struct KnobChoice;
struct PanelArtwork;
struct ScreenRenderer;

// What a panel frame is drawn from besides the panel's fixed layout: the
// pieces of the instrument the compositor reads, handed to it by the shell.
struct PanelScene {
    const PanelArtwork& artwork;
    const KnobChoice& knobChoice;
    const ScreenRenderer& renderer;
    const EngineState& engine;
};
