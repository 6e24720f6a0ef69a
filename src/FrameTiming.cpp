// The frame loop's shared clock and its frames-per-second line.
#include "FrameTiming.h"

#include <cstdio>

const std::shared_ptr<double> deltaTime = std::make_shared<double>(0.0);

std::string frameStatsLine(int frameCount) {
  const float frameTimeMs = 3000.0f / static_cast<float>(frameCount);
  char line[96];
  std::snprintf(line, sizeof line, "FPS: %d\tFrame time: %f\n", frameCount / 3,
                static_cast<double>(frameTimeMs));
  return line;
}
