#pragma once

#include <string>

namespace sound {

// Prints one line to stderr unless this process has printed the very same line before, so that
// a cue retried every frame cannot flood the console.
void reportOnce(const std::string& line) noexcept;

}  // namespace sound
