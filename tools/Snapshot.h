#pragma once

#include "tools/SnapshotOptions.h"

#include <QImage>

// Puts the engine record in the state the options describe: start values,
// the controls where the window starts them (throttle out, propeller and
// mixture in), cylinder spreads from the seed, the --set values, then the
// engine ticks.
void prepareEngineState(const SnapshotOptions& options);

// The monitor screen alone, 630 x 483 on black, for the current engine record.
QImage renderScreen();

// The frame the options ask for, engine state included. The whole panel
// frame takes the screen's place here once the panel can be composed; until
// then every frame is the screen. --size stretches it as the window would.
QImage renderFrame(const SnapshotOptions& options);
