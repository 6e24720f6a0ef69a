// Decoding Ogg Vorbis files with libvorbisfile.
#include "sound/SoundDecoder.h"

#include <AL/al.h>
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sound {
namespace {

std::size_t readFile(void* destination, std::size_t size, std::size_t count, void* file) {
  return std::fread(destination, size, count, static_cast<std::FILE*>(file));
}

int seekFile(void* file, ogg_int64_t offset, int whence) {
  return fseeko(static_cast<std::FILE*>(file), static_cast<off_t>(offset), whence);
}

int closeFile(void* file) { return std::fclose(static_cast<std::FILE*>(file)); }

long tellFile(void* file) { return std::ftell(static_cast<std::FILE*>(file)); }

const char* describeOpenError(int code) {
  switch (code) {
    case OV_EREAD:
      return "the file could not be read";
    case OV_ENOTVORBIS:
      return "not an Ogg Vorbis file";
    case OV_EVERSION:
      return "unsupported Vorbis version";
    case OV_EBADHEADER:
      return "damaged Vorbis header";
    default:
      return "not a decodable Ogg Vorbis file";
  }
}

}  // namespace

std::unique_ptr<OggDecoder> OggDecoder::open(const std::string& fileName, std::string& error) {
  std::FILE* const handle = std::fopen(fileName.c_str(), "rb");
  if (handle == nullptr) {
    error = std::strerror(errno);
    return nullptr;
  }
  auto file = std::make_unique<OggVorbis_File>();
  const ov_callbacks callbacks{readFile, seekFile, closeFile, tellFile};
  const int opened = ov_open_callbacks(handle, file.get(), nullptr, 0, callbacks);
  if (opened != 0) {
    // On failure the library leaves the file to its opener.
    std::fclose(handle);
    error = describeOpenError(opened);
    return nullptr;
  }
  const vorbis_info* const info = ov_info(file.get(), -1);
  if (info == nullptr || info->channels < 1 || info->channels > 2 || info->rate <= 0) {
    ov_clear(file.get());
    error = info == nullptr ? "no stream information" : "only mono and stereo files are supported";
    return nullptr;
  }
  return std::unique_ptr<OggDecoder>(
      new OggDecoder(std::move(file), info->channels, static_cast<int>(info->rate)));
}

OggDecoder::OggDecoder(std::unique_ptr<OggVorbis_File> file, int channels, int sampleRate)
    : file_(std::move(file)), channels_(channels), sampleRate_(sampleRate) {}

OggDecoder::~OggDecoder() { ov_clear(file_.get()); }

int OggDecoder::alFormat() const { return channels_ == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16; }

long long OggDecoder::totalFrames() const {
  const ogg_int64_t total = ov_pcm_total(file_.get(), -1);
  return total < 0 ? -1 : static_cast<long long>(total);
}

std::size_t OggDecoder::read(std::int16_t* frames, std::size_t maxFrames) {
  const std::size_t frameBytes = sizeof(std::int16_t) * static_cast<std::size_t>(channels_);
  char* const destination = reinterpret_cast<char*>(frames);
  std::size_t filledBytes = 0;
  const std::size_t wantedBytes = maxFrames * frameBytes;
  while (filledBytes < wantedBytes) {
    int section = 0;
    const std::size_t chunk = std::min<std::size_t>(wantedBytes - filledBytes, 1 << 16);
    const long got = ov_read(file_.get(), destination + filledBytes, static_cast<int>(chunk), 0, 2, 1,
                             &section);
    if (got == OV_HOLE) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    if (section != currentSection_) {
      const vorbis_info* const info = ov_info(file_.get(), section);
      if (info == nullptr || info->channels != channels_ || info->rate != sampleRate_) {
        break;
      }
      currentSection_ = section;
    }
    filledBytes += static_cast<std::size_t>(got);
  }
  return filledBytes / frameBytes;
}

bool OggDecoder::rewind() { return ov_pcm_seek(file_.get(), 0) == 0; }

}  // namespace sound
