#pragma once

#include <QString>

// What must hold of the engine record after any tick and any input: every
// engine value and spread finite, each knob within its travel (0 pulled out
// .. 1 pushed in), a cylinder 0..5 selected, the check boxes 0 or 1.
// Returns the first fault found, or an empty string.
QString engineStateFault();

// Drawing objects a frame leaves behind: every kind but bitmaps must be back
// to none between ticks, and bitmaps at most `bitmapsKept` (the artwork, the
// logo and the frame on show). Returns the fault, or an empty string.
QString drawingObjectFault(int bitmapsKept);
