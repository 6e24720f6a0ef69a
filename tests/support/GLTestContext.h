#pragma once

#include <vector>

#include <gtest/gtest.h>

#include "WindowManager.h"

// A real 1080 × 810 game window with a current GL 3.3 core context for the tests of one process.
// The window comes from the game's own WindowManager, so these tests also open it the same way.
class GLTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  // RGBA bytes of the currently bound read framebuffer.
  static std::vector<unsigned char> readPixels(int x, int y, int width, int height);

  static WindowManager* windowManager;
};
