#pragma once

#include "tools/SnapshotOptions.h"

#include <QImage>

// Puts the engine record in the state the options describe: the instrument's
// opening state (start values, the controls where the window opens them)
// with cylinder spreads from the seed, the --set values, then the engine ticks.
void prepareEngineState(const SnapshotOptions& options);

// The monitor screen alone, 630 x 483 on black, for the current engine record.
QImage renderScreen();

// The frame the options ask for, engine state included: the whole 750 x 945
// panel, or the screen alone; --size stretches it as a window of that client
// size would show it.
QImage renderFrame(const SnapshotOptions& options);
