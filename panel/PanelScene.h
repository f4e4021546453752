#pragma once

struct KnobChoice;

// What a panel frame is drawn from besides the panel's fixed layout: the
// pieces of the instrument the compositor reads, handed to it by the shell.
struct PanelScene {
    const KnobChoice& knobChoice;
};
