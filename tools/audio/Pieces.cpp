#include "Pieces.h"

#include <algorithm>

#include "Mastering.h"

namespace audio {
namespace {
constexpr double RumbleCutoffHz = 28.0;
}  // namespace

Piece perform(Composition composition) {
  Piece piece;
  piece.problems = composition.problems;
  const Song& song = composition.song;
  // Every note is rendered to its very end, so nothing is cut off.
  piece.audio =
      song.render(std::max(composition.seconds, song.soundingSeconds()), composition.random);
  removeRumble(piece.audio, RumbleCutoffHz);
  const std::size_t frames = secondsToFrames(composition.seconds);
  if (composition.looped) {
    foldLoop(piece.audio, frames);
  } else {
    piece.audio.left.resize(frames);
    piece.audio.right.resize(frames);
    fadeIn(piece.audio, 0.005);
    fadeOut(piece.audio, 2.0);
  }
  return piece;
}

}  // namespace audio
