#include "GLTestContext.h"

WindowManager* GLTest::windowManager = nullptr;

void GLTest::SetUpTestSuite() {
  windowManager = new WindowManager();
  if (!windowManager->init(1080, 810)) {
    delete windowManager;
    windowManager = nullptr;
  }
}

void GLTest::TearDownTestSuite() {
  if (windowManager != nullptr) {
    windowManager->shutdown();
    delete windowManager;
    windowManager = nullptr;
  }
}

void GLTest::SetUp() {
  ASSERT_NE(windowManager, nullptr) << "no GL window: is DISPLAY set to a running X server?";
  while (glGetError() != GL_NO_ERROR) {
  }
}

std::vector<unsigned char> GLTest::readPixels(int x, int y, int width, int height) {
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
