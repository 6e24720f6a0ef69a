#pragma once

// Writing music down: a compact melody notation, chord symbols with voice-led voicings, and a
// song of tracks that renders to stereo through a shared reverb.

#include <memory>
#include <string>
#include <vector>

#include "Dsp.h"
#include "Instruments.h"

namespace audio {

// A note placed in musical time.
struct ScoreNote {
  double beat = 0.0;
  double beats = 1.0;  // how long the key is held
  double pitch = 60.0;
  double velocity = 1.0;
};

struct Chord {
  double beat = 0.0;
  double beats = 0.0;
  int root = 0;                // pitch class, C = 0
  int bass = 0;                // pitch class sounding lowest
  std::vector<int> intervals;  // semitones above the root
};

// Reads melodies and chord charts written bar by bar, and keeps a list of anything it could not
// read or that does not add up to whole bars.
class Sheet {
 public:
  explicit Sheet(double beatsPerBar) : beatsPerBar_(beatsPerBar) {}

  // Space-separated tokens "D5:1.5" (pitch:beats), "r:1" (rest) and "|" (bar line, checked).
  // A trailing "!" accents a note, a trailing "'" plays it short.
  std::vector<ScoreNote> melody(double startBar, const std::string& text, double velocity,
                                double legato = 0.95);
  // Tokens "Dm:3", "Bb:3", "A7:1.5", "F/C:3" with "|" bar lines as above.
  std::vector<Chord> chords(double startBar, const std::string& text);

  // A drum pattern repeated over bars: each character is one step of stepBeats; "x" hits,
  // "X" accents, "o" plays softly, "." rests. The pattern must fill whole bars.
  std::vector<ScoreNote> rhythm(double startBar, double bars, const std::string& pattern,
                                double stepBeats, double pitch, double velocity);

  const std::vector<std::string>& problems() const { return problems_; }

 private:
  // One "name:beats" entry of a score line, placed at its beat.
  struct TimedToken {
    std::string token;
    std::string name;
    std::string flags;
    double beat = 0.0;
    double beats = 0.0;
  };
  // Walks a score line: checks its bar lines, reports entries it cannot read, and hands every
  // readable entry to onToken at its beat.
  template <typename OnToken>
  void forEachTimedToken(double startBar, const std::string& text, const char* kind,
                         OnToken onToken);

  void complain(const std::string& problem) { problems_.push_back(problem); }
  void checkBarLine(double startBeat, double beat, const std::string& where);

  double beatsPerBar_;
  std::vector<std::string> problems_;
};

// MIDI pitch of a name such as "C4", "F#3" or "Bb5"; returns false if it is not one.
bool parsePitch(const std::string& name, int& pitch);

// Chord tones between low and high, moving each chord as little as possible from the last.
std::vector<std::vector<int>> voiceChords(const std::vector<Chord>& chords, int low, int high,
                                          std::size_t voices);
// The chord's bass note in the octave starting at low.
int bassPitch(const Chord& chord, int low);
// The highest tone of the chord at least minGap semitones below pitch (for a harmony line).
int chordToneBelow(const Chord& chord, int pitch, int minGap);
// The chord sounding at a beat (the last one that started at or before it).
const Chord& chordAt(const std::vector<Chord>& chords, double beat);

// Each chord's voicing held for the chord's length.
std::vector<ScoreNote> sustainChords(const std::vector<Chord>& chords,
                                     const std::vector<std::vector<int>>& voicings, double velocity,
                                     double legato = 1.0);
// Broken chords: step k of each chord plays voicing[order[k]], cycling through order; indexes
// past the top voice continue an octave up. Each note rings for holdSteps steps.
std::vector<ScoreNote> arpeggiate(const std::vector<Chord>& chords,
                                  const std::vector<std::vector<int>>& voicings,
                                  const std::vector<int>& order, double stepBeats, double velocity,
                                  double holdSteps = 1.0);
// Scales velocities of notes from fromBeat to toBeat, ramping from one factor to the other.
void swell(std::vector<ScoreNote>& notes, double fromBeat, double toBeat, double fromFactor,
           double toFactor);
void append(std::vector<ScoreNote>& notes, const std::vector<ScoreNote>& more);

struct Track {
  std::shared_ptr<const Instrument> instrument;
  std::vector<ScoreNote> notes;
  double gainDb = 0.0;
  double pan = 0.0;
  double panSpread = 0.0;  // notes above middle C lean right, below lean left
  double reverbSend = 0.2;
  double timingJitter = 0.006;  // seconds; players are not machines
  double echoSeconds = 0.0;
  double echoFeedback = 0.0;
  double echoMix = 0.0;
};

struct RoomSettings {
  double size = 0.8;
  double damping = 0.5;
  double preDelay = 0.02;
  double width = 1.0;
};

struct Song {
  double beatSeconds = 0.5;
  std::vector<Track> tracks;
  RoomSettings room;

  // Seconds until the last note, its echoes and the room have died away.
  double soundingSeconds() const;
  // Renders every track and the room into a buffer of the given length.
  Stereo render(double seconds, Random& random) const;
  Stereo renderTrack(const Track& track, std::size_t frames, Random& random) const;
};

}  // namespace audio
