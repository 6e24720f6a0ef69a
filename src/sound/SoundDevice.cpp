// Opening and sharing the OpenAL device and context.
#include "sound/SoundDevice.h"

#include <AL/alc.h>
#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace sound {
namespace {

void announceSilence() {
  static std::atomic<bool> announced{false};
  if (!announced.exchange(true)) {
    std::fprintf(stderr, "[sound] No audio output device could be opened; the game runs without sound.\n");
    std::fflush(stderr);
  }
}

void ignoreAlsaError(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
                     const char* /*format*/, ...) {}

// A machine without a sound card makes the audio libraries print a screen of their own errors
// for every attempt; the game says it once in its own words instead. OpenAL Soft is quieted
// through its documented variable (unless the player set it), and ALSA, which OpenAL Soft loads
// at run time, through its error handler.
void quietAudioLibraries() {
  setenv("ALSOFT_LOGLEVEL", "0", 0);
  using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
  if (void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL)) {
    if (auto setHandler = reinterpret_cast<int (*)(ErrorHandler)>(
            dlsym(alsa, "snd_lib_error_set_handler"))) {
      setHandler(ignoreAlsaError);
    }
  }
}

}  // namespace

std::shared_ptr<SoundDevice> SoundDevice::acquire() {
  static std::mutex mutex;
  static std::weak_ptr<SoundDevice> shared;
  // A device that could not be opened is not asked for again: the answer would be the same,
  // only slower and, on some systems, noisier.
  static bool unavailable = false;
  const std::lock_guard<std::mutex> lock(mutex);
  if (std::shared_ptr<SoundDevice> existing = shared.lock()) {
    return existing;
  }
  if (unavailable) {
    return nullptr;
  }
  quietAudioLibraries();
  ALCdevice* const device = alcOpenDevice(nullptr);
  if (device == nullptr) {
    unavailable = true;
    announceSilence();
    return nullptr;
  }
  ALCcontext* const context = alcCreateContext(device, nullptr);
  if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
    if (context != nullptr) {
      alcDestroyContext(context);
    }
    alcCloseDevice(device);
    unavailable = true;
    announceSilence();
    return nullptr;
  }
  try {
    auto opened = std::make_shared<SoundDevice>(device, context);
    shared = opened;
    return opened;
  } catch (...) {
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
    announceSilence();
    return nullptr;
  }
}

SoundDevice::SoundDevice(ALCdevice* device, ALCcontext* context) : device_(device), context_(context) {}

SoundDevice::~SoundDevice() {
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(context_);
  alcCloseDevice(device_);
}

}  // namespace sound
