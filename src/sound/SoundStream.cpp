// Streaming a long file through a few buffers on one source.
#include "sound/SoundStream.h"

#include <AL/al.h>

namespace sound {

std::unique_ptr<SoundStream> SoundStream::create(std::unique_ptr<OggDecoder> decoder, bool looped,
                                                 int bufferFrames, int bufferCount) {
  std::unique_ptr<SoundStream> stream(new SoundStream(std::move(decoder), looped, bufferFrames));
  stream->buffers_.assign(static_cast<std::size_t>(bufferCount), 0);
  alGenBuffers(bufferCount, stream->buffers_.data());
  for (const ALuint buffer : stream->buffers_) {
    if (buffer == 0) {
      stream->buffers_.clear();
      return nullptr;
    }
  }
  // Only the first buffer is decoded here, on the caller's thread, so a start costs little; the
  // streaming thread fills the others right after.
  stream->unqueued_.reserve(stream->buffers_.size());
  stream->unqueued_.assign(stream->buffers_.begin() + 1, stream->buffers_.end());
  if (stream->fill(stream->buffers_.front())) {
    stream->primed_ = stream->buffers_.front();
  }
  return stream;
}

SoundStream::SoundStream(std::unique_ptr<OggDecoder> decoder, bool looped, int bufferFrames)
    : decoder_(std::move(decoder)),
      looped_(looped),
      pcm_(static_cast<std::size_t>(bufferFrames) * static_cast<std::size_t>(decoder_->channels())) {}

SoundStream::~SoundStream() {
  if (!buffers_.empty()) {
    alDeleteBuffers(static_cast<ALsizei>(buffers_.size()), buffers_.data());
  }
}

void SoundStream::startOn(unsigned source) {
  source_ = source;
  if (primed_ != 0) {
    alSourceQueueBuffers(source_, 1, &primed_);
    alSourcePlay(source_);
  }
}

void SoundStream::refill() {
  ALint processed = 0;
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
  for (; processed > 0; --processed) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    if (buffer != 0) {
      unqueued_.push_back(buffer);
    }
  }
  while (!unqueued_.empty() && fill(unqueued_.back())) {
    alSourceQueueBuffers(source_, 1, &unqueued_.back());
    unqueued_.pop_back();
  }
  ALint state = AL_STOPPED;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  ALint queued = 0;
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  if (state != AL_PLAYING && queued > 0) {
    alSourcePlay(source_);
  }
}

bool SoundStream::finished() const {
  if (!exhausted_) {
    return false;
  }
  ALint state = AL_STOPPED;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  return state != AL_PLAYING;
}

bool SoundStream::fill(unsigned buffer) {
  if (exhausted_) {
    return false;
  }
  const std::size_t capacity = pcm_.size() / static_cast<std::size_t>(decoder_->channels());
  std::size_t frames = 0;
  bool rewoundWithoutProgress = false;
  while (frames < capacity) {
    const std::size_t got =
        decoder_->read(pcm_.data() + frames * static_cast<std::size_t>(decoder_->channels()), capacity - frames);
    if (got > 0) {
      frames += got;
      rewoundWithoutProgress = false;
      continue;
    }
    if (!looped_ || rewoundWithoutProgress || !decoder_->rewind()) {
      exhausted_ = true;
      break;
    }
    rewoundWithoutProgress = true;
  }
  if (frames == 0) {
    return false;
  }
  alBufferData(buffer, decoder_->alFormat(), pcm_.data(),
               static_cast<ALsizei>(frames * static_cast<std::size_t>(decoder_->channels()) * sizeof(std::int16_t)),
               decoder_->sampleRate());
  return true;
}

}  // namespace sound
