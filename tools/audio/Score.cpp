// Reading melodies, chords and rhythms off the sheet, and rendering a song's tracks.
#include "Score.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <sstream>

namespace audio {
namespace {

int letterPitchClass(char letter) {
  constexpr char Letters[] = "CDEFGAB";
  constexpr int Classes[] = {0, 2, 4, 5, 7, 9, 11};
  for (std::size_t i = 0; i < 7; ++i) {
    if (Letters[i] == letter) return Classes[i];
  }
  return -1;
}

int wrap12(int value) { return ((value % 12) + 12) % 12; }

// Reads "D", "F#" or "Bb" at the start of text; returns the pitch class and how many characters
// it used, or -1.
int readPitchClass(const std::string& text, std::size_t& used) {
  if (text.empty()) return -1;
  int pitchClass = letterPitchClass(text[0]);
  if (pitchClass < 0) return -1;
  used = 1;
  if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
    pitchClass += text[1] == '#' ? 1 : -1;
    used = 2;
  }
  return wrap12(pitchClass);
}

std::vector<std::string> tokens(std::string text) {
  // Bar lines need no spaces around them.
  for (std::size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', bar + 3)) {
    text.replace(bar, 1, " | ");
  }
  std::istringstream stream(text);
  std::vector<std::string> result;
  for (std::string token; stream >> token;) result.push_back(token);
  return result;
}

bool readBeats(const std::string& text, double& beats, std::string& flags) {
  const char* begin = text.c_str();
  char* end = nullptr;
  beats = std::strtod(begin, &end);
  if (end == begin || beats <= 0.0) return false;
  flags = std::string(end);
  return flags.find_first_not_of("!'") == std::string::npos;
}

const std::map<std::string, std::vector<int>>& chordQualities() {
  static const std::map<std::string, std::vector<int>> qualities{
      {"", {0, 4, 7}},        {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},
      {"m7", {0, 3, 7, 10}},  {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}},
      {"sus2", {0, 2, 7}},    {"dim", {0, 3, 6}},      {"5", {0, 7}},
      {"m6", {0, 3, 7, 9}},   {"add9", {0, 4, 7, 14}}, {"madd9", {0, 3, 7, 14}},
      {"m7b5", {0, 3, 6, 10}}};
  return qualities;
}

// The pitch classes a voicing of the given size uses, root first: fifths are dropped from
// crowded chords, roots and fifths doubled in sparse ones.
std::vector<int> voicingClasses(const Chord& chord, std::size_t voices) {
  std::vector<int> classes;
  for (const int interval : chord.intervals) {
    const int pc = wrap12(chord.root + interval);
    if (std::find(classes.begin(), classes.end(), pc) == classes.end()) classes.push_back(pc);
  }
  const int fifth = wrap12(chord.root + 7);
  while (classes.size() > voices) {
    const auto it = std::find(classes.begin() + 1, classes.end(), fifth);
    classes.erase(it != classes.end() ? it : classes.end() - 1);
  }
  const std::size_t distinct = classes.size();
  for (std::size_t i = 0; classes.size() < voices; ++i) classes.push_back(classes[i % distinct]);
  return classes;
}

}  // namespace

bool parsePitch(const std::string& name, int& pitch) {
  std::size_t used = 0;
  const int pitchClass = readPitchClass(name, used);
  if (pitchClass < 0 || used >= name.size()) return false;
  const std::string octaveText = name.substr(used);
  if (octaveText.find_first_not_of("0123456789") != std::string::npos) return false;
  // Letter plus accidental can cross the octave (Cb, B#); the octave belongs to the letter.
  const int letterClass = letterPitchClass(name[0]);
  const int shift = used == 2 ? (name[1] == '#' ? 1 : -1) : 0;
  pitch = (std::atoi(octaveText.c_str()) + 1) * 12 + letterClass + shift;
  return true;
}

void Sheet::checkBarLine(double startBeat, double beat, const std::string& where) {
  const double inBar = std::fmod(beat, beatsPerBar_);
  if (std::min(inBar, beatsPerBar_ - inBar) > 1e-6) {
    std::ostringstream problem;
    problem << "bar line at beat " << beat << " is not on a bar (" << where << ", from beat "
            << startBeat << ")";
    problems_.push_back(problem.str());
  }
}

