// The intro lines' timing and the HUD text of each run state, so the story and the
// timer show the right words at the right moments.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Story.h"

void PrintTo(const IntroCue& cue, std::ostream* out) {
  *out << "{step " << static_cast<int>(cue.step) << ", \"" << cue.line << "\"}";
}

void PrintTo(const HudLine& line, std::ostream* out) {
  *out << "{\"" << line.text << "\", placement " << static_cast<int>(line.placement) << ", x "
       << line.x << ", y " << line.y << ", scale " << line.scale << "}";
}

namespace {

const char* const FirstLine = "Get to the main bitt, quick!";
const char* const SecondLine = "Hold on!";
const char* const ThirdLine = "Throw it! Throw the powd-";

TEST(IntroSchedule, EachLineShowsThroughoutItsWindowAndTheTitleFollows) {
  const struct {
    double introTime;
    IntroCue expected;
  } cases[] = {
      {0.0, {IntroStep::StartMusic, ""}},
      {0.01, {IntroStep::Pause, ""}},
      {5.49, {IntroStep::Pause, ""}},
      {5.5, {IntroStep::ShowLine, FirstLine}},
      {7.0, {IntroStep::ShowLine, FirstLine}},
      {9.5, {IntroStep::ShowLine, FirstLine}},
      {9.51, {IntroStep::Pause, ""}},
      {19.49, {IntroStep::Pause, ""}},
      {19.5, {IntroStep::ShowLine, SecondLine}},
      {25.5, {IntroStep::ShowLine, SecondLine}},
      {25.51, {IntroStep::Pause, ""}},
      {29.5, {IntroStep::ShowLine, ThirdLine}},
      {31.5, {IntroStep::ShowLine, ThirdLine}},
      {31.51, {IntroStep::Pause, ""}},
      {32.5, {IntroStep::Pause, ""}},
      {32.51, {IntroStep::StartTitle, ""}},
      {120.0, {IntroStep::StartTitle, ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(introCueAt(c.introTime), c.expected) << "at " << c.introTime << " s";
  }
}

TEST(HudText, SecondsAreTruncatedToWholeNumbers) {
  const struct {
    double timeLeft;
    const char* timer;
    const char* escape;  // after a win with this much time left of 90 s
  } cases[] = {
      {90.0, "Timer: 90", "You escaped in 0 seconds!"},
      {89.999, "Timer: 89", "You escaped in 0 seconds!"},
      {52.2, "Timer: 52", "You escaped in 37 seconds!"},
      {45.0, "Timer: 45", "You escaped in 45 seconds!"},
      {0.4, "Timer: 0", "You escaped in 89 seconds!"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(timerText(c.timeLeft), c.timer) << c.timeLeft;
    EXPECT_EQ(escapeText(90.0, c.timeLeft), c.escape) << c.timeLeft;
  }
}

TEST(HudText, EachRunStateShowsItsOwnLinesAtTheirPlaces) {
  using P = Placement;
  const struct {
    const char* name;
    bool gameOver;
    bool won;
    double timeLeft;
    int width;
    int height;
    std::vector<HudLine> expected;
  } cases[] = {
      {"racing at the start",
       false,
       false,
       90.0,
       1080,
       810,
       {{"Timer: 90", P::Corner, 25.0f, 25.0f, 0.8f},
        {"Escape the storm!", P::CentredOnKnownWidth, 0.0f, 0.9f * 810, 0.8f}}},
      {"racing, just under a minute and a half",
       false,
       false,
       89.999,
       1080,
       810,
       {{"Timer: 89", P::Corner, 25.0f, 25.0f, 0.8f},
        {"Escape the storm!", P::CentredOnKnownWidth, 0.0f, 0.9f * 810, 0.8f}}},
      {"racing through the last second",
       false,
       false,
       0.4,
       1080,
       810,
       {{"Timer: 0", P::Corner, 25.0f, 25.0f, 0.8f},
        {"Escape the storm!", P::CentredOnKnownWidth, 0.0f, 0.9f * 810, 0.8f}}},
      {"lost", true, false, 12.5, 1080, 810, {{"Game Over!", P::Centred, 0.0f, 0.9f * 810, 1.0f}}},
      {"won after 37.8 s",
       false,
       true,
       90.0 - 37.8,
       1080,
       810,
       {{"You win!", P::Centred, 0.0f, 0.9f * 810, 1.0f},
        {"You escaped in 37 seconds!", P::Centred, 0.0f, 0.6f * 810, 1.0f}}},
      {"lost and won in one frame: the loss shows",
       true,
       true,
       3.0,
       1080,
       810,
       {{"Game Over!", P::Centred, 0.0f, 0.9f * 810, 1.0f}}},
      {"a window twice as wide draws twice as large",
       false,
       false,
       60.0,
       2160,
       1000,
       {{"Timer: 60", P::Corner, 25.0f, 25.0f, 1.6f},
        {"Escape the storm!", P::CentredOnKnownWidth, 0.0f, 0.9f * 1000, 1.6f}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hudLines(c.gameOver, c.won, 90.0, c.timeLeft, c.width, c.height), c.expected)
        << c.name;
  }
}

}  // namespace
