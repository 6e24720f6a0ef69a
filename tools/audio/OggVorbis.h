#pragma once

// Writing the generated sounds as the Ogg Vorbis files the game plays.

#include <string>

#include "Dsp.h"

namespace audio {

// Encodes stereo audio as Ogg Vorbis (variable bit rate, quality -0.1..1) with exactly as many
// samples as the buffer holds, so a loop decodes to its exact length. On failure returns false
// and says why in error.
bool writeOggVorbis(const std::string& path, const Stereo& audio, float quality,
                    std::string& error);

// Decodes a stereo Ogg Vorbis file, to check what the encoder made of a sound.
bool readOggVorbis(const std::string& path, Stereo& audio, std::string& error);

}  // namespace audio
