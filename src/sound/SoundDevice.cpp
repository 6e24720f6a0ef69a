#include "sound/SoundDevice.h"

#include <AL/alc.h>

#include <atomic>
#include <cstdio>
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

}  // namespace

std::shared_ptr<SoundDevice> SoundDevice::acquire() {
  static std::mutex mutex;
  static std::weak_ptr<SoundDevice> shared;
  const std::lock_guard<std::mutex> lock(mutex);
  if (std::shared_ptr<SoundDevice> existing = shared.lock()) {
    return existing;
  }
  ALCdevice* const device = alcOpenDevice(nullptr);
  if (device == nullptr) {
    announceSilence();
    return nullptr;
  }
  ALCcontext* const context = alcCreateContext(device, nullptr);
  if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
    if (context != nullptr) {
      alcDestroyContext(context);
    }
    alcCloseDevice(device);
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
