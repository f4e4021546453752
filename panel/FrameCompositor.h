#pragma once

#include "screen/ScreenRenderer.h"

// The one screen renderer: started and stopped by the shell, drawn by every frame.
extern ScreenRenderer screenRenderer;

// Builds one frame at the panel's own 750 x 945 pixels (panel, knobs at their
// positions, check marks, screen) and shows it stretched to the client area.
void composeFrame();
