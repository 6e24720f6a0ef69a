// The lighthouse reached: D major, 4/4 at 90, played once. Two bars of harp and strings open
// like a clearing sky; a whistle sings an eight-bar tune that climbs from the tonic to the high
// B and settles on the third, a cello answers below it, a frame drum walks along, and the
// lighthouse bell rings in the final chord as everything dies away (about 33 seconds).

#include <memory>

#include "Pieces.h"

namespace audio {
namespace {

constexpr double Bars = 11.0;
constexpr double BeatsPerBar = 4.0;
constexpr double BeatsPerMinute = 90.0;
constexpr double RingOutSeconds = 4.0;

}  // namespace

Composition writeCredits() {
  auto [sheet, song] = startSong(BeatsPerBar, BeatsPerMinute, {0.8, 0.4, 0.025, 1.0});

  const std::vector<Chord> chords =
      sheet.chords(0,
                   "D:4 | G/D:4 | D:4 | A/C#:4 | Bm:4 | G:4 | D/F#:4 | Em7:2 A7:2 |"
                   "Bm:2 G:2 | Em:2 A:2 | D:4 |");

  Track whistle;
  whistle.instrument = std::make_shared<Whistle>(Adsr{0.05, 0.3, 0.85, 0.25});
  whistle.notes = sheet.melody(
      2,
      "A4:1 D5:1 F#5:1.5 E5:.5 | E5:2 C#5:1 A4:1 | B4:1 D5:1 F#5:1 B5:1 | A5:1.5 G5:.5 G5:1 D5:1 |"
      "F#5:1 A5:1 A5:1.5 G5:.5 | G5:1.5 F#5:.5 E5:1 C#5:1 | D5:1.5 F#5:.5 B5:1 G5:1 |"
      "G5:1 B5:1 A5:1.5 G5:.5 | F#5:4 |",
      0.8);
  swell(whistle.notes, 8.0, 36.0, 0.9, 1.1);
  whistle.gainDb = 0.0;
  whistle.pan = 0.1;
  whistle.reverbSend = 0.35;

  Track cello;
  cello.instrument =
      std::make_shared<Bowed>(Adsr{0.12, 0.5, 0.85, 0.5}, Bowed::celloBody(), 12.0, 3200.0);
  cello.notes = sheet.melody(
      4, "F#3:2 B3:2 | B3:2 D4:2 | A3:2 D4:2 | G3:2 C#4:2 | D4:2 B3:2 | E4:2 C#4:2 | D4:4 |", 0.65);
  cello.gainDb = -4.0;
  cello.pan = -0.35;
  cello.reverbSend = 0.3;

  Track bass;
  bass.instrument = std::make_shared<Pluck>(0.25, 2.5, 0.3, 0.3);
  for (const Chord& chord : chords) {
    bass.notes.push_back(
        {chord.beat, chord.beats, static_cast<double>(bassPitch(chord, 38)), 0.75});
  }
  bass.gainDb = -3.0;
  bass.reverbSend = 0.15;

  Track harp;
  harp.instrument = std::make_shared<Pluck>(0.55, 3.0, 0.8, 0.15);
  harp.notes =
      arpeggiate(chords, voiceChords(chords, 50, 64, 3), {0, 1, 2, 3, 4, 3, 2, 1}, 0.5, 0.5, 2.0);
  swell(harp.notes, 0.0, 8.0, 0.8, 1.0);
  harp.gainDb = -3.0;
  harp.pan = 0.35;
  harp.panSpread = 0.3;
  harp.reverbSend = 0.35;

  Track strings;
  strings.instrument = std::make_shared<Ensemble>(Adsr{0.8, 1.0, 0.85, 1.5}, 4, 9.0, 0.3);
  strings.notes = sustainChords(chords, voiceChords(chords, 50, 66, 4), 0.4);
  swell(strings.notes, 0.0, 44.0, 0.8, 1.3);
  strings.gainDb = -8.0;
  strings.panSpread = 0.6;
  strings.reverbSend = 0.45;

  Track drum;
  drum.instrument = std::make_shared<Drum>(DrumKind::FrameDrum, 0.18);
  drum.notes = sheet.rhythm(6, 4, "x.o.x.oo", 0.5, 40, 0.5);
  drum.gainDb = -7.0;
  drum.pan = -0.15;
  drum.reverbSend = 0.25;

  Track timpani;
  timpani.instrument = std::make_shared<Drum>(DrumKind::Timpani, 1.6);
  std::vector<ScoreNote> roll = sheet.rhythm(9, 1, "xxxxxxxxxxxxxxxx", 0.25, 45, 0.25);
  swell(roll, 36.0, 40.0, 0.6, 2.2);
  timpani.notes = roll;
  timpani.notes.push_back({40.0, 1.0, 38.0, 0.9});
  timpani.gainDb = -4.0;
  timpani.reverbSend = 0.3;

  Track bell;
  bell.instrument = std::make_shared<Bell>(3.0);
  bell.notes.push_back({8.0, 1.0, 74.0, 0.35});
  bell.notes.push_back({40.0, 1.0, 74.0, 0.6});
  bell.gainDb = -2.0;
  bell.pan = -0.4;
  bell.reverbSend = 0.6;

  const double seconds = Bars * BeatsPerBar * song.beatSeconds + RingOutSeconds;
  return finishSong(sheet, song, {whistle, cello, bass, harp, strings, drum, timpani, bell},
                    seconds, false, 0xC4ED175AULL);
}

}  // namespace audio
