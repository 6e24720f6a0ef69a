#include "SoundGenerator.h"

#include <chrono>
#include <filesystem>
#include <iomanip>
#include <system_error>

#include "Mastering.h"
#include "OggVorbis.h"
#include "Pieces.h"

namespace {

struct SoundFile {
  const char* name;
  audio::Piece (*compose)();
  bool looped;
  double loudnessDb;  // RMS of the whole file, both channels
};

// Loudness is set with the game's engine volumes in mind: music plays at 0.4 and the title at
// 0.2, the storm and the thunder bed at 0.1. Music lands at about -26 dB as heard, the title
// 4 dB under it, the storm 8 dB and the thunder bed 10 dB below the music.
const SoundFile Sounds[] = {
    {"intro.ogg", [] { return audio::perform(audio::writeIntro()); }, true, -18.0},
    {"title.ogg", [] { return audio::perform(audio::writeTitle()); }, true, -16.0},
    {"winter-cold.ogg", [] { return audio::perform(audio::writeRace()); }, true, -18.0},
    {"OceanStorm.ogg", audio::makeStorm, true, -14.0},
    {"doom.ogg", [] { return audio::perform(audio::writeDoom()); }, true, -18.0},
    {"credits.ogg", [] { return audio::perform(audio::writeCredits()); }, false, -18.0},
    {"Lightning.ogg", audio::makeThunder, false, -16.0},
};

// Lossy coding lifts peaks above the input's, noisy sounds most: the limiter leaves headroom,
// and a file that still decodes too hot is limited harder and encoded again.
constexpr double CeilingDb = -2.0;
constexpr double DecodedPeakLimitDb = -1.25;
constexpr int EncodeAttempts = 4;
constexpr float VorbisQuality = 0.35f;

// Encodes, then decodes to make sure the file has exactly the sound's length and no peak above
// the limit.
bool encode(const std::string& path, audio::Stereo& audio, const SoundFile& sound,
            std::string& error) {
  double ceiling = CeilingDb;
  for (int attempt = 0; attempt < EncodeAttempts; ++attempt) {
    audio::Stereo decoded;
    if (!audio::writeOggVorbis(path, audio, VorbisQuality, error) ||
        !audio::readOggVorbis(path, decoded, error)) {
      return false;
    }
    if (decoded.frames() != audio.frames()) {
      error = "decodes to " + std::to_string(decoded.frames()) + " frames instead of " +
              std::to_string(audio.frames());
      return false;
    }
    const double excess = audio::peakDb(decoded) - DecodedPeakLimitDb;
    if (excess <= 0.0) return true;
    ceiling -= excess + 0.1;
    audio::master(audio, sound.loudnessDb, ceiling, sound.looped);
  }
  error = "peaks stay above " + std::to_string(DecodedPeakLimitDb) + " dBFS after encoding";
  return false;
}

}  // namespace

bool generateSounds(const std::string& outDir, std::ostream& log) {
  std::error_code error;
  std::filesystem::create_directories(outDir, error);
  bool allWritten = true;
  for (const SoundFile& sound : Sounds) {
    const auto started = std::chrono::steady_clock::now();
    const std::string path = (std::filesystem::path(outDir) / sound.name).string();
    audio::Piece piece = sound.compose();
    if (!piece.problems.empty()) {
      for (const std::string& problem : piece.problems) {
        log << "[ERROR] " << sound.name << ": " << problem << "\n";
      }
      allWritten = false;
      continue;
    }
    audio::master(piece.audio, sound.loudnessDb, CeilingDb, sound.looped);
    std::string writeError;
    if (!encode(path, piece.audio, sound, writeError)) {
      log << "[ERROR] " << path << ": " << writeError << "\n";
      allWritten = false;
      continue;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const auto bytes = std::filesystem::file_size(path, error);
    log << std::fixed << std::setprecision(1) << path << ": "
        << static_cast<double>(piece.audio.frames()) / audio::SampleRate << " s"
        << (sound.looped ? " loop" : "") << ", peak " << audio::peakDb(piece.audio)
        << " dBFS, RMS " << audio::rmsDb(piece.audio) << " dBFS, "
        << (error ? 0 : bytes / 1024) << " KiB, made in " << seconds << " s\n";
  }
  return allWritten;
}
