// Two hundred restarts in one process: nothing the game owns may grow with them.
#include <cstdio>

#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "GameRun.h"

using Soak = GameRun;

TEST_F(Soak, TwoHundredRestartsLeaveObjectsVoicesAndMemoryFlat) {
  startGame();
  CaptureStdout quiet;
  tap(GLFW_KEY_ENTER);
  tap(GLFW_KEY_ENTER);
  tap(GLFW_KEY_ENTER);
  ASSERT_EQ(app->gameState, Playing);

  const auto restart = [this] {
    tap(GLFW_KEY_X);
    frame();
    tap(GLFW_KEY_R);
    frame();
  };
  // The first few restarts fill caches (glyphs, decoded clips, the driver's pools).
  for (int i = 0; i < 10; ++i) {
    restart();
  }
  const int objects = liveGLObjects();
  const int sources = liveSoundSources();
  const long memory = residentKilobytes();
  for (int i = 0; i < 190; ++i) {
    restart();
  }
  const int objectsAfter = liveGLObjects();
  const int sourcesAfter = liveSoundSources();
  const long memoryAfter = residentKilobytes();
  quiet.stop();
  std::printf("after 10 restarts: %d GL objects, %d sound sources, %ld KiB resident\n", objects,
              sources, memory);
  std::printf("after 200 restarts: %d GL objects, %d sound sources, %ld KiB resident\n",
              objectsAfter, sourcesAfter, memoryAfter);
  EXPECT_EQ(objectsAfter, objects);
  EXPECT_LE(sourcesAfter, sources);
  // A leak of even a kilobyte a restart would show as 190 KiB here; allocator noise stays well
  // below this bound.
  EXPECT_LT(memoryAfter - memory, 4096) << "KiB grown over 190 restarts";
}
