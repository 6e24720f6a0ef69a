// The sound engine over OpenAL: voices, cached clips, streams and the master volume.
#include "sound/SoundEngine.h"

#include <AL/al.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "sound/SoundDecoder.h"
#include "sound/SoundDevice.h"
#include "sound/SoundReport.h"
#include "sound/SoundSettings.h"
#include "sound/SoundStream.h"

namespace sound {
namespace {

// Well inside the play time of the buffers a stream keeps queued, so a refill is never late.
constexpr std::chrono::milliseconds RefillInterval{10};

// Called only inside a catch block: names the exception being handled.
void reportCurrentException(const char* operation) noexcept {
  try {
    throw;
  } catch (const std::exception& error) {
    reportOnce(std::string("[sound] ") + operation + " failed: " + error.what());
  } catch (...) {
    reportOnce(std::string("[sound] ") + operation + " failed");
  }
}

// One sound started by play2D: a source with either a cached clip or a stream of its own.
struct Voice {
  std::string fileName;
  ALuint source = 0;
  std::unique_ptr<SoundStream> stream;

  bool isPlaying() const {
    if (stream) {
      return !stream->finished();
    }
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
  }
};

// What play2D starts: a cached buffer, or a freshly opened stream.
struct Playable {
  ALuint clip = 0;
  std::unique_ptr<SoundStream> stream;
};

class OpenAlEngine final : public SoundEngine {
 public:
  OpenAlEngine(std::shared_ptr<SoundDevice> device, const SoundSettings& settings)
      : device_(std::move(device)), settings_(settings) {
    settings_.streamBufferFrames = std::max(settings_.streamBufferFrames, 256);
    settings_.streamBufferCount = std::max(settings_.streamBufferCount, 2);
    if (!device_) {
      return;
    }
    try {
      refiller_ = std::thread([this] { refillStreams(); });
    } catch (...) {
      reportCurrentException("Starting the streaming thread");
      device_.reset();
    }
  }

  ~OpenAlEngine() override {
    if (!device_) {
      return;
    }
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    refiller_.join();
    for (Voice& voice : voices_) {
      release(voice);
    }
    voices_.clear();
    if (!idleSources_.empty()) {
      alDeleteSources(static_cast<ALsizei>(idleSources_.size()), idleSources_.data());
    }
    for (const auto& cached : clips_) {
      alDeleteBuffers(1, &cached.second);
    }
  }

  OpenAlEngine(const OpenAlEngine&) = delete;
  OpenAlEngine& operator=(const OpenAlEngine&) = delete;

  void play2D(const char* soundFileName, bool playLooped) override {
    if (!device_ || soundFileName == nullptr) {
      return;
    }
    try {
      start(soundFileName, playLooped);
    } catch (...) {
      reportCurrentException("Playing a sound");
    }
  }

