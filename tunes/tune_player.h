// Playing a tune from a tune program.
#pragma once

#include "tones.h"

// Plays the tones through the wave-out device and waits for their end. Without a device that can
// be opened (none there, or the game holds it) it sounds them with Beep instead.
void PlayTune(const Tone* tones, std::size_t count);
