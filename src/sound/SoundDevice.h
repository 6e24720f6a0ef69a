#pragma once

// The one audio output all engines play through.

#include <AL/alc.h>

#include <memory>

namespace sound {

// The process's audio output, shared by every engine: one device and one context, so all
// engines mix into the same stream. It closes when the last engine lets go of it.
class SoundDevice {
 public:
  // Null when no device can be opened; the first failure is announced on the console, once
  // for the whole process.
  static std::shared_ptr<SoundDevice> acquire();

  SoundDevice(ALCdevice* device, ALCcontext* context);
  ~SoundDevice();
  SoundDevice(const SoundDevice&) = delete;
  SoundDevice& operator=(const SoundDevice&) = delete;

 private:
  ALCdevice* device_;
  ALCcontext* context_;
};

}  // namespace sound
