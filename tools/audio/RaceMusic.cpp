// The race: E minor, 4/4 at 150 beats a minute, forty bars in 64 seconds. A string ostinato in
// quavers, accented 3+3+2, drives everything. Bars 1-8 build it up over taiko drums; 9-16 bring
// the brass theme; 17-24 climb higher over C-D with choir; 25-32 are the theme at full force;
// 33-40 drop back to ostinato and drums over a Phrygian E-F sway, and a snare roll and rising
// noise throw the loop back to its start.

#include <memory>

#include "Pieces.h"

namespace audio {
namespace {

constexpr double Bars = 40.0;
constexpr double BeatsPerBar = 4.0;
constexpr double LoopSeconds = 64.0;

// The accent pattern of every driving line in the piece: 3+3+2 quavers.
constexpr double Accents[8] = {1.0, 0.55, 0.6, 0.9, 0.55, 0.6, 0.95, 0.6};

// Root, octave, fifth and the third above the octave, in the pattern that drives the race.
std::vector<ScoreNote> ostinato(const std::vector<Chord>& chords, double velocity) {
  std::vector<ScoreNote> notes;
  constexpr int Order[8] = {0, 1, 2, 1, 0, 1, 2, 3};
  for (const Chord& chord : chords) {
    const int root = bassPitch(chord, 52);
    const int third = chord.intervals.size() > 1 ? chord.intervals[1] : 7;
    const int pitches[4] = {root, root + 12, root + 7, root + 12 + third};
    const auto steps = static_cast<int>(chord.beats * 2.0);
    for (int k = 0; k < steps; ++k) {
      notes.push_back({chord.beat + 0.5 * k, 0.3, static_cast<double>(pitches[Order[k % 8]]),
                       velocity * Accents[k % 8]});
    }
  }
  return notes;
}

std::vector<ScoreNote> pumpingBass(const std::vector<Chord>& chords, double velocity) {
  std::vector<ScoreNote> notes;
  for (const Chord& chord : chords) {
    const int root = bassPitch(chord, 33);
    const auto steps = static_cast<int>(chord.beats * 2.0);
    for (int k = 0; k < steps; ++k) {
      const double octave = k % 8 == 7 ? 12.0 : 0.0;
      notes.push_back({chord.beat + 0.5 * k, 0.4, root + octave, velocity * Accents[k % 8]});
    }
  }
  return notes;
}

std::vector<Chord> between(const std::vector<Chord>& chords, double fromBar, double toBar) {
  std::vector<Chord> result;
  for (const Chord& chord : chords) {
    if (chord.beat >= fromBar * BeatsPerBar - 1e-9 && chord.beat < toBar * BeatsPerBar - 1e-9) {
      result.push_back(chord);
    }
  }
  return result;
}

}  // namespace

Composition writeRace() {
  auto [sheet, song] = startLoopedSong(Bars, BeatsPerBar, LoopSeconds, {0.72, 0.5, 0.015, 1.0});

  const std::vector<Chord> chords =
      sheet.chords(0,
                   "Em:4 | Em:4 | C:4 | C:4 | Am:4 | Am:4 | B:4 | B:4 |"
                   "Em:4 | C:4 | G:4 | D:4 | Em:4 | C:4 | Am:4 | B:4 |"
                   "C:4 | D:4 | Em:4 | Em:4 | C:4 | D:4 | B:4 | B:4 |"
                   "Em:4 | C:4 | G:4 | D:4 | Em:4 | C:4 | Am:2 B:2 | Em:4 |"
                   "Em:4 | F:4 | Em:4 | F:4 | Em:4 | F:4 | B:4 | B:4 |");

  Track strings;
  strings.instrument = std::make_shared<Ensemble>(Adsr{0.004, 0.12, 0.35, 0.06}, 3, 7.0, 0.55);
  strings.notes = ostinato(chords, 0.8);
  // Growing through the opening bars, a touch softer again in the breakdown.
  swell(strings.notes, 0.0, 16.0, 0.7, 0.9);
  swell(strings.notes, 128.0, 160.0, 0.9, 0.9);
  strings.gainDb = 2.0;
  strings.pan = 0.25;
  strings.panSpread = 0.3;
  strings.reverbSend = 0.15;
  strings.timingJitter = 0.003;

  Track bass;
  bass.instrument = std::make_shared<PickedBass>(0.22);
  bass.notes = pumpingBass(between(chords, 4, 32), 0.75);
  for (const Chord& chord : between(chords, 32, 40)) {
    bass.notes.push_back({chord.beat, 3.8, static_cast<double>(bassPitch(chord, 33)), 0.8});
  }
  bass.gainDb = -3.0;
  bass.reverbSend = 0.0;
  bass.timingJitter = 0.002;

  const std::string theme =
      "E5:3 B4:.5 E5:.5 | G5:2 F#5:1 E5:1 | D5:3 B4:.5 D5:.5 | F#5:2 E5:1 D5:1 |"
      "E5:3 B4:.5 E5:.5 | G5:2 A5:1 B5:1 |";
  Track brass;
  brass.instrument = std::make_shared<Brass>(Adsr{0.03, 0.3, 0.75, 0.12});
  brass.notes = sheet.melody(8, theme + "C6:2 B5:1 A5:1 | B5:2 A5:.5 F#5:.5 D#5:1 |", 0.8, 0.93);
  append(brass.notes,
         sheet.melody(16,
                      "G5:.5 G5:.5 r:.5 G5:.5 A5:1 G5:1 | F#5:.5 F#5:.5 r:.5 F#5:.5 A5:1 F#5:1 |"
                      "G5:1.5 F#5:.5 E5:1 B4:1 | E5:4 |"
                      "G5:.5 G5:.5 r:.5 G5:.5 C6:1 B5:1 | A5:.5 A5:.5 r:.5 A5:.5 D6:1 C6:1 |"
                      "B5:2 A5:1 F#5:1 | D#5:2 F#5:1 B5:1 |",
                      0.85, 0.9));
  append(brass.notes, sheet.melody(24, theme + "C6:1 B5:1 A5:1 F#5:1 | E5:4 |", 1.0, 0.93));
  brass.gainDb = -1.0;
  brass.pan = -0.15;
  brass.reverbSend = 0.3;
  brass.timingJitter = 0.004;

  // High strings double the theme an octave up when it returns at full force.
  Track violins;
  violins.instrument = std::make_shared<Ensemble>(Adsr{0.04, 0.3, 0.85, 0.2}, 4, 8.0, 0.4);
  for (const ScoreNote& note : brass.notes) {
    if (note.beat >= 24.0 * BeatsPerBar) {
      violins.notes.push_back({note.beat, note.beats, note.pitch + 12.0, 0.5});
    }
  }
  violins.gainDb = -5.0;
  violins.pan = 0.3;
  violins.reverbSend = 0.35;

  // In the breakdown a low, lonely cello keeps the tune's memory.
  Track cello;
  cello.instrument =
      std::make_shared<Bowed>(Adsr{0.08, 0.4, 0.85, 0.3}, Bowed::celloBody(), 12.0, 3000.0);
  cello.notes = sheet.melody(32,
                             "B3:3 C4:1 | C4:2 A3:2 | B3:3 G3:1 | A3:4 | E4:3 F4:1 | F4:2 E4:1 "
                             "C4:1 | D#4:4 | F#4:2 B3:2 |",
                             0.8);
  cello.gainDb = -2.0;
  cello.pan = -0.3;
  cello.reverbSend = 0.35;

  Track pad;
  pad.instrument = std::make_shared<Ensemble>(Adsr{0.3, 0.8, 0.8, 0.5}, 4, 10.0, 0.2);
  const std::vector<Chord> themeChords = between(chords, 8, 32);
  pad.notes = sustainChords(themeChords, voiceChords(themeChords, 52, 69, 4), 0.45);
  pad.gainDb = -8.0;
  pad.panSpread = 0.6;
  pad.reverbSend = 0.4;

  Track choir;
  choir.instrument = std::make_shared<Choir>(Adsr{0.25, 0.6, 0.9, 0.5}, Choir::vowelAh());
  const std::vector<Chord> climbChords = between(chords, 16, 32);
  choir.notes = sustainChords(climbChords, voiceChords(climbChords, 55, 67, 3), 0.5);
  choir.gainDb = -6.0;
  choir.panSpread = 0.5;
  choir.reverbSend = 0.5;

  // Drums: taiko toms throughout, kick and snare once the theme arrives.
  Track taiko;
  taiko.instrument = std::make_shared<Drum>(DrumKind::Tom, 0.22);
  append(taiko.notes, sheet.rhythm(0, 8, "X..x..x.", 0.5, 40, 0.8));
  append(taiko.notes, sheet.rhythm(16, 8, "x..x..x.", 0.5, 40, 0.6));
  append(taiko.notes, sheet.rhythm(32, 6, "X..x..x.", 0.5, 40, 0.75));
  append(taiko.notes, sheet.rhythm(15, 1, "....x.x.xxXX", 1.0 / 3.0, 47, 0.7));
  append(taiko.notes, sheet.rhythm(31, 1, "....x.x.xxXX", 1.0 / 3.0, 47, 0.8));
  taiko.gainDb = -7.0;
  taiko.pan = -0.1;
  taiko.reverbSend = 0.3;

  Track kick;
  kick.instrument = std::make_shared<Drum>(DrumKind::Kick, 0.13);
  append(kick.notes, sheet.rhythm(4, 4, "x..x..x.", 0.5, 31, 0.7));
  append(kick.notes, sheet.rhythm(8, 24, "x..x..x.", 0.5, 31, 0.9));
  append(kick.notes, sheet.rhythm(32, 8, "x.......", 0.5, 31, 0.8));
  kick.gainDb = -6.0;
  kick.reverbSend = 0.05;
  kick.timingJitter = 0.001;

  Track snare;
  snare.instrument = std::make_shared<Drum>(DrumKind::Snare, 0.13);
  append(snare.notes, sheet.rhythm(8, 24, "..x...x.", 0.5, 60, 0.7));
  append(snare.notes, sheet.rhythm(22, 2, "..o...o.o.o.o.oo", 0.25, 60, 0.5));
  std::vector<ScoreNote> roll = sheet.rhythm(38, 2, "xxxxxxxxxxxxxxxx", 0.25, 60, 0.3);
  swell(roll, 152.0, 160.0, 0.6, 2.8);
  append(snare.notes, roll);
  snare.gainDb = -1.0;
  snare.pan = 0.1;
  snare.reverbSend = 0.2;
  snare.timingJitter = 0.002;

  Track hats;
  hats.instrument = std::make_shared<Drum>(DrumKind::ClosedHat, 0.035);
  append(hats.notes, sheet.rhythm(4, 4, ".x.x.x.x", 0.5, 60, 0.4));
  append(hats.notes, sheet.rhythm(8, 16, "xoxoxoxo", 0.5, 60, 0.5));
  append(hats.notes, sheet.rhythm(24, 8, "xoxoxoxo", 0.5, 60, 0.6));
  hats.gainDb = -3.0;
  hats.pan = 0.35;
  hats.reverbSend = 0.05;
  hats.timingJitter = 0.003;

  Track cymbal;
  cymbal.instrument = std::make_shared<Drum>(DrumKind::Cymbal, 0.9);
  for (const double bar : {0.0, 8.0, 16.0, 24.0, 28.0}) {
    cymbal.notes.push_back({bar * BeatsPerBar, 1.0, 60.0, 0.7});
  }
  cymbal.gainDb = -5.0;
  cymbal.pan = -0.3;
  cymbal.reverbSend = 0.3;

  Track riser;
  riser.instrument = std::make_shared<NoiseRiser>();
  riser.notes.push_back({38.0 * BeatsPerBar, 2.0 * BeatsPerBar, 60.0, 0.6});
  riser.gainDb = 3.0;
  riser.reverbSend = 0.3;

  return finishSong(sheet, song,
                    {strings, bass, brass, violins, cello, pad, choir, taiko, kick, snare, hats,
                     cymbal, riser},
                    LoopSeconds, true, 0x3A11E7C0ULL);
}

}  // namespace audio
