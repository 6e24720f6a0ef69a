#pragma once

// What the intro and the heads-up display show, worked out without drawing anything: the intro's
// schedule of story lines and the lines of text a run shows.

#include <string>
#include <vector>

// What the intro does on a frame, given its own clock.
enum class IntroStep {
  StartMusic,  // the first frame: the intro track replaces everything else
  ShowLine,    // one story line is on screen
  Pause,       // the dark screen between lines
  StartTitle,  // the intro is over: hand over to the title screen
};

struct IntroCue {
  IntroStep step = IntroStep::Pause;
  std::string line;  // the story line, only for ShowLine
};

bool operator==(const IntroCue& a, const IntroCue& b);

// Each line is shown from its first to its last second, both included.
IntroCue introCueAt(double introTime);

// Seconds the intro lasts before the title takes over.
constexpr double IntroLength = 32.5;

// The racing title, centred on the width measured for it at start-up and on every resize.
constexpr const char* RacingTitle = "Escape the storm!";

// How a line of the heads-up display finds its x position.
enum class Placement {
  Corner,              // at a fixed x
  Centred,             // measured at its own scale, then centred
  CentredOnKnownWidth  // centred with the width already stored for it
};

struct HudLine {
  std::string text;
  Placement placement = Placement::Centred;
  float x = 0.0f;  // only for Corner
  float y = 0.0f;
  float scale = 1.0f;
};

bool operator==(const HudLine& a, const HudLine& b);

// The whole seconds of a time, dropping the fraction: 89.999 shows as 89.
int wholeSeconds(double seconds);
std::string timerText(double timeLeft);
std::string escapeText(double timeLimit, double timeLeft);

// The heads-up display of a run in a framebuffer of this size: a lost run shows only
// "Game Over!" (a loss outranks a win), a won run its escape time, a race the timer and title.
std::vector<HudLine> hudLines(bool gameOver, bool won, double timeLimit, double timeLeft, int width,
                              int height);
