// Opens the game window once per test suite, starts each test with no GL error left over,
// and reads back pixels and counts the live GL objects.
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

OffscreenTarget::OffscreenTarget(int size) {
  glGenFramebuffers(1, &fbo);
  glBindFramebuffer(GL_FRAMEBUFFER, fbo);
  glGenTextures(1, &color);
  glBindTexture(GL_TEXTURE_2D, color);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color, 0);
  glViewport(0, 0, size, size);
}

OffscreenTarget::~OffscreenTarget() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteFramebuffers(1, &fbo);
  glDeleteTextures(1, &color);
}

bool OffscreenTarget::complete() const {
  return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

int liveGLObjects() {
  int live = 0;
  for (GLuint name = 1; name < 4096; ++name) {
    live += glIsTexture(name) + glIsBuffer(name) + glIsVertexArray(name) + glIsFramebuffer(name) +
            glIsRenderbuffer(name) + glIsProgram(name) + glIsShader(name);
  }
  return live;
}

std::vector<unsigned char> GLTest::readPixels(int x, int y, int width, int height) {
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
