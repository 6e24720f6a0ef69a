#include "SoundEngine.h"

#include <atomic>

namespace sound {
namespace {

// Placeholder until the OpenAL engine lands: a silent engine with a working reference count.
class SilentEngine final : public SoundEngine {
 public:
  void play2D(const char* /*soundFileName*/, bool /*playLooped*/) override {}
  void stopAllSounds() override {}
  void setSoundVolume(float volume) override { volume_ = volume; }
  float getSoundVolume() const override { return volume_; }
  bool isCurrentlyPlaying(const char* /*soundFileName*/) override { return false; }
  void grab() override { ++references_; }
  bool drop() override {
    if (--references_ == 0) {
      delete this;
      return true;
    }
    return false;
  }

 private:
  float volume_ = 1.0f;
  std::atomic<int> references_{1};
};

}  // namespace

SoundEngine* createSoundDevice() { return new SilentEngine(); }

}  // namespace sound
