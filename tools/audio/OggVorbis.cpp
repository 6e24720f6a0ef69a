// Encoding audio as Ogg Vorbis with libvorbisenc.
#include "OggVorbis.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace audio {
namespace {

// The stream's serial number comes from the file name, so a file encodes to the same bytes on
// every run.
int serialNumber(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::uint32_t hash = 2166136261u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return static_cast<int>(hash & 0x7FFFFFFFu);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

class Encoder {
 public:
  Encoder() {
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~Encoder() {
    if (streamReady_) ogg_stream_clear(&stream_);
    if (blockReady_) vorbis_block_clear(&block_);
    if (dspReady_) vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  bool open(float quality, int serial, std::string& error) {
    if (vorbis_encode_init_vbr(&info_, 2, SampleRate, quality) != 0) {
      error = "the Vorbis encoder rejected its settings";
      return false;
    }
    vorbis_comment_add_tag(&comment_, "ENCODER", "Galeskerry sound generator");
    dspReady_ = vorbis_analysis_init(&dsp_, &info_) == 0;
    blockReady_ = dspReady_ && vorbis_block_init(&dsp_, &block_) == 0;
    streamReady_ = blockReady_ && ogg_stream_init(&stream_, serial) == 0;
    if (!streamReady_) error = "the Vorbis encoder could not start";
    return streamReady_;
  }

  bool writeHeaders(std::FILE* file) {
    ogg_packet identification, comments, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream_, &identification);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    // Audio starts on a fresh page, as the format asks.
    return flush(file);
  }

  bool writeAudio(std::FILE* file, const Stereo& audio) {
    constexpr std::size_t Chunk = 4096;
    for (std::size_t done = 0; done < audio.frames(); done += Chunk) {
      const std::size_t count = std::min(Chunk, audio.frames() - done);
      float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
      std::memcpy(buffer[0], audio.left.data() + done, count * sizeof(float));
      std::memcpy(buffer[1], audio.right.data() + done, count * sizeof(float));
      vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
      if (!drain(file)) return false;
    }
    // End of stream: the encoder stamps the last page with the exact sample count.
    vorbis_analysis_wrote(&dsp_, 0);
    return drain(file) && flush(file);
  }

 private:
  static bool writePage(std::FILE* file, const ogg_page& page) {
    return std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), file) ==
               static_cast<std::size_t>(page.header_len) &&
           std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), file) ==
               static_cast<std::size_t>(page.body_len);
  }

  bool drain(std::FILE* file) {
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page) != 0) {
          if (!writePage(file, page)) return false;
        }
      }
    }
    return true;
  }

  bool flush(std::FILE* file) {
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) {
      if (!writePage(file, page)) return false;
    }
    return true;
  }

  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  ogg_stream_state stream_{};
  bool dspReady_ = false;
  bool blockReady_ = false;
  bool streamReady_ = false;
};

}  // namespace

bool writeOggVorbis(const std::string& path, const Stereo& audio, float quality,
                    std::string& error) {
  Encoder encoder;
  if (!encoder.open(quality, serialNumber(path), error)) return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    error = std::string("cannot open for writing: ") + std::strerror(errno);
    return false;
  }
  if (!encoder.writeHeaders(file.get()) || !encoder.writeAudio(file.get(), audio)) {
    error = "write failed";
    return false;
  }
  if (std::fclose(file.release()) != 0) {
    error = "write failed on close";
    return false;
  }
  return true;
}

bool readOggVorbis(const std::string& path, Stereo& audio, std::string& error) {
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) {
    error = "not a readable Ogg Vorbis file";
    return false;
  }
  const vorbis_info* info = ov_info(&file, -1);
  if (info == nullptr || info->channels != 2) {
    ov_clear(&file);
    error = "not a stereo Ogg Vorbis file";
    return false;
  }
  audio = Stereo();
  float** pcm = nullptr;
  int section = 0;
  long count = 0;
  while ((count = ov_read_float(&file, &pcm, 4096, &section)) > 0) {
    audio.left.insert(audio.left.end(), pcm[0], pcm[0] + count);
    audio.right.insert(audio.right.end(), pcm[1], pcm[1] + count);
  }
  ov_clear(&file);
  if (count < 0) {
    error = "damaged Vorbis stream";
    return false;
  }
  return true;
}

}  // namespace audio