  void stopAllSounds() override {
    if (!device_) {
      return;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    for (Voice& voice : voices_) {
      release(voice);
    }
    voices_.clear();
  }

  void setSoundVolume(float volume) override {
    const float clamped = volume >= 0.0f ? std::min(volume, 1.0f) : 0.0f;
    const std::lock_guard<std::mutex> lock(mutex_);
    volume_ = clamped;
    for (const Voice& voice : voices_) {
      alSourcef(voice.source, AL_GAIN, volume_);
    }
  }

  float getSoundVolume() const override {
    const std::lock_guard<std::mutex> lock(mutex_);
    return volume_;
  }

  bool isCurrentlyPlaying(const char* soundFileName) override {
    if (!device_ || soundFileName == nullptr) {
      return false;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    return std::any_of(voices_.begin(), voices_.end(), [soundFileName](const Voice& voice) {
      return voice.fileName == soundFileName && voice.isPlaying();
    });
  }

  void grab() override { references_.fetch_add(1); }

  bool drop() override {
    if (references_.fetch_sub(1) == 1) {
      delete this;
      return true;
    }
    return false;
  }

 private:
  void start(const std::string& fileName, bool looped) {
    Playable playable = prepare(fileName, looped);
    if (playable.clip == 0 && !playable.stream) {
      return;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    reclaimFinishedVoices();
    const ALuint source = takeSource();
    if (source == 0) {
      reportOnce("[sound] Cannot play '" + fileName + "': no free voice");
      return;
    }
    alSourcef(source, AL_GAIN, volume_);
    Voice voice{fileName, source, std::move(playable.stream)};
    if (voice.stream) {
      voice.stream->startOn(source);
    } else {
      alSourcei(source, AL_LOOPING, looped ? AL_TRUE : AL_FALSE);
      alSourcei(source, AL_BUFFER, static_cast<ALint>(playable.clip));
      alSourcePlay(source);
    }
    try {
      voices_.push_back(std::move(voice));
    } catch (...) {
      release(voice);
      throw;
    }
    wake_.notify_one();
  }

  // Decoding happens here, outside the lock, so the streaming thread is never kept waiting on it.
  Playable prepare(const std::string& fileName, bool looped) {
    Playable playable;
    const auto cached = clips_.find(fileName);
    if (cached != clips_.end()) {
      playable.clip = cached->second;
      return playable;
    }
    if (unplayable_.count(fileName) != 0) {
      return playable;
    }
    std::string error;
    std::unique_ptr<OggDecoder> decoder = OggDecoder::open(fileName, error);
    if (!decoder) {
      reportOnce("[sound] Cannot play '" + fileName + "': " + error);
      unplayable_.insert(fileName);
      return playable;
    }
    const long long frames = decoder->totalFrames();
    const auto samples = static_cast<unsigned long long>(frames) * static_cast<unsigned>(decoder->channels());
    if (frames >= 0 && samples * sizeof(std::int16_t) <= settings_.largestCachedBytes) {
      playable.clip = decodeClip(fileName, *decoder, static_cast<std::size_t>(frames));
      return playable;
    }
    playable.stream =
        SoundStream::create(std::move(decoder), looped, settings_.streamBufferFrames, settings_.streamBufferCount);
    if (!playable.stream) {
      reportOnce("[sound] Cannot play '" + fileName + "': no audio buffers left");
    }
    return playable;
  }

  ALuint decodeClip(const std::string& fileName, OggDecoder& decoder, std::size_t frames) {
    const auto channels = static_cast<std::size_t>(decoder.channels());
    std::vector<std::int16_t> pcm(frames * channels);
    std::size_t decoded = 0;
    while (decoded < frames) {
      const std::size_t got = decoder.read(pcm.data() + decoded * channels, frames - decoded);
      if (got == 0) {
        break;
      }
      decoded += got;
    }
    if (decoded == 0) {
      reportOnce("[sound] Cannot play '" + fileName + "': no audio could be decoded");
      unplayable_.insert(fileName);
      return 0;
    }
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (buffer == 0) {
      reportOnce("[sound] Cannot play '" + fileName + "': no audio buffers left");
      return 0;
    }
    alBufferData(buffer, decoder.alFormat(), pcm.data(),
                 static_cast<ALsizei>(decoded * channels * sizeof(std::int16_t)), decoder.sampleRate());
    try {
      clips_.emplace(fileName, buffer);
    } catch (...) {
      alDeleteBuffers(1, &buffer);
      throw;
    }
    return buffer;
  }

  // Requires mutex_. Sources are kept for reuse rather than deleted, so a one-shot restarted
  // every few seconds keeps using the same one.
  ALuint takeSource() {
    if (!idleSources_.empty()) {
      const ALuint source = idleSources_.back();
      idleSources_.pop_back();
      return source;
    }
    ALuint source = 0;
    alGenSources(1, &source);
    if (source != 0) {
      alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
      alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
      alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    }
    return source;
  }

  // Requires mutex_. Stops the voice and gives its source back to the idle pool.
  void release(Voice& voice) {
    alSourceStop(voice.source);
    alSourcei(voice.source, AL_BUFFER, 0);
    alSourcei(voice.source, AL_LOOPING, AL_FALSE);
    voice.stream.reset();
    try {
      idleSources_.push_back(voice.source);
    } catch (...) {
      alDeleteSources(1, &voice.source);
    }
    voice.source = 0;
  }

  // Requires mutex_.
  void reclaimFinishedVoices() {
    const auto finished = std::partition(voices_.begin(), voices_.end(),
                                         [](const Voice& voice) { return voice.isPlaying(); });
    for (auto voice = finished; voice != voices_.end(); ++voice) {
      release(*voice);
    }
    voices_.erase(finished, voices_.end());
  }

  void refillStreams() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
      try {
        if (voices_.empty()) {
          wake_.wait(lock, [this] { return stopping_ || !voices_.empty(); });
          continue;
        }
        for (const Voice& voice : voices_) {
          if (voice.stream) {
            voice.stream->refill();
          }
        }
        reclaimFinishedVoices();
      } catch (...) {
        reportCurrentException("Streaming a sound");
      }
      wake_.wait_for(lock, RefillInterval, [this] { return stopping_; });
    }
  }

  std::shared_ptr<SoundDevice> device_;
  SoundSettings settings_;
  std::atomic<int> references_{1};

  // Only the main thread touches the clip cache and the list of files that cannot be played. A
  // file that failed once is not opened again: the thunder bed asks for its file every frame.
  std::unordered_map<std::string, ALuint> clips_;
  std::unordered_set<std::string> unplayable_;

  // Shared with the streaming thread.
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  float volume_ = 1.0f;
  std::vector<Voice> voices_;
  std::vector<ALuint> idleSources_;

  std::thread refiller_;
};

}  // namespace

SoundEngine* createSoundDevice(const SoundSettings& settings) {
  return new OpenAlEngine(SoundDevice::acquire(), settings);
}

SoundEngine* createSoundDevice() { return createSoundDevice(SoundSettings{}); }

}  // namespace sound
