// The story: the intro's lines over their music and the heads-up display of a run.
#include <cmath>

#include "Application.h"
#include "FrameTiming.h"
#include "ResourceNames.h"
#include "Story.h"

namespace {

// The story lines and the seconds of the intro's clock during which each one shows.
struct TimedLine {
  double from;
  double to;
  const char* text;
};

constexpr TimedLine StoryLines[] = {
    {5.5, 9.5, "Get to the main bitt, quick!"},
    {19.5, 25.5, "Hold on!"},
    {29.5, 31.5, "Throw it! Throw the powd-"},
};

// The intro's clock starts here on its first frame, so that frame is never run twice.
constexpr double IntroStarted = 0.01;
constexpr float IntroMusicVolume = 0.4f;
const glm::vec3 White(1.0f, 1.0f, 1.0f);


}  // namespace

bool operator==(const IntroCue& a, const IntroCue& b) {
  return a.step == b.step && a.line == b.line;
}

IntroCue introCueAt(double introTime) {
  if (introTime == 0.0) {
    return {IntroStep::StartMusic, ""};
  }
  for (const TimedLine& line : StoryLines) {
    if (line.from <= introTime && introTime <= line.to) {
      return {IntroStep::ShowLine, line.text};
    }
  }
  if (introTime > IntroLength) {
    return {IntroStep::StartTitle, ""};
  }
  return {IntroStep::Pause, ""};
}

bool operator==(const HudLine& a, const HudLine& b) {
  return a.text == b.text && a.placement == b.placement && a.x == b.x && a.y == b.y &&
         a.scale == b.scale;
}

int wholeSeconds(double seconds) { return static_cast<int>(std::trunc(seconds)); }

std::string timerText(double timeLeft) {
  return "Timer: " + std::to_string(wholeSeconds(timeLeft));
}

std::string escapeText(double timeLimit, double timeLeft) {
  return "You escaped in " + std::to_string(wholeSeconds(timeLimit - timeLeft)) + " seconds!";
}

std::vector<HudLine> hudLines(bool gameOver, bool won, double timeLimit, double timeLeft, int width,
                              int height) {
  const float s = textScaleFor(width);
  const auto h = static_cast<float>(height);
  if (gameOver) {
    return {{"Game Over!", Placement::Centred, 0.0f, 0.9f * h, s}};
  }
  if (won) {
    return {{"You win!", Placement::Centred, 0.0f, 0.9f * h, s},
            {escapeText(timeLimit, timeLeft), Placement::Centred, 0.0f, 0.6f * h, s}};
  }
  return {{timerText(timeLeft), Placement::Corner, 25.0f, 25.0f, 0.8f * s},
          {RacingTitle, Placement::CentredOnKnownWidth, 0.0f, 0.9f * h, 0.8f * s}};
}

void Application::intro(int width, int height) {
  const IntroCue cue = introCueAt(introTime);
  switch (cue.step) {
    case IntroStep::StartMusic:
      musicEngine->stopAllSounds();
      ambienceEngine->stopAllSounds();
      musicEngine->play2D(resources::IntroMusic, true);
      musicEngine->setSoundVolume(IntroMusicVolume);
      introTime = IntroStarted;
      break;
    case IntroStep::ShowLine:
      textRenderer.renderCentred(textShader, cue.line, width, 0.5f * static_cast<float>(height),
                                 textScaleFor(width), White);
      break;
    case IntroStep::StartTitle:
      startTitle();
      break;
    case IntroStep::Pause:
      break;
  }
  introTime += *deltaTime;
}

void Application::drawPauseNotice(int width, int height) {
  const float s = textScaleFor(width);
  const auto h = static_cast<float>(height);
  textRenderer.renderCentred(textShader, "Paused", width, 0.55f * h, 1.2f * s, White);
  textRenderer.renderCentred(textShader, "Press P or Enter to go on", width, 0.45f * h, 0.6f * s,
                             White);
}

void Application::drawHUD(int width, int height) {
  for (const HudLine& line : hudLines(gameOver, won, timeLimit, timeLeft, width, height)) {
    float x = line.x;
    if (line.placement == Placement::Centred) {
      textRenderer.setTextWidth(line.text, line.scale);
    }
    if (line.placement != Placement::Corner) {
      x = (static_cast<float>(width) - textRenderer.textWidth) / 2.0f;
    }
    textRenderer.renderText(textShader, line.text, x, line.y, line.scale, White);
  }
}
