#pragma once

// Sound problems reported once each, so a retried cue cannot flood the console.

#include <string>

namespace sound {

// Prints one line to stderr unless this process has printed the very same line before, so that
// a cue retried every frame cannot flood the console.
void reportOnce(const std::string& line) noexcept;

}  // namespace sound
