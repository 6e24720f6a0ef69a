// The story's music: a lament in D minor, 3/4 at 82 crotchets a minute, sixteen bars in
// exactly 35 seconds so that the story's lines fall on its sections. A lone fiddle over a drone
// (bars 1-4, the first line); strings and harp join (5-8); drums, voices and a howling gale
// rise with the storm under "Hold on!" (9-12); a timpani roll climbs to one great blow as the
// last line is cut off (13-15); and a bar of low A hangs over the silence before the loop
// returns to the drone.

#include <memory>

#include "Pieces.h"

namespace audio {
namespace {

constexpr double Bars = 16.0;
constexpr double BeatsPerBar = 3.0;
constexpr double LoopSeconds = 35.0;

}  // namespace

Composition writeIntro() {
  auto [sheet, song] = startLoopedSong(Bars, BeatsPerBar, LoopSeconds, {0.86, 0.45, 0.03, 1.0});

  const std::vector<Chord> chords =
      sheet.chords(0,
                   "Dm:3 | Dm:3 | Bb:3 | A:3 | Dm:3 | Gm:3 | C:3 | A:3 |"
                   "Bb:3 | F:3 | Gm:3 | A:3 | Dm:3 | Bb:2 A:1 | Dm:3 | A:3 |");
  const std::vector<Chord> accompanied(chords.begin() + 4, chords.begin() + 15);

  Track fiddle;
  fiddle.instrument =
      std::make_shared<Bowed>(Adsr{0.09, 0.4, 0.85, 0.35}, Bowed::violinBody(), 16.0, 6500.0);
  fiddle.notes = sheet.melody(
      0,
      "r:2 A4:1 | D5:1.5 E5:.5 F5:1 | F5:1 D5:1 Bb4:1 | C#5:1.5 B4:.5 A4:1 |"
      "D5:1.5 E5:.5 F5:1 | G5:1.5 F5:.5 D5:1 | E5:1.5 D5:.5 C5:1 | C#5:1 E5:1 A5:1 |"
      "Bb5:2 A5:.5 G5:.5 | A5:1.5 G5:.5 F5:1 | Bb5:1 A5:.5 G5:.5 D5:1 | E5:1.5 D5:.5 C#5:1 |"
      "D5:1 F5:1 A5:1 | D6:1.5 C6:.5 C#6:1 | D6:1! r:2 | r:3 |",
      0.8, 0.97);
  swell(fiddle.notes, 0.0, 12.0, 0.75, 0.9);
  swell(fiddle.notes, 24.0, 45.0, 1.1, 1.25);
  fiddle.gainDb = 0.0;
  fiddle.pan = 0.1;
  fiddle.reverbSend = 0.3;
  fiddle.timingJitter = 0.004;

  // The cello answers with long guide tones: thirds and fifths that carry the harmony.
  Track cello;
  cello.instrument =
      std::make_shared<Bowed>(Adsr{0.2, 0.6, 0.8, 0.6}, Bowed::celloBody(), 10.0, 3500.0);
  cello.notes = sheet.melody(
      4,
      "A3:3 | Bb3:2 A3:1 | G3:3 | A3:3 | D4:3 | C4:3 | Bb3:3 | C#4:3 | D4:3 | D4:2 C#4:1 |"
      "D4:1 r:2 |",
      0.6);
  swell(cello.notes, 24.0, 42.0, 1.0, 1.4);
  cello.gainDb = -3.0;
  cello.pan = -0.35;
  cello.reverbSend = 0.3;

  // Open fifth drone for the opening, then the bass follows the chord roots.
  Track bass;
  bass.instrument =
      std::make_shared<Bowed>(Adsr{0.8, 1.0, 0.9, 1.2}, Bowed::celloBody(), 4.0, 1800.0);
  bass.notes = sheet.melody(0, "D2:12 |", 0.7, 1.0);
  append(bass.notes, sheet.melody(0, "A2:12 |", 0.5, 1.0));
  std::vector<ScoreNote> roots;
  for (const Chord& chord : accompanied) {
    roots.push_back({chord.beat, chord.beats, static_cast<double>(bassPitch(chord, 38)), 0.7});
  }
  swell(roots, 24.0, 45.0, 1.15, 1.3);
  append(bass.notes, roots);
  append(bass.notes, sheet.melody(15, "A1:3 |", 0.55, 1.0));
  bass.gainDb = -5.0;
  bass.pan = -0.1;
  bass.reverbSend = 0.2;

  Track strings;
  strings.instrument = std::make_shared<Ensemble>(Adsr{0.45, 0.8, 0.85, 0.9}, 4, 9.0, 0.25);
  strings.notes = sustainChords(accompanied, voiceChords(accompanied, 55, 72, 4), 0.45, 1.0);
  swell(strings.notes, 24.0, 36.0, 1.1, 1.3);
  swell(strings.notes, 36.0, 45.0, 1.5, 1.6);
  strings.gainDb = -8.0;
  strings.panSpread = 0.5;
  strings.reverbSend = 0.35;

  // Harp: broken chords in eighths, up and back down.
  Track harp;
  harp.instrument = std::make_shared<Pluck>(0.45, 3.0, 0.6, 0.18);
  const std::vector<Chord> harpChords(accompanied.begin(), accompanied.begin() + 10);
  harp.notes = arpeggiate(harpChords, voiceChords(harpChords, 50, 64, 3), {0, 1, 2, 3, 2, 1}, 0.5,
                          0.55, 2.0);
  swell(harp.notes, 24.0, 42.0, 1.0, 1.3);
  harp.gainDb = -4.0;
  harp.pan = 0.4;
  harp.panSpread = 0.3;
  harp.reverbSend = 0.3;

  Track voices;
  voices.instrument = std::make_shared<Choir>(Adsr{0.7, 1.0, 0.9, 1.2}, Choir::vowelOo());
  const std::vector<Chord> stormChords(chords.begin() + 8, chords.begin() + 15);
  voices.notes = sustainChords(stormChords, voiceChords(stormChords, 57, 69, 3), 0.55);
  swell(voices.notes, 36.0, 45.0, 1.3, 1.5);
  voices.gainDb = -6.0;
  voices.panSpread = 0.6;
  voices.reverbSend = 0.45;

  Track timpani;
  timpani.instrument = std::make_shared<Drum>(DrumKind::Timpani, 1.3);
  timpani.notes = sheet.rhythm(8, 4, "x.o", 1.0, 38, 0.6);
  append(timpani.notes, sheet.rhythm(12, 1, "xxx", 1.0, 38, 0.75));
  // The roll: sixteenth strokes growing from a murmur to the blow on bar 15.
  std::vector<ScoreNote> roll = sheet.rhythm(13, 1, "xxxxxxxxxxxx", 0.25, 45, 0.3);
  swell(roll, 39.0, 42.0, 0.7, 2.6);
  append(timpani.notes, roll);
  append(timpani.notes, sheet.rhythm(14, 1, "X..", 1.0, 38, 1.2));
  timpani.gainDb = -6.0;
  timpani.reverbSend = 0.35;
  timpani.timingJitter = 0.003;

  Track drum;
  drum.instrument = std::make_shared<Drum>(DrumKind::FrameDrum, 0.2);
  drum.notes = sheet.rhythm(8, 4, "x.xo..", 0.5, 41, 0.55);
  append(drum.notes, sheet.rhythm(12, 1, "x.xox.", 0.5, 41, 0.7));
  drum.gainDb = -3.0;
  drum.pan = -0.2;
  drum.reverbSend = 0.3;

  // A ship's bell tolls far off at the start, and once more over the last bar.
  Track bell;
  bell.instrument = std::make_shared<Bell>(3.5);
  bell.notes = sheet.melody(0, "D4:6 | A3:3 |", 0.55);
  append(bell.notes, sheet.melody(14, "D3:3 | A3:3 |", 0.7));
  bell.gainDb = -4.0;
  bell.pan = 0.5;
  bell.reverbSend = 0.8;

  Track cymbal;
  cymbal.instrument = std::make_shared<Drum>(DrumKind::Cymbal, 1.1);
  cymbal.notes = sheet.rhythm(14, 1, "x..", 1.0, 60, 0.6);
  cymbal.gainDb = -4.0;
  cymbal.pan = 0.3;
  cymbal.reverbSend = 0.5;

  // The gale rises under "Hold on!" and howls until the blow.
  Track gale;
  gale.instrument = std::make_shared<Wind>(Adsr{2.0, 1.0, 1.0, 1.6});
  gale.notes = sheet.melody(8, "A5:6 | | D6:6 | | A5:6 | |", 0.5, 1.0);
  swell(gale.notes, 24.0, 42.0, 0.8, 1.4);
  gale.gainDb = 6.0;
  gale.pan = -0.4;
  gale.reverbSend = 0.3;

  return finishSong(sheet, song,
                    {fiddle, cello, bass, strings, harp, voices, timpani, drum, bell, cymbal, gale},
                    LoopSeconds, true, 0x1A7B0C3DULL);
}

}  // namespace audio