template <typename OnToken>
void Sheet::forEachTimedToken(double startBar, const std::string& text, const char* kind,
                              OnToken onToken) {
  const double startBeat = startBar * beatsPerBar_;
  double beat = startBeat;
  for (const std::string& token : tokens(text)) {
    if (token == "|") {
      checkBarLine(startBeat, beat, text.substr(0, 24));
      continue;
    }
    const std::size_t colon = token.find(':');
    TimedToken timed;
    if (colon == std::string::npos ||
        !readBeats(token.substr(colon + 1), timed.beats, timed.flags)) {
      complain(std::string("cannot read ") + kind + " \"" + token + "\"");
      continue;
    }
    timed.token = token;
    timed.name = token.substr(0, colon);
    timed.beat = beat;
    onToken(timed);
    beat += timed.beats;
  }
}

std::vector<ScoreNote> Sheet::melody(double startBar, const std::string& text, double velocity,
                                     double legato) {
  std::vector<ScoreNote> notes;
  forEachTimedToken(startBar, text, "note", [&](const TimedToken& timed) {
    if (timed.name == "r") {
      return;
    }
    int pitch = 0;
    if (!parsePitch(timed.name, pitch)) {
      complain("cannot read pitch \"" + timed.name + "\"");
      return;
    }
    ScoreNote note;
    note.beat = timed.beat;
    note.pitch = pitch;
    const bool accent = timed.flags.find('!') != std::string::npos;
    const bool shortNote = timed.flags.find('\'') != std::string::npos;
    note.beats = timed.beats * (shortNote ? 0.45 : legato);
    note.velocity = velocity * (accent ? 1.2 : 1.0);
    notes.push_back(note);
  });
  return notes;
}

std::vector<ScoreNote> Sheet::rhythm(double startBar, double bars, const std::string& pattern,
                                     double stepBeats, double pitch, double velocity) {
  std::vector<ScoreNote> notes;
  const double patternBeats = static_cast<double>(pattern.size()) * stepBeats;
  const double barsPerPattern = patternBeats / beatsPerBar_;
  if (pattern.empty() || std::fabs(barsPerPattern - std::round(barsPerPattern)) > 1e-9 ||
      barsPerPattern < 0.5) {
    complain("rhythm \"" + pattern + "\" does not fill whole bars");
    return notes;
  }
  const double endBeat = (startBar + bars) * beatsPerBar_;
  for (double beat = startBar * beatsPerBar_; beat < endBeat - 1e-9;) {
    for (const char step : pattern) {
      if (beat >= endBeat - 1e-9) break;
      const double level = step == 'X' ? 1.25 : step == 'x' ? 1.0 : step == 'o' ? 0.55 : 0.0;
      if (level > 0.0) {
        notes.push_back({beat, stepBeats, pitch, velocity * level});
      } else if (step != '.') {
        complain(std::string("unknown rhythm step '") + step + "'");
      }
      beat += stepBeats;
    }
  }
  return notes;
}

std::vector<Chord> Sheet::chords(double startBar, const std::string& text) {
  std::vector<Chord> result;
  forEachTimedToken(startBar, text, "chord", [&](const TimedToken& timed) {
    std::string symbol = timed.name;
    Chord chord;
    chord.beat = timed.beat;
    chord.beats = timed.beats;
    std::size_t used = 0;
    chord.root = readPitchClass(symbol, used);
    chord.bass = chord.root;
    const std::size_t slash = symbol.find('/');
    if (slash != std::string::npos) {
      std::size_t bassUsed = 0;
      chord.bass = readPitchClass(symbol.substr(slash + 1), bassUsed);
      if (bassUsed != symbol.size() - slash - 1) chord.bass = -1;
      symbol = symbol.substr(0, slash);
    }
    const auto quality = chordQualities().find(chord.root < 0 ? "?" : symbol.substr(used));
    if (!timed.flags.empty() || chord.root < 0 || chord.bass < 0 ||
        quality == chordQualities().end()) {
      complain("cannot read chord \"" + timed.token + "\"");
      return;
    }
    chord.intervals = quality->second;
    result.push_back(chord);
  });
  return result;
}

