#pragma once

#include "sound/AudioLayer.h"

// The audio device over OpenAL Soft: its default output device with one context.
AudioDevice& openAlAudioDevice();

// Closes the device and context, which otherwise happens when the process
// ends. Buffers still alive go with the context; later calls open anew.
void closeOpenAlAudioDevice();
