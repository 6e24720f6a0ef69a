#pragma once

// The tuning of a sound engine: clip and stream sizes.

#include <cstddef>

#include "sound/SoundEngine.h"

namespace sound {

// Tuning of one engine. The defaults suit the game's files; tests shrink them so that short
// clips take the streaming path and refill many times.
struct SoundSettings {
  // A file whose decoded 16-bit audio fits in this many bytes is decoded once and kept for
  // every later play; a longer one streams from disk.
  std::size_t largestCachedBytes = std::size_t{2} << 20;
  // Each stream keeps this many buffers of this many frames queued on its source.
  int streamBufferFrames = 8192;
  int streamBufferCount = 4;
};

SoundEngine* createSoundDevice(const SoundSettings& settings);

}  // namespace sound
