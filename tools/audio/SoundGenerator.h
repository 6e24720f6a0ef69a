#pragma once

// Generating every sound file the game plays.

#include <ostream>
#include <string>

// Writes every sound file of the game (Ogg Vorbis, 44.1 kHz) into outDir; reports each file on
// log. Returns false if any file could not be written.
bool generateSounds(const std::string& outDir, std::ostream& log);
