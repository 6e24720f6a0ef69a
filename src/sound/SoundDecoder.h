#pragma once

// Reading sound files for the engines.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

struct OggVorbis_File;

namespace sound {

// Reads an Ogg Vorbis file as interleaved signed 16-bit frames (mono or stereo).
class OggDecoder {
 public:
  // Null when the file cannot be opened or decoded; `error` then says why.
  static std::unique_ptr<OggDecoder> open(const std::string& fileName, std::string& error);

  ~OggDecoder();
  OggDecoder(const OggDecoder&) = delete;
  OggDecoder& operator=(const OggDecoder&) = delete;

  int channels() const { return channels_; }
  int sampleRate() const { return sampleRate_; }
  // The OpenAL buffer format of the decoded frames.
  int alFormat() const;
  // Decoded length in frames, or -1 when the file does not say.
  long long totalFrames() const;

  // Decodes up to maxFrames frames into `frames`; fewer only at the end of the file. Returns 0
  // at the end, on a decode error, or where a chained file changes its format.
  std::size_t read(std::int16_t* frames, std::size_t maxFrames);
  // Back to the first frame; false when the file cannot seek.
  bool rewind();

 private:
  OggDecoder(std::unique_ptr<OggVorbis_File> file, int channels, int sampleRate);

  std::unique_ptr<OggVorbis_File> file_;
  int channels_;
  int sampleRate_;
  int currentSection_ = -1;
};

}  // namespace sound
