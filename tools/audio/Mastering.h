#pragma once

// Finishing a rendered sound: making loops seamless, fading, and bringing each file to its
// loudness without letting a peak through.

#include <cstddef>

#include "Dsp.h"

namespace audio {

// Removes DC and sub-sonic rumble. Linear and time-invariant, so it may run before a fold.
void removeRumble(Stereo& signal, double cutoffHz);

// Adds everything rendered past loopFrames back onto the start and cuts the buffer there: what
// rings over the loop's end is what the start hears when the loop repeats.
void foldLoop(Stereo& signal, std::size_t loopFrames);

// Blends the overhang past loopFrames into the start with an equal-power crossfade: for
// continuous sounds, such as noise, that play on across the seam.
void crossfadeLoop(Stereo& signal, std::size_t loopFrames);

void fadeIn(Stereo& signal, double seconds);
void fadeOut(Stereo& signal, double seconds);

double rmsDb(const Stereo& signal);
double peakDb(const Stereo& signal);

// Keeps every sample under the ceiling with a look-ahead limiter that never steps the gain; a
// looped sound is limited as the endless circle it plays as.
void limit(Stereo& signal, double ceilingDb, bool looped);

// Sets the RMS level (both channels together) to targetRmsDb and limits peaks to ceilingDb.
void master(Stereo& signal, double targetRmsDb, double ceilingDb, bool looped);

}  // namespace audio
