#pragma once

// The GL window, off-screen target and object count the GL tests share.
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

// A small RGBA colour target, bound and set as the viewport while it lives, standing in for the
// game's off-screen framebuffer.
class OffscreenTarget {
 public:
  explicit OffscreenTarget(int size);
  ~OffscreenTarget();
  OffscreenTarget(const OffscreenTarget&) = delete;
  OffscreenTarget& operator=(const OffscreenTarget&) = delete;
  bool complete() const;

 private:
  GLuint fbo = 0;
  GLuint color = 0;
};

// Live GL objects of every kind the game creates, among the first names handed out.
int liveGLObjects();
