// Frame-time benchmark: the real game in its real 1080 × 810 window plays a scripted session
// (start prompt, title, a race holding W with a gentle turn) and prints, per phase, the number of
// frames and the median, 95th and 99th percentile and worst frame time in milliseconds.
//   galeskerry_frame_bench [--race-seconds=N] [--screen-seconds=N] [--full-resolution]
//                          [resourceDir]
// A frame is what the game's loop does: shadow pass, render, swap, event poll and update. The
// GPU is waited for before the clock is read, so a software rasteriser's work is counted.
// Frames in which lightning struck are also listed on their own: a strike must not stall.
// Like the game, the benchmark lowers the scene's resolution while race frames are slow;
// --full-resolution pins the scene at the window's size instead. Beside the wall-clock times,
// the median CPU time of the whole process per frame (all rasteriser threads) is printed, which
// says more than the wall clock on a machine shared with other work.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "GameSession.h"

namespace {

struct PhaseTimes {
  std::string name;
  std::vector<double> milliseconds;
  std::vector<double> strikeMilliseconds;  // the frames whose update struck a pair of bolts
  std::vector<double> cpuMilliseconds;     // the process's CPU time in each frame
};

double processCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double percentile(std::vector<double> sorted, double fraction) {
  std::sort(sorted.begin(), sorted.end());
  const size_t index = static_cast<size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
  return sorted[index];
}

// Plays frames for the given time, measured with a steady clock, and records each one.
PhaseTimes play(GameSession& session, const std::string& name, double seconds, bool adapt) {
  using Clock = std::chrono::steady_clock;
  PhaseTimes phase{name, {}, {}, {}};
  const Clock::time_point start = Clock::now();
  Clock::time_point previous = start;
  float dt = 0.0f;
  const Lightning& bolt = session.game().lightning1;
  double cpuBefore = processCpuMilliseconds();
  while (std::chrono::duration<double>(previous - start).count() < seconds) {
    const float lifetimeBefore = bolt.getLifetime();
    session.drawFrame();
    session.finishFrame(dt);
    glFinish();
    const Clock::time_point now = Clock::now();
    const double frameSeconds = std::chrono::duration<double>(now - previous).count();
    phase.milliseconds.push_back(frameSeconds * 1000.0);
    const double cpuNow = processCpuMilliseconds();
    phase.cpuMilliseconds.push_back(cpuNow - cpuBefore);
    cpuBefore = cpuNow;
    // As in the game's own loop, slow frames lower the scene's resolution.
    if (adapt) {
      session.game().adaptRenderScale(frameSeconds);
    }
    // A strike sets the bolt's lifetime back to full; fading only ever lowers it.
    if (bolt.getLifetime() > lifetimeBefore) {
      phase.strikeMilliseconds.push_back(frameSeconds * 1000.0);
    }
    dt = static_cast<float>(frameSeconds);
    previous = now;
  }
  return phase;
}

bool readSecondsFlag(const std::string& arg, const std::string& flag, double& value) {
  if (arg.rfind(flag, 0) != 0) {
    return false;
  }
  value = std::atof(arg.c_str() + flag.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  double raceSeconds = 20.0;
  double screenSeconds = 2.0;
  std::string resourceDir = "../resources";
  bool fullResolution = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--full-resolution") {
      fullResolution = true;
    } else if (!readSecondsFlag(arg, "--race-seconds=", raceSeconds) &&
               !readSecondsFlag(arg, "--screen-seconds=", screenSeconds)) {
      resourceDir = arg;
    }
  }
  const bool adapt = !fullResolution;
  if (!enterExecutableDirectory()) {
    return 1;
  }
  GameSession session;
  if (!session.open(resourceDir)) {
    return 1;
  }
  // No frame limit: the benchmark measures drawing, not the display's refresh.
  glfwSwapInterval(0);

  std::vector<PhaseTimes> phases;
  phases.push_back(play(session, "start prompt", screenSeconds, adapt));
  session.tap(GLFW_KEY_ENTER);
  session.tap(GLFW_KEY_ENTER);
  phases.push_back(play(session, "title", screenSeconds, adapt));
  session.tap(GLFW_KEY_ENTER);
  session.press(GLFW_KEY_W);
  // A gentle turn: a short tap of A every second and a half.
  const int turns = static_cast<int>(raceSeconds / 1.5);
  PhaseTimes race{"race", {}, {}, {}};
  double raced = 0.0;
  for (int i = 0; i <= turns && raced < raceSeconds; ++i) {
    const double slice = std::min(1.5, raceSeconds - raced);
    session.press(GLFW_KEY_A);
    PhaseTimes turning = play(session, "race", std::min(0.2, slice), adapt);
    session.release(GLFW_KEY_A);
    PhaseTimes straight = play(session, "race", std::max(0.0, slice - 0.2), adapt);
    race.milliseconds.insert(race.milliseconds.end(), turning.milliseconds.begin(),
                             turning.milliseconds.end());
    race.milliseconds.insert(race.milliseconds.end(), straight.milliseconds.begin(),
                             straight.milliseconds.end());
    for (const PhaseTimes* part : {&turning, &straight}) {
      race.cpuMilliseconds.insert(race.cpuMilliseconds.end(), part->cpuMilliseconds.begin(),
                                  part->cpuMilliseconds.end());
      race.strikeMilliseconds.insert(race.strikeMilliseconds.end(),
                                     part->strikeMilliseconds.begin(),
                                     part->strikeMilliseconds.end());
    }
    raced += slice;
  }
  phases.push_back(race);

  std::printf("%-14s %8s %10s %10s %10s %10s %12s\n", "phase", "frames", "median ms", "p95 ms",
              "p99 ms", "worst ms", "cpu ms/frame");
  for (const PhaseTimes& phase : phases) {
    if (phase.milliseconds.empty()) {
      continue;
    }
    std::printf("%-14s %8zu %10.2f %10.2f %10.2f %10.2f %12.2f\n", phase.name.c_str(),
                phase.milliseconds.size(), percentile(phase.milliseconds, 0.5),
                percentile(phase.milliseconds, 0.95), percentile(phase.milliseconds, 0.99),
                *std::max_element(phase.milliseconds.begin(), phase.milliseconds.end()),
                percentile(phase.cpuMilliseconds, 0.5));
  }
  std::printf("scene drawn at %.0f%% of the window's width and height at the end\n",
              100.0 * static_cast<double>(session.game().renderScale));
  for (const PhaseTimes& phase : phases) {
    if (!phase.strikeMilliseconds.empty()) {
      std::printf("%s: %zu frames with a strike, median %.2f ms, worst %.2f ms\n",
                  phase.name.c_str(), phase.strikeMilliseconds.size(),
                  percentile(phase.strikeMilliseconds, 0.5),
                  *std::max_element(phase.strikeMilliseconds.begin(),
                                    phase.strikeMilliseconds.end()));
    }
  }
  return 0;
}
