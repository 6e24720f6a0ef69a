#pragma once

// What the frame loop measures: the last frame's duration and the frames-per-second line.

#include <memory>
#include <string>

// The last frame's duration in seconds, written by the frame loop after each update and read by
// the intro sequence for its own clock.
extern const std::shared_ptr<double> deltaTime;

// Statistics window of the frame loop, in seconds.
constexpr double FrameStatsWindow = 3.0;

// The console line printed at the end of each statistics window: the mean frame rate (whole
// frames per second) and the mean frame time in milliseconds over the window.
std::string frameStatsLine(int frameCount);
