// The song set-up every piece shares, and performing a written piece.
#include "Pieces.h"

#include <algorithm>
#include <utility>

#include "Mastering.h"

namespace audio {
namespace {
constexpr double RumbleCutoffHz = 28.0;
}  // namespace

SongSetUp startLoopedSong(double bars, double beatsPerBar, double loopSeconds, RoomSettings room) {
  SongSetUp setUp{Sheet(beatsPerBar), Song{}};
  setUp.song.beatSeconds = loopSeconds / (bars * beatsPerBar);
  setUp.song.room = room;
  return setUp;
}

SongSetUp startSong(double beatsPerBar, double beatsPerMinute, RoomSettings room) {
  SongSetUp setUp{Sheet(beatsPerBar), Song{}};
  setUp.song.beatSeconds = 60.0 / beatsPerMinute;
  setUp.song.room = room;
  return setUp;
}

Composition finishSong(const Sheet& sheet, Song song, std::vector<Track> tracks, double seconds,
                       bool looped, std::uint64_t performance) {
  song.tracks = std::move(tracks);
  return Composition{std::move(song), sheet.problems(), seconds, looped, Random(performance)};
}

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