namespace {

// Every choice of `count` tones from `tones` (ascending) into `chosen`, appended to `out`.
void combinations(const std::vector<int>& tones, std::size_t from, std::size_t count,
                  std::vector<int>& chosen, std::vector<std::vector<int>>& out) {
  if (chosen.size() == count) {
    out.push_back(chosen);
    return;
  }
  for (std::size_t i = from; i + (count - chosen.size()) <= tones.size(); ++i) {
    chosen.push_back(tones[i]);
    combinations(tones, i + 1, count, chosen, out);
    chosen.pop_back();
  }
}

}  // namespace

std::vector<std::vector<int>> voiceChords(const std::vector<Chord>& chords, int low, int high,
                                          std::size_t voices) {
  std::vector<std::vector<int>> result;
  std::vector<int> previous;
  for (const Chord& chord : chords) {
    std::vector<int> required = voicingClasses(chord, voices);
    std::sort(required.begin(), required.end());
    required.erase(std::unique(required.begin(), required.end()), required.end());
    std::vector<int> tones;
    for (int pitch = low; pitch <= high; ++pitch) {
      for (const int interval : chord.intervals) {
        if (wrap12(chord.root + interval) == wrap12(pitch)) {
          tones.push_back(pitch);
          break;
        }
      }
    }
    std::vector<std::vector<int>> candidates;
    std::vector<int> chosen;
    combinations(tones, 0, voices, chosen, candidates);
    const int third = chord.intervals.size() > 1 ? wrap12(chord.root + chord.intervals[1]) : -1;
    const std::vector<int>* best = nullptr;
    double bestCost = std::numeric_limits<double>::max();
    for (const std::vector<int>& candidate : candidates) {
      int covered = 0;
      int thirds = 0;
      for (const int pc : required) {
        covered +=
            std::any_of(candidate.begin(), candidate.end(), [&](int p) { return wrap12(p) == pc; });
      }
      if (covered != static_cast<int>(required.size())) continue;
      double cost = 0.0;
      for (std::size_t k = 0; k < candidate.size(); ++k) {
        thirds += wrap12(candidate[k]) == third;
        if (k > 0 && candidate[k] - candidate[k - 1] > 12) cost += 4.0;
      }
      // A doubled third sounds thick; a doubled root or fifth does not.
      if (thirds > 1) cost += 2.0;
      if (previous.empty()) {
        double mean = 0.0;
        for (const int p : candidate) mean += p;
        cost += std::fabs(mean / static_cast<double>(candidate.size()) - 0.5 * (low + high));
      } else {
        for (std::size_t k = 0; k < candidate.size(); ++k) {
          cost += std::abs(candidate[k] - previous[k]);
        }
      }
      if (cost < bestCost) {
        bestCost = cost;
        best = &candidate;
      }
    }
    if (best != nullptr) {
      previous = *best;
    } else {
      // The range is too narrow for the chord: stack its tones upwards from the bottom.
      previous.clear();
      for (const int pc : voicingClasses(chord, voices)) previous.push_back(low + wrap12(pc - low));
      std::sort(previous.begin(), previous.end());
    }
    result.push_back(previous);
  }
  return result;
}

int bassPitch(const Chord& chord, int low) { return low + wrap12(chord.bass - low); }

int chordToneBelow(const Chord& chord, int pitch, int minGap) {
  for (int p = pitch - minGap; p > pitch - minGap - 12; --p) {
    for (const int interval : chord.intervals) {
      if (wrap12(chord.root + interval) == wrap12(p)) return p;
    }
  }
  return pitch - 12;
}

const Chord& chordAt(const std::vector<Chord>& chords, double beat) {
  std::size_t index = 0;
  for (std::size_t i = 0; i < chords.size(); ++i) {
    if (chords[i].beat <= beat + 1e-9) index = i;
  }
  return chords[index];
}

std::vector<ScoreNote> sustainChords(const std::vector<Chord>& chords,
                                     const std::vector<std::vector<int>>& voicings, double velocity,
                                     double legato) {
  std::vector<ScoreNote> notes;
  for (std::size_t c = 0; c < chords.size(); ++c) {
    for (const int pitch : voicings[c]) {
      notes.push_back(
          {chords[c].beat, chords[c].beats * legato, static_cast<double>(pitch), velocity});
    }
  }
  return notes;
}

