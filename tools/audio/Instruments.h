#pragma once

// The instruments of the game's little band. Each renders one note into a mono buffer that
// starts at the note's onset; the score pans and mixes the notes.

#include <utility>
#include <vector>

#include "Dsp.h"

namespace audio {

struct Note {
  double length = 0.0;    // seconds the key is held
  double pitch = 60.0;    // MIDI note number, fractions allowed
  double velocity = 1.0;  // 0..1
};

class Instrument {
 public:
  virtual ~Instrument() = default;
  // Seconds the instrument keeps sounding after the note's length has passed.
  virtual double tail() const = 0;
  // Adds the note into out, whose size the caller has set to cover length + tail.
  virtual void render(const Note& note, Random& random, std::vector<float>& out) const = 0;
};

// Karplus-Strong string with a fractional-delay tuning allpass: harp, guitar, spiccato strings.
class Pluck final : public Instrument {
 public:
  Pluck(double brightness, double ringSeconds, double releaseSeconds, double pickPosition)
      : brightness_(brightness),
        ring_(ringSeconds),
        release_(releaseSeconds),
        pickPosition_(pickPosition) {}
  double tail() const override { return release_; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  double brightness_, ring_, release_, pickPosition_;
};

// A section of detuned saws through a gentle low-pass: string pads and swells.
class Ensemble final : public Instrument {
 public:
  Ensemble(const Adsr& envelope, int voices, double detuneCents, double brightness)
      : envelope_(envelope), voices_(voices), detuneCents_(detuneCents), brightness_(brightness) {}
  double tail() const override { return envelope_.release; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  Adsr envelope_;
  int voices_;
  double detuneCents_, brightness_;
};

// Free-reed instrument (concertina): two slightly detuned pulse reeds.
class Reed final : public Instrument {
 public:
  explicit Reed(const Adsr& envelope) : envelope_(envelope) {}
  double tail() const override { return envelope_.release; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  Adsr envelope_;
};

struct Formant {
  double frequency;
  double q;
  double gain;
};

// Bowed string: a vibrato saw with bow noise through the resonances of a wooden body.
class Bowed final : public Instrument {
 public:
  Bowed(const Adsr& envelope, std::vector<Formant> body, double vibratoCents, double brightnessHz)
      : envelope_(envelope),
        body_(std::move(body)),
        vibratoCents_(vibratoCents),
        brightnessHz_(brightnessHz) {}
  double tail() const override { return envelope_.release; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

  static std::vector<Formant> violinBody();
  static std::vector<Formant> celloBody();

 private:
  Adsr envelope_;
  std::vector<Formant> body_;
  double vibratoCents_, brightnessHz_;
};

// Tin whistle or flute: nearly sine, breathy, with a chiff at the start of each note.
class Whistle final : public Instrument {
 public:
  explicit Whistle(const Adsr& envelope) : envelope_(envelope) {}
  double tail() const override { return envelope_.release; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  Adsr envelope_;
};

// Wordless voices singing a vowel given by its formants.
class Choir final : public Instrument {
 public:
  Choir(const Adsr& envelope, std::vector<Formant> vowel)
      : envelope_(envelope), vowel_(std::move(vowel)) {}
  double tail() const override { return envelope_.release; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

  static std::vector<Formant> vowelOo();
  static std::vector<Formant> vowelAh();

 private:
  Adsr envelope_;
  std::vector<Formant> vowel_;
};

// Brass section: saws with a filter that opens on the attack and a small pitch scoop.
class Brass final : public Instrument {
 public:
  explicit Brass(const Adsr& envelope) : envelope_(envelope) {}
  double tail() const override { return envelope_.release; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  Adsr envelope_;
};

// Picked synth bass: saw plus sub sine, with a plucky filter.
class PickedBass final : public Instrument {
 public:
  explicit PickedBass(double decaySeconds) : decay_(decaySeconds) {}
  double tail() const override { return 0.06; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  double decay_;
};

// Church or ship's bell: inharmonic partials, each dying away at its own rate.
class Bell final : public Instrument {
 public:
  explicit Bell(double decaySeconds) : decay_(decaySeconds) {}
  double tail() const override { return decay_ * 5.0; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  double decay_;
};

enum class DrumKind { Kick, Snare, ClosedHat, OpenHat, Tom, FrameDrum, Timpani, Cymbal };

// Percussion; the note's pitch tunes drums that have one (kick, tom, frame drum, timpani).
class Drum final : public Instrument {
 public:
  Drum(DrumKind kind, double decaySeconds) : kind_(kind), decay_(decaySeconds) {}
  double tail() const override { return decay_ * 7.0; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  DrumKind kind_;
  double decay_;
};

// Wind in the rigging: noise in a narrow band that wanders around the note's pitch, over a
// broad rush of air, swelling and dying with the envelope.
class Wind final : public Instrument {
 public:
  explicit Wind(const Adsr& envelope) : envelope_(envelope) {}
  double tail() const override { return envelope_.release; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;

 private:
  Adsr envelope_;
};

// Filtered noise whose band rises over the note's length: the swell before a downbeat.
class NoiseRiser final : public Instrument {
 public:
  double tail() const override { return 0.05; }
  void render(const Note& note, Random& random, std::vector<float>& out) const override;
};

}  // namespace audio
