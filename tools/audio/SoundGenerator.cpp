// The list of the game's sound files with their pieces and loudness, and writing them.
#include "SoundGenerator.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <system_error>
#include <thread>
#include <vector>

#include "Mastering.h"
#include "OggVorbis.h"
#include "Pieces.h"
#include "ResourceNames.h"

namespace {

struct SoundFile {
  const char* name;
  audio::Piece (*compose)();
  bool looped;
  double loudnessDb;  // RMS of the whole file, both channels
};

// Loudness is set with the game's engine volumes in mind: music plays at 0.4 and the title at
// 0.2, the storm and the thunder bed at 0.1. Music lands at about -26 dB as heard, the title
// 4 dB under it, the storm about 9 dB and the thunder bed 11 dB below the music.
const SoundFile Sounds[] = {
    {resources::inResourceDir(resources::IntroMusic), [] { return audio::perform(audio::writeIntro()); }, true, -18.0},
    {resources::inResourceDir(resources::TitleMusic), [] { return audio::perform(audio::writeTitle()); }, true, -16.0},
    {resources::inResourceDir(resources::RaceMusic), [] { return audio::perform(audio::writeRace()); }, true, -18.0},
    {resources::inResourceDir(resources::StormAmbience), audio::makeStorm, true, -15.5},
    {resources::inResourceDir(resources::LossSting), [] { return audio::perform(audio::writeDoom()); }, true, -18.0},
    {resources::inResourceDir(resources::WinMusic), [] { return audio::perform(audio::writeCredits()); }, false, -18.0},
    {resources::inResourceDir(resources::Thunder), audio::makeThunder, false, -17.0},
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

namespace {

struct Outcome {
  std::string report;
  bool written = false;
};

Outcome makeFile(const SoundFile& sound, const std::string& outDir) {
  const auto started = std::chrono::steady_clock::now();
  const std::string path = (std::filesystem::path(outDir) / sound.name).string();
  Outcome outcome;
  std::ostringstream report;
  audio::Piece piece = sound.compose();
  if (!piece.problems.empty()) {
    for (const std::string& problem : piece.problems) {
      report << "[ERROR] " << sound.name << ": " << problem << "\n";
    }
    outcome.report = report.str();
    return outcome;
  }
  audio::master(piece.audio, sound.loudnessDb, CeilingDb, sound.looped);
  std::string error;
  if (!encode(path, piece.audio, sound, error)) {
    outcome.report = "[ERROR] " + path + ": " + error + "\n";
    return outcome;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::error_code sizeError;
  const auto bytes = std::filesystem::file_size(path, sizeError);
  report << std::fixed << std::setprecision(1) << path << ": "
         << static_cast<double>(piece.audio.frames()) / audio::SampleRate << " s"
         << (sound.looped ? " loop" : "") << ", peak " << audio::peakDb(piece.audio)
         << " dBFS, RMS " << audio::rmsDb(piece.audio) << " dBFS, "
         << (sizeError ? 0 : bytes / 1024) << " KiB, made in " << seconds << " s\n";
  outcome.report = report.str();
  outcome.written = true;
  return outcome;
}

}  // namespace

bool generateSounds(const std::string& outDir, std::ostream& log) {
  std::error_code error;
  std::filesystem::create_directories(outDir, error);
  // Two workers: the machines that build the game have two cores.
  constexpr std::size_t Workers = 2;
  constexpr std::size_t Count = std::size(Sounds);
  std::vector<Outcome> outcomes(Count);
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < Count; i = next++) outcomes[i] = makeFile(Sounds[i], outDir);
  };
  std::vector<std::thread> workers;
  for (std::size_t w = 1; w < Workers; ++w) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
  bool allWritten = true;
  for (const Outcome& outcome : outcomes) {
    log << outcome.report;
    allWritten = allWritten && outcome.written;
  }
  return allWritten;
}
