#pragma once

// The sound engine interface the game plays its music, ambience and effects through.

namespace sound {

// One independent sound engine: its own voices and its own master volume. Engines are
// reference counted; the creator holds one reference and gives it back with drop().
// Every operation is safe when no audio device could be opened: the engine then stays silent.
class SoundEngine {
 public:
  // Starts a file at once, non-positional. A missing or undecodable file prints one line and
  // plays nothing; this engine then does not try to open it again.
  virtual void play2D(const char* soundFileName, bool playLooped = false) = 0;
  virtual void stopAllSounds() = 0;
  // Master volume 0..1 for the sounds already playing on this engine and those started later.
  virtual void setSoundVolume(float volume) = 0;
  virtual float getSoundVolume() const = 0;
  // True while a sound started from this file name is still playing on this engine.
  virtual bool isCurrentlyPlaying(const char* soundFileName) = 0;
  virtual void grab() = 0;
  // Releases one reference; the engine is destroyed when the last one is released.
  virtual bool drop() = 0;

 protected:
  virtual ~SoundEngine() = default;
};

// Opens the default output device for a new engine. Never returns null: without a device the
// engine is silent and says so once on the console.
SoundEngine* createSoundDevice();

}  // namespace sound