std::vector<ScoreNote> arpeggiate(const std::vector<Chord>& chords,
                                  const std::vector<std::vector<int>>& voicings,
                                  const std::vector<int>& order, double stepBeats, double velocity,
                                  double holdSteps) {
  std::vector<ScoreNote> notes;
  for (std::size_t c = 0; c < chords.size(); ++c) {
    const std::vector<int>& voicing = voicings[c];
    const auto steps = static_cast<std::size_t>(std::lround(chords[c].beats / stepBeats));
    for (std::size_t k = 0; k < steps; ++k) {
      const auto index = static_cast<std::size_t>(order[k % order.size()]);
      const int pitch =
          voicing[index % voicing.size()] + 12 * static_cast<int>(index / voicing.size());
      notes.push_back({chords[c].beat + static_cast<double>(k) * stepBeats, stepBeats * holdSteps,
                       static_cast<double>(pitch), velocity});
    }
  }
  return notes;
}

void swell(std::vector<ScoreNote>& notes, double fromBeat, double toBeat, double fromFactor,
           double toFactor) {
  for (ScoreNote& note : notes) {
    if (note.beat < fromBeat || note.beat >= toBeat) continue;
    const double x = (note.beat - fromBeat) / (toBeat - fromBeat);
    note.velocity *= fromFactor + (toFactor - fromFactor) * x;
  }
}

void append(std::vector<ScoreNote>& notes, const std::vector<ScoreNote>& more) {
  notes.insert(notes.end(), more.begin(), more.end());
}

Stereo Song::renderTrack(const Track& track, std::size_t frames, Random& random) const {
  Stereo part(frames);
  constexpr double EndFadeSeconds = 0.01;
  for (const ScoreNote& scored : track.notes) {
    const double onset =
        std::max(0.0, scored.beat * beatSeconds + track.timingJitter * random.bipolar());
    Note note;
    note.length = scored.beats * beatSeconds;
    note.pitch = scored.pitch;
    note.velocity = scored.velocity * (1.0 + 0.05 * random.bipolar());
    std::vector<float> voice(secondsToFrames(note.length + track.instrument->tail()), 0.0f);
    track.instrument->render(note, random, voice);
    // Whatever an instrument leaves at the end of its buffer is faded, never cut.
    const std::size_t fade = std::min(voice.size(), secondsToFrames(EndFadeSeconds));
    for (std::size_t k = 0; k < fade; ++k) {
      voice[voice.size() - 1 - k] *= static_cast<float>(static_cast<double>(k) / fade);
    }
    const double pan =
        track.pan + track.panSpread * std::clamp((scored.pitch - 60.0) / 24.0, -1.0, 1.0);
    part.addPanned(voice, secondsToFrames(onset), 1.0, pan);
  }
  if (track.echoMix > 0.0) pingPongEcho(part, track.echoSeconds, track.echoFeedback, track.echoMix);
  return part;
}

double Song::soundingSeconds() const {
  // Long enough for the roomiest of the rooms to fall 60 dB.
  constexpr double RoomDecaySeconds = 5.0;
  constexpr double EchoRepeats = 10.0;
  double end = 0.0;
  for (const Track& track : tracks) {
    const double echo = track.echoMix > 0.0 ? EchoRepeats * track.echoSeconds : 0.0;
    for (const ScoreNote& note : track.notes) {
      end = std::max(end, (note.beat + note.beats) * beatSeconds + track.timingJitter +
                              track.instrument->tail() + echo);
    }
  }
  return end + RoomDecaySeconds;
}

Stereo Song::render(double seconds, Random& random) const {
  const std::size_t frames = secondsToFrames(seconds);
  Stereo mix(frames);
  Stereo send(frames);
  for (const Track& track : tracks) {
    const Stereo part = renderTrack(track, frames, random);
    const double gain = dbToGain(track.gainDb);
    mix.addScaled(part, gain);
    if (track.reverbSend > 0.0) send.addScaled(part, gain * track.reverbSend);
  }
  Reverb reverb(room.size, room.damping, room.preDelay, room.width);
  reverb.process(send);
  // Freeverb's customary wet scale.
  mix.addScaled(send, 3.0);
  return mix;
}

}  // namespace audio
