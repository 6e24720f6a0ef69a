#pragma once

// Long sounds played from disk without holding them in memory.

#include <cstdint>
#include <memory>
#include <vector>

#include "sound/SoundDecoder.h"

namespace sound {

// A file played from disk through a few buffers that take turns on one source, so memory
// stays the same however long the file is. A looped stream wraps around inside a buffer,
// which keeps the seam gapless.
class SoundStream {
 public:
  // Decodes the first buffer ahead of time. Null when OpenAL cannot give the buffers.
  static std::unique_ptr<SoundStream> create(std::unique_ptr<OggDecoder> decoder, bool looped,
                                             int bufferFrames, int bufferCount);

  ~SoundStream();
  SoundStream(const SoundStream&) = delete;
  SoundStream& operator=(const SoundStream&) = delete;

  // Queues the decoded buffer on the source and starts it. The source must be stopped and
  // empty, and must be stopped and emptied again before this stream is destroyed.
  void startOn(unsigned source);
  // Fills every buffer the source is not playing with fresh audio and queues it, and restarts a
  // source that ran dry before the refill came.
  void refill();
  // True once every decoded frame has been played.
  bool finished() const;

 private:
  SoundStream(std::unique_ptr<OggDecoder> decoder, bool looped, int bufferFrames);
  // False when there is nothing left to put in the buffer.
  bool fill(unsigned buffer);

  std::unique_ptr<OggDecoder> decoder_;
  const bool looped_;
  std::vector<std::int16_t> pcm_;
  std::vector<unsigned> buffers_;
  // The buffers not queued on the source; room for all of them is reserved up front, so the
  // refill never allocates.
  std::vector<unsigned> unqueued_;
  unsigned primed_ = 0;
  unsigned source_ = 0;
  bool exhausted_ = false;
};

}  // namespace sound
