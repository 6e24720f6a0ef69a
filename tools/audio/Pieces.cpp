#include "Pieces.h"

#include "Mastering.h"

namespace audio {
namespace {
// Long enough for the longest release and the room to die away.
constexpr double RingOutSeconds = 7.0;
constexpr double RumbleCutoffHz = 28.0;
}  // namespace

Piece perform(Composition composition) {
  Piece piece;
  piece.problems = composition.problems;
  if (composition.looped) {
    piece.audio = composition.song.render(composition.seconds + RingOutSeconds, composition.random);
    removeRumble(piece.audio, RumbleCutoffHz);
    foldLoop(piece.audio, secondsToFrames(composition.seconds));
  } else {
    piece.audio = composition.song.render(composition.seconds, composition.random);
    removeRumble(piece.audio, RumbleCutoffHz);
    fadeIn(piece.audio, 0.005);
    fadeOut(piece.audio, 2.0);
  }
  return piece;
}

}  // namespace audio
