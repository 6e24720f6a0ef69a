// Writes test tones as Ogg Vorbis, points OpenAL Soft at its wave or null device and
// measures what was recorded, for the sound engine tests.
#include "SoundTestSupport.h"

#include <unistd.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "galeskerry-sound-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

namespace {

constexpr double Pi = 3.14159265358979323846;

void writePages(ogg_stream_state& stream, std::ofstream& out, bool flush) {
  ogg_page page;
  while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) != 0) {
    out.write(reinterpret_cast<const char*>(page.header), page.header_len);
    out.write(reinterpret_cast<const char*>(page.body), page.body_len);
  }
}

void writeConfig(const std::string& configPath, const std::string& text, const char* driver) {
  std::ofstream(configPath) << text;
  setenv("ALSOFT_CONF", configPath.c_str(), 1);
  setenv("ALSOFT_DRIVERS", driver, 1);
}

std::string generalSection(const std::string& extra) {
  return "[general]\nchannels = stereo\nsample-type = int16\nfrequency = 48000\nhrtf = false\n" + extra + "\n";
}

std::uint32_t little32(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

std::uint16_t little16(const unsigned char* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

}  // namespace

void writeToneOgg(const std::string& path, const Tone& tone) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, tone.channels, tone.sampleRate, 0.6f) != 0) {
    throw std::runtime_error("vorbis_encode_init_vbr failed");
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);

  std::ofstream out(path, std::ios::binary);
  ogg_packet identification;
  ogg_packet comments;
  ogg_packet codebooks;
  vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
  ogg_stream_packetin(&stream, &identification);
  ogg_stream_packetin(&stream, &comments);
  ogg_stream_packetin(&stream, &codebooks);
  writePages(stream, out, true);

  const auto drain = [&] {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        writePages(stream, out, false);
      }
    }
  };
  const long totalFrames = std::lround(tone.seconds * tone.sampleRate);
  constexpr long Chunk = 1024;
  for (long first = 0; first < totalFrames; first += Chunk) {
    const long count = std::min(Chunk, totalFrames - first);
    float** const channels = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
    for (long i = 0; i < count; ++i) {
      const double t = static_cast<double>(first + i) / tone.sampleRate;
      const auto value = static_cast<float>(tone.amplitude * std::sin(2.0 * Pi * tone.frequency * t));
      for (int c = 0; c < tone.channels; ++c) {
        channels[c][i] = value;
      }
    }
    vorbis_analysis_wrote(&dsp, static_cast<int>(count));
    drain();
  }
  vorbis_analysis_wrote(&dsp, 0);
  drain();
  writePages(stream, out, true);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
}

void useWaveOutput(const std::string& configPath, const std::string& wavePath, const std::string& extraGeneral) {
  writeConfig(configPath, generalSection(extraGeneral) + "[wave]\nfile = " + wavePath + "\n", "wave");
}

void useNullOutput(const std::string& configPath, const std::string& extraGeneral) {
  writeConfig(configPath, generalSection(extraGeneral), "null");
}

Recording readWave(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    throw std::runtime_error("not a WAV file: " + path);
  }
  Recording recording;
  int channels = 0;
  int bits = 0;
  std::size_t offset = 12;
  while (offset + 8 <= bytes.size()) {
    const unsigned char* const chunk = bytes.data() + offset;
    const std::size_t declared = little32(chunk + 4);
    const std::size_t available = bytes.size() - offset - 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      channels = little16(chunk + 10);
      recording.sampleRate = static_cast<int>(little32(chunk + 12));
      bits = little16(chunk + 22);
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (bits != 16 || channels < 1) {
        throw std::runtime_error("expected 16-bit samples in " + path);
      }
      // The writer fills in the size only when the device closes; trust the file's length.
      const std::size_t size = declared == 0 || declared > available ? available : declared;
      const std::size_t frames = size / (2 * static_cast<std::size_t>(channels));
      recording.samples.resize(frames);
      for (std::size_t frame = 0; frame < frames; ++frame) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c) {
          const unsigned char* const sample = chunk + 8 + (frame * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)) * 2;
          sum += static_cast<float>(static_cast<std::int16_t>(little16(sample))) / 32768.0f;
        }
        recording.samples[frame] = sum / static_cast<float>(channels);
      }
      return recording;
    }
    offset += 8 + declared + (declared & 1);
  }
  throw std::runtime_error("no data chunk in " + path);
}

Span loudSpan(const std::vector<float>& samples, float threshold) {
  Span span;
  bool found = false;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (std::fabs(samples[i]) > threshold) {
      if (!found) {
        span.begin = i;
        found = true;
      }
      span.end = i + 1;
    }
  }
  return span;
}

std::vector<Span> loudSpans(const std::vector<float>& samples, float threshold, std::size_t minimumGap) {
  std::vector<Span> spans;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (std::fabs(samples[i]) <= threshold) {
      continue;
    }
    if (spans.empty() || i - spans.back().end >= minimumGap) {
      spans.push_back({i, i + 1});
    } else {
      spans.back().end = i + 1;
    }
  }
  return spans;
}

double rms(const std::vector<float>& samples, std::size_t begin, std::size_t end) {
  double sum = 0.0;
  for (std::size_t i = begin; i < end; ++i) {
    sum += static_cast<double>(samples[i]) * samples[i];
  }
  return end > begin ? std::sqrt(sum / static_cast<double>(end - begin)) : 0.0;
}

double toneAmplitude(const Recording& recording, std::size_t begin, std::size_t end, double frequency) {
  double real = 0.0;
  double imaginary = 0.0;
  const double step = 2.0 * Pi * frequency / recording.sampleRate;
  for (std::size_t i = begin; i < end; ++i) {
    const double phase = step * static_cast<double>(i - begin);
    real += recording.samples[i] * std::cos(phase);
    imaginary += recording.samples[i] * std::sin(phase);
  }
  return end > begin ? 2.0 * std::hypot(real, imaginary) / static_cast<double>(end - begin) : 0.0;
}

std::size_t longestQuietRun(const std::vector<float>& samples, std::size_t begin, std::size_t end, float threshold) {
  std::size_t longest = 0;
  std::size_t run = 0;
  for (std::size_t i = begin; i < end; ++i) {
    run = std::fabs(samples[i]) < threshold ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

float largestStep(const std::vector<float>& samples, std::size_t begin, std::size_t end) {
  float largest = 0.0f;
  for (std::size_t i = begin + 1; i < end; ++i) {
    largest = std::max(largest, std::fabs(samples[i] - samples[i - 1]));
  }
  return largest;
}
