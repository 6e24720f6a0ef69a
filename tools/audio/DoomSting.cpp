// Lost at sea: D minor, 4/4 at 60, four bars in 16 seconds that loop for as long as the defeat
// is on screen. One heavy blow of timpani, bass and bell opens it; the bass then sinks by
// semitones (D, C#, C, B, Bb, A, the old lament) under voices and low strings while a fiddle
// sighs a falling line, the bell tolls each bar and a cold wind blows over it all.

#include <memory>

#include "Pieces.h"

namespace audio {
namespace {

constexpr double Bars = 4.0;
constexpr double BeatsPerBar = 4.0;
constexpr double LoopSeconds = 16.0;

}  // namespace

Composition writeDoom() {
  auto [sheet, song] = startLoopedSong(Bars, BeatsPerBar, LoopSeconds, {0.9, 0.55, 0.04, 1.0});

  const std::vector<Chord> chords =
      sheet.chords(0, "Dm:4 | A/C#:2 Dm/C:2 | G/B:2 Gm/Bb:2 | Asus4:2 A:2 |");

  Track fiddle;
  fiddle.instrument =
      std::make_shared<Bowed>(Adsr{0.25, 0.6, 0.8, 0.6}, Bowed::violinBody(), 14.0, 4500.0);
  fiddle.notes = sheet.melody(
      0, "A5:2 F5:1 D5:1 | E5:2 F5:1.5 E5:.5 | D5:2 G5:1 F5:1 | E5:1 D5:1 C#5:2 |", 0.7);
  fiddle.gainDb = 3.0;
  fiddle.pan = 0.2;
  fiddle.reverbSend = 0.35;
  fiddle.echoSeconds = 0.75;
  fiddle.echoFeedback = 0.35;
  fiddle.echoMix = 0.25;

  Track bass;
  bass.instrument =
      std::make_shared<Bowed>(Adsr{0.12, 1.0, 0.85, 0.8}, Bowed::celloBody(), 3.0, 1500.0);
  for (const Chord& chord : chords) {
    bass.notes.push_back({chord.beat, chord.beats, static_cast<double>(bassPitch(chord, 33)), 0.8});
  }
  bass.gainDb = -1.0;
  bass.reverbSend = 0.25;

  Track strings;
  strings.instrument = std::make_shared<Ensemble>(Adsr{0.6, 1.0, 0.85, 1.0}, 4, 11.0, 0.12);
  strings.notes = sustainChords(chords, voiceChords(chords, 45, 60, 3), 0.55);
  strings.gainDb = -8.0;
  strings.panSpread = 0.5;
  strings.reverbSend = 0.4;

  Track voices;
  voices.instrument = std::make_shared<Choir>(Adsr{0.9, 1.0, 0.9, 1.2}, Choir::vowelOo());
  voices.notes = sustainChords(chords, voiceChords(chords, 53, 65, 3), 0.6);
  voices.gainDb = -7.0;
  voices.panSpread = 0.7;
  voices.reverbSend = 0.45;

  Track bell;
  bell.instrument = std::make_shared<Bell>(4.5);
  bell.notes = sheet.melody(0, "D3:4! | D3:4 | D3:4 | D3:4 |", 0.75);
  bell.gainDb = -2.0;
  bell.pan = -0.3;
  bell.reverbSend = 0.5;

  Track timpani;
  timpani.instrument = std::make_shared<Drum>(DrumKind::Timpani, 1.8);
  timpani.notes = sheet.rhythm(0, 1, "X.o.", 1.0, 38, 1.0);
  append(timpani.notes, sheet.rhythm(1, 3, "o.o.", 1.0, 38, 0.5));
  timpani.gainDb = -4.0;
  timpani.reverbSend = 0.4;

  Track boom;
  boom.instrument = std::make_shared<Drum>(DrumKind::Kick, 0.9);
  boom.notes.push_back({0.0, 1.0, 26.0, 1.0});
  boom.gainDb = -3.0;
  boom.reverbSend = 0.2;

  Track cymbal;
  cymbal.instrument = std::make_shared<Drum>(DrumKind::Cymbal, 1.6);
  cymbal.notes.push_back({0.0, 1.0, 60.0, 0.6});
  cymbal.gainDb = -12.0;
  cymbal.pan = 0.3;
  cymbal.reverbSend = 0.6;

  // A cold wind over the empty sea.
  Track wind;
  wind.instrument = std::make_shared<Wind>(Adsr{2.5, 1.0, 1.0, 3.0});
  wind.notes = sheet.melody(0, "D6:5 r:3 | A5:6 r:2 |", 0.5, 1.0);
  wind.gainDb = 4.0;
  wind.pan = 0.5;
  wind.reverbSend = 0.3;

  return finishSong(sheet, song,
                    {fiddle, bass, strings, voices, bell, timpani, boom, cymbal, wind},
                    LoopSeconds, true, 0xD00A5EA5ULL);
}

}  // namespace audio
