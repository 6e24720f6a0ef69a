#pragma once

// Every sound of the game. Music is first written down as a composition, then performed;
// the storm and the thunder are rendered directly. Pieces come back at full length but not yet
// at their final loudness, looped ones with their seam already closed.

#include <cstdint>
#include <string>
#include <vector>

#include "Dsp.h"
#include "Score.h"

namespace audio {

struct Piece {
  Stereo audio;
  // Anything in the written score that did not add up; a piece with problems is not written.
  std::vector<std::string> problems;
};

struct Composition {
  Song song;
  std::vector<std::string> problems;
  double seconds = 0.0;  // the loop's length, or the whole length of a piece played once
  bool looped = true;
  Random random{1};  // the performers' fixed random state: timing, velocity, noise
};

// The sheet a piece is written on and the song it is played as: its metre, tempo and room.
struct SongSetUp {
  Sheet sheet;
  Song song;
};
// A looped piece: its bars of beatsPerBar beats fill exactly loopSeconds.
SongSetUp startLoopedSong(double bars, double beatsPerBar, double loopSeconds, RoomSettings room);
// A piece at a tempo.
SongSetUp startSong(double beatsPerBar, double beatsPerMinute, RoomSettings room);
// The written piece: the song with its tracks, what its sheet found wrong, its length in
// seconds (the loop's, or the whole piece's), and the number that picks how
// the players vary their timing and touch.
Composition finishSong(const Sheet& sheet, Song song, std::vector<Track> tracks, double seconds,
                       bool looped, std::uint64_t performance);

Composition writeIntro();
Composition writeTitle();
Composition writeRace();
Composition writeDoom();
Composition writeCredits();

// A looped composition has what rings past its end (notes, echoes, the room) folded onto its
// start, as it is heard when the loop repeats; one played once fades in and dies away.
Piece perform(Composition composition);

Piece makeStorm();
Piece makeThunder();

}  // namespace audio
