// The title theme: a sea shanty in D dorian, 6/8 at 64 dotted crotchets a minute, sixteen bars
// in 30 seconds. The concertina sings the tune over guitar, plucked bass and bodhran (A, bars
// 1-8); in the higher second half (B, bars 9-16) a fiddle takes the harmony a third or so
// below, a whistle doubles the tune above and strings fill in, and the A major of the last bar
// turns the loop back to D.

#include <memory>

#include "Pieces.h"

namespace audio {
namespace {

constexpr double Bars = 16.0;
constexpr double BeatsPerBar = 6.0;  // counted in quavers
constexpr double LoopSeconds = 30.0;

// Guitar: the bass string on each dotted crotchet, the chord brushed on the two quavers after,
// its strings sounding a moment apart.
std::vector<ScoreNote> strum(const std::vector<Chord>& chords) {
  std::vector<ScoreNote> notes;
  const std::vector<std::vector<int>> voicings = voiceChords(chords, 55, 67, 3);
  for (std::size_t c = 0; c < chords.size(); ++c) {
    for (double beat = chords[c].beat; beat < chords[c].beat + chords[c].beats - 1e-9;
         beat += 3.0) {
      notes.push_back({beat, 1.0, static_cast<double>(bassPitch(chords[c], 45)), 0.7});
      for (const double offset : {1.0, 2.0}) {
        const double accent = offset == 1.0 ? 0.55 : 0.45;
        for (std::size_t k = 0; k < voicings[c].size(); ++k) {
          notes.push_back({beat + offset + 0.035 * static_cast<double>(k), 0.8,
                           static_cast<double>(voicings[c][k]), accent});
        }
      }
    }
  }
  return notes;
}

}  // namespace

Composition writeTitle() {
  auto [sheet, song] = startLoopedSong(Bars, BeatsPerBar, LoopSeconds, {0.7, 0.5, 0.02, 0.9});

  const std::vector<Chord> chords =
      sheet.chords(0,
                   "Dm:6 | F:6 | Dm:6 | C:6 | Dm:6 | F:6 | G:6 | Dm:6 |"
                   "F:6 | C:6 | Dm:6 | Am:6 | F:6 | C:6 | G:6 | A:6 |");

  const std::vector<ScoreNote> tune = sheet.melody(
      0,
      "A4:2 D5:1 D5:2 E5:1 | F5:2 E5:1 D5:2 C5:1 | A4:2 D5:1 F5:2 A5:1 | G5:3 E5:3 |"
      "A4:2 D5:1 D5:2 E5:1 | F5:2 G5:1 A5:2 G5:1 | F5:2 E5:1 D5:2 B4:1 | D5:3 r:1 A4:1 C5:1 |"
      "A5:2 A5:1 A5:2 G5:1 | G5:2 E5:1 C5:2 E5:1 | F5:2 E5:1 D5:2 F5:1 | E5:3 C5:2 A4:1 |"
      "A5:2 A5:1 C6:2 A5:1 | G5:2 E5:1 C5:2 D5:1 | B4:2 D5:1 G5:2 F5:1 | E5:3 C#5:3 |",
      0.85, 0.9);

  Track concertina;
  concertina.instrument = std::make_shared<Reed>(Adsr{0.018, 0.25, 0.8, 0.07});
  concertina.notes = tune;
  swell(concertina.notes, 0.0, 48.0, 0.9, 1.0);
  concertina.gainDb = 0.0;
  concertina.pan = -0.05;
  concertina.reverbSend = 0.25;

  const double secondHalf = 8.0 * BeatsPerBar;
  Track fiddle;
  fiddle.instrument =
      std::make_shared<Bowed>(Adsr{0.05, 0.3, 0.85, 0.15}, Bowed::violinBody(), 12.0, 6000.0);
  for (const ScoreNote& note : tune) {
    if (note.beat < secondHalf) continue;
    ScoreNote below = note;
    below.pitch = chordToneBelow(chordAt(chords, note.beat), static_cast<int>(note.pitch), 3);
    below.velocity = 0.6;
    fiddle.notes.push_back(below);
  }
  fiddle.gainDb = 0.0;
  fiddle.pan = 0.4;
  fiddle.reverbSend = 0.3;

  Track whistle;
  whistle.instrument = std::make_shared<Whistle>(Adsr{0.03, 0.2, 0.85, 0.08});
  for (const ScoreNote& note : tune) {
    if (note.beat >= secondHalf) {
      whistle.notes.push_back({note.beat, note.beats, note.pitch + 12.0, 0.5});
    }
  }
  whistle.gainDb = -6.0;
  whistle.pan = -0.35;
  whistle.reverbSend = 0.35;

  Track guitar;
  guitar.instrument = std::make_shared<Pluck>(0.6, 1.2, 0.12, 0.13);
  guitar.notes = strum(chords);
  guitar.gainDb = -5.0;
  guitar.pan = 0.3;
  guitar.panSpread = 0.2;
  guitar.reverbSend = 0.2;

  Track bass;
  bass.instrument = std::make_shared<Pluck>(0.25, 1.6, 0.15, 0.3);
  for (const Chord& chord : chords) {
    const double root = bassPitch(chord, 38);
    bass.notes.push_back({chord.beat, 2.6, root, 0.9});
    bass.notes.push_back({chord.beat + 3.0, 2.6, root + 7.0, 0.7});
  }
  bass.gainDb = -5.0;
  bass.pan = -0.1;
  bass.reverbSend = 0.1;

  Track strings;
  strings.instrument = std::make_shared<Ensemble>(Adsr{0.5, 0.8, 0.8, 0.8}, 4, 9.0, 0.3);
  const std::vector<Chord> chorus(chords.begin() + 8, chords.end());
  strings.notes = sustainChords(chorus, voiceChords(chorus, 53, 69, 3), 0.4);
  strings.gainDb = -6.0;
  strings.panSpread = 0.6;
  strings.reverbSend = 0.4;

  // Bodhran: DUM-da-da DUM-da-da, the DUM low, the da's higher and lighter, with a flourish
  // of semiquavers closing each half.
  Track bodhran;
  bodhran.instrument = std::make_shared<Drum>(DrumKind::FrameDrum, 0.13);
  for (const double half : {0.0, 8.0}) {
    const double level = half > 0.0 ? 0.7 : 0.6;
    append(bodhran.notes, sheet.rhythm(half, 7, "X..x..", 1.0, 40, level));
    append(bodhran.notes, sheet.rhythm(half, 7, ".ox.ox", 1.0, 47, 0.7 * level));
    append(bodhran.notes, sheet.rhythm(half + 7, 1, "X.....x.....", 0.5, 40, level));
    append(bodhran.notes, sheet.rhythm(half + 7, 1, "..o.o..xxxxx", 0.5, 47, 0.7 * level));
  }
  bodhran.gainDb = -6.0;
  bodhran.pan = 0.1;
  bodhran.reverbSend = 0.15;
  bodhran.timingJitter = 0.004;

  return finishSong(sheet, song, {concertina, fiddle, whistle, guitar, bass, strings, bodhran},
                    LoopSeconds, true, 0x717E0D0FULL);
}

}  // namespace audio
