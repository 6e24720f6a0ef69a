// The game's composed frame, read back from its window after render: text screens laid out and
// measured as drawn, the race scene with its storm (the flash, the arrow clear of the text),
// resizing, and a start-up with a file missing.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Application.h"
#include "CaptureOutput.h"
#include "GLTestContext.h"
#include "ResourceNames.h"
#include "Story.h"
#include "gl/Program.h"

namespace fs = std::filesystem;

namespace {

constexpr int GameWidth = 1080;
constexpr int GameHeight = 810;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;

  const unsigned char* at(int x, int y) const {
    return &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
                 4];
  }
};

// The box around the bright (text-coloured) pixels within rows [bottom, top].
struct Ink {
  int left = 1 << 30;
  int right = -1;
  int bottom = 1 << 30;
  int top = -1;
  int brightest[3] = {0, 0, 0};
  bool found() const { return right >= 0; }
};

Ink findInk(const Image& image, int bottom, int top) {
  Ink ink;
  int brightestSum = -1;
  for (int y = std::max(bottom, 0); y <= std::min(top, image.height - 1); ++y) {
    for (int x = 0; x < image.width; ++x) {
      const unsigned char* p = image.at(x, y);
      if (std::min({p[0], p[1], p[2]}) < 128) {
        continue;
      }
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::min(ink.bottom, y);
      ink.top = std::max(ink.top, y);
      if (p[0] + p[1] + p[2] > brightestSum) {
        brightestSum = p[0] + p[1] + p[2];
        std::copy(p, p + 3, ink.brightest);
      }
    }
  }
  return ink;
}

// Where a centred line's glyph bitmaps should land, pen positions taken from measureText.
Ink expectedInk(const TextRenderer& text, const std::string& line, float scale, float width,
                float baseline) {
  Ink box;
  const float start = (width - text.measureText(line, scale)) / 2.0f;
  for (size_t i = 0; i < line.size(); ++i) {
    const auto& ch = text.characters.at(line[i]);
    if (ch.size.x == 0 || ch.size.y == 0) {
      continue;
    }
    const float pen = start + text.measureText(line.substr(0, i), scale);
    box.left = std::min(box.left, static_cast<int>(pen + static_cast<float>(ch.bearing.x) * scale));
    box.right = std::max(
        box.right, static_cast<int>(pen + static_cast<float>(ch.bearing.x + ch.size.x) * scale));
    box.top =
        std::max(box.top, static_cast<int>(baseline + static_cast<float>(ch.bearing.y) * scale));
    box.bottom =
        std::min(box.bottom,
                 static_cast<int>(baseline - static_cast<float>(ch.size.y - ch.bearing.y) * scale));
  }
  return box;
}

}  // namespace

class FrameTest : public GLTest {
 protected:
  static void SetUpTestSuite() {
    setenv("ALSOFT_DRIVERS", "null", 0);
    GLTest::SetUpTestSuite();
  }

  void SetUp() override {
    GLTest::SetUp();
    window = windowManager->getHandle();
  }

  void TearDown() override {
    windowManager->setEventCallbacks(nullptr);
    app.reset();
    resizeWindow(GameWidth, GameHeight);
    if (!originalDirectory.empty()) {
      fs::current_path(originalDirectory);
    }
  }

  // Starts the game as its entry point does; returns what start-up printed on both streams.
  std::string startGame(const std::string& resourceDir = "../resources") {
    app = std::make_unique<Application>();
    CaptureStderr capturedStderr;
    CaptureStdout out;
    app->startUp(windowManager, resourceDir);
    const std::string printed = out.stop();
    return printed + capturedStderr.stop();
  }

  // Renders one frame and reads the window's back buffer, as the swap would show it.
  Image renderFrame() {
    app->render();
    Image image;
    glfwGetFramebufferSize(window, &image.width, &image.height);
    image.rgba = readPixels(0, 0, image.width, image.height);
    return image;
  }

  void resizeWindow(int width, int height) {
    glfwSetWindowSize(window, width, height);
    waitForFramebufferSize(width, height);
  }

  // Waits until the window's framebuffer has the given size and its resize event has arrived.
  void waitForFramebufferSize(int width, int height) {
    for (int i = 0; i < 200; ++i) {
      int w = 0;
      int h = 0;
      glfwGetFramebufferSize(window, &w, &h);
      glfwWaitEventsTimeout(0.01);
      if (w == width && h == height) {
        // One more round so that the resize event itself has been delivered.
        glfwWaitEventsTimeout(0.05);
        return;
      }
    }
  }

  // Runs from a copy of build/bin's surroundings in which one resource file is missing: the
  // fixed paths ("../resources/...") and the resource directory both see the gap.
  void runWithout(const std::string& missing) {
    const fs::path root =
        fs::temp_directory_path() / ("galeskerry_frame_" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "bin");
    const fs::path source = fs::absolute("../resources");
    const fs::path copy = root / "resources";
    fs::create_directories(copy);
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
      const fs::path relative = fs::relative(entry.path(), source);
      if (relative == missing) {
        continue;
      }
      if (entry.is_directory()) {
        fs::create_directories(copy / relative);
      } else {
        fs::create_symlink(entry.path(), copy / relative);
      }
    }
    originalDirectory = fs::current_path();
    fs::current_path(root / "bin");
  }

  GLFWwindow* window = nullptr;
  std::unique_ptr<Application> app;
  fs::path originalDirectory;
};

// Both text screens: every line white, centred and as wide as measured, at its height.
TEST_F(FrameTest, TextScreensShowTheirLinesWhereTheLayoutPutsThem) {
  struct TextLine {
    std::string text;
    float scale;
    float heightFraction;
  };
  struct Screen {
    int gameState;
    std::vector<TextLine> lines;
  };
  const Screen screens[] = {
      {StartPrompt, {{"Press 'Enter' to start.", 1.0f, 0.5f}}},
      {Title, {{"Galeskerry", 1.5f, 0.5f}, {"Press 'Enter' to start.", 0.8f, 0.2f}}},
  };
  startGame();
  ASSERT_TRUE(app->textRenderer.hasGlyphs());
  for (const Screen& screen : screens) {
    app->gameState = screen.gameState;
    const Image image = renderFrame();
    for (const TextLine& line : screen.lines) {
      SCOPED_TRACE(line.text);
      const float baseline = line.heightFraction * GameHeight;
      const Ink expected =
          expectedInk(app->textRenderer, line.text, line.scale, GameWidth, baseline);
      const Ink ink = findInk(image, static_cast<int>(baseline - 25.0f * line.scale),
                              static_cast<int>(baseline + 55.0f * line.scale));
      ASSERT_TRUE(ink.found());
      EXPECT_NEAR(ink.left, expected.left, 3);
      EXPECT_NEAR(ink.right, expected.right, 3);
      EXPECT_NEAR(ink.top, expected.top, 3);
      EXPECT_NEAR(ink.bottom, expected.bottom, 3);
      EXPECT_NEAR((ink.left + ink.right) / 2, GameWidth / 2, 6);
      for (const int channel : ink.brightest) {
        EXPECT_GE(channel, 235);
      }
    }
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Glyph quads overlap their neighbours; a line must show every glyph whole, exactly as the
// glyphs drawn one at a time do, under the depth test the scene target uses.
TEST_F(FrameTest, NeighbouringGlyphsDoNotClipEachOther) {
  startGame();
  // Italic f and j reach under their neighbours.
  const std::string line = "fjfjf/ff jiffy";
  TextRenderer& text = app->textRenderer;
  const auto inkMask = [&](const std::string& part, float x) {
    // Cleared as a frame starts, then stencil writes off as on the text screens.
    glStencilMask(0xFF);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glStencilMask(0x00);
    text.renderText(app->textShader, part, x, 400.0f, 1.0f, glm::vec3(1.0f));
    const std::vector<unsigned char> pixels = readPixels(0, 380, GameWidth, 60);
    std::vector<bool> mask(pixels.size() / 4);
    for (size_t i = 0; i < mask.size(); ++i) {
      mask[i] = pixels[i * 4] > 100;
    }
    return mask;
  };
  glBindFramebuffer(GL_FRAMEBUFFER, app->postFBO);
  glViewport(0, 0, GameWidth, GameHeight);
  glEnable(GL_DEPTH_TEST);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  const std::vector<bool> whole = inkMask(line, 100.0f);
  std::vector<bool> oneByOne(whole.size(), false);
  for (size_t i = 0; i < line.size(); ++i) {
    const std::vector<bool> glyph =
        inkMask(line.substr(i, 1), 100.0f + text.measureText(line.substr(0, i), 1.0f));
    for (size_t p = 0; p < glyph.size(); ++p) {
      oneByOne[p] = oneByOne[p] || glyph[p];
    }
  }
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  size_t ink = 0;
  size_t lost = 0;
  for (size_t p = 0; p < whole.size(); ++p) {
    ink += oneByOne[p] ? 1 : 0;
    lost += oneByOne[p] && !whole[p] ? 1 : 0;
  }
  ASSERT_GT(ink, 1000u);
  EXPECT_EQ(lost, 0u);
}

TEST_F(FrameTest, RaceFrameShowsMoreThanTheClearColour) {
  startGame();
  app->gameState = -1;
  const Image empty = renderFrame();
  app->gameState = Playing;
  const Image race = renderFrame();
  size_t changed = 0;
  for (size_t i = 0; i < race.rgba.size(); i += 4) {
    for (size_t c = 0; c < 3; ++c) {
      if (std::abs(race.rgba[i + c] - empty.rgba[i + c]) > 12) {
        ++changed;
        break;
      }
    }
  }
  EXPECT_GT(changed, race.rgba.size() / 4 / 2);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FrameTest, FrameAfterAResizeHasTheNewSizeAndStaysCentred) {
  startGame();
  resizeWindow(640, 480);
  const Image image = renderFrame();
  ASSERT_EQ(image.width, 640);
  ASSERT_EQ(image.height, 480);

  GLint textureSize[2] = {0, 0};
  glBindTexture(GL_TEXTURE_2D, app->postTexture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &textureSize[0]);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &textureSize[1]);
  glBindTexture(GL_TEXTURE_2D, 0);
  EXPECT_EQ(textureSize[0], 640);
  EXPECT_EQ(textureSize[1], 480);
  GLint depthSize[2] = {0, 0};
  glBindRenderbuffer(GL_RENDERBUFFER, app->postRBO);
  glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &depthSize[0]);
  glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &depthSize[1]);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  EXPECT_EQ(depthSize[0], 640);
  EXPECT_EQ(depthSize[1], 480);
  float resolution[2] = {0.0f, 0.0f};
  glGetUniformfv(app->postProcessShader->getPID(),
                 app->postProcessShader->getUniform("iResolution"), resolution);
  EXPECT_EQ(resolution[0], 640.0f);
  EXPECT_EQ(resolution[1], 480.0f);

  // The prompt scales with the width and stays in the middle of the smaller window.
  const Ink ink = findInk(image, 200, 280);
  ASSERT_TRUE(ink.found());
  EXPECT_NEAR((ink.left + ink.right) / 2, 320, 6);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FrameTest, MinimisedSizeIsIgnoredAndTheFrameComesBack) {
  startGame();
  const GLuint target = app->postFBO;
  app->resizeCallback(window, 0, 0);
  app->resizeCallback(window, 1080, 0);
  EXPECT_EQ(app->postFBO, target);
  const Image image = renderFrame();
  EXPECT_TRUE(findInk(image, 380, 460).found());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}


TEST_F(FrameTest, RestartsAndResizesKeepTheObjectCount) {
  startGame();
  app->gameState = Playing;
  renderFrame();
  const int before = liveGLObjects();
  {
    CaptureStdout quiet;
    for (int i = 0; i < 20; ++i) {
      app->resetGame(GameHeight, GameWidth);
      app->resizeCallback(window, i % 2 == 0 ? 800 : GameWidth, i % 2 == 0 ? 600 : GameHeight);
    }
  }
  renderFrame();
  EXPECT_EQ(liveGLObjects(), before);
  EXPECT_TRUE(glIsFramebuffer(app->postFBO));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A missing file gives its message at start-up, and frames are still drawn without a GL error
// or any further line on the console.
TEST_F(FrameTest, MissingFileIsReportedOnceAndTheGameDrawsOn) {
  struct Case {
    std::string missing;
    std::string message;
  };
  const Case cases[] = {
      {std::string("fonts/FeFCit2.ttf"), "ERROR::FREETYTPE: face initialization failed"},
      {std::string("shaders/text2D_frag.glsl"),
       "Could not open file: '../resources/shaders/text2D_frag.glsl'"},
      {std::string("shaders/cube_frag.glsl"),
       "Could not open file: '../resources/shaders/cube_frag.glsl'"},
      {std::string("shaders/post_processing_frag.glsl"),
       "Could not open file: '../resources/shaders/post_processing_frag.glsl'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing);
    runWithout(c.missing);
    const std::string printed = startGame();
    EXPECT_NE(printed.find(c.message), std::string::npos) << printed;

    CaptureStderr capturedStderr;
    CaptureStdout out;
    for (const int phase : {StartPrompt, Title, Playing}) {
      app->gameState = phase;
      renderFrame();
    }
    EXPECT_EQ(out.stop() + capturedStderr.stop(), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    TearDown();
  }
}

// The wireframe view (Z held) and the outline stencil belong to the scene; the copy to the
// window still covers every pixel, in every phase.
TEST_F(FrameTest, PostPassFillsTheWindowWhateverTheSceneStateIs) {
  startGame();
  app->keyCallback(window, GLFW_KEY_Z, 0, GLFW_PRESS, 0);
  for (const int phase : {StartPrompt, Playing}) {
    SCOPED_TRACE(phase);
    app->gameState = phase;
    const Image image = renderFrame();
    size_t white = 0;
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
      white += image.rgba[i] == 255 && image.rgba[i + 1] == 255 && image.rgba[i + 2] == 255;
    }
    // Only text may be pure white; the window's white clear colour must not show through.
    EXPECT_LT(white, image.rgba.size() / 4 / 100);
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
    EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
  }
  app->keyCallback(window, GLFW_KEY_Z, 0, GLFW_RELEASE, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// F11 takes the game to the whole screen and back; the frame follows both sizes.
TEST_F(FrameTest, F11TogglesFullscreenAndTheFrameFollows) {
  startGame();
  const GLFWvidmode* screen = glfwGetVideoMode(glfwGetPrimaryMonitor());
  ASSERT_NE(screen, nullptr);
  windowManager->setEventCallbacks(app.get());
  app->keyCallback(window, GLFW_KEY_F11, 0, GLFW_PRESS, 0);
  waitForFramebufferSize(screen->width, screen->height);
  EXPECT_TRUE(windowManager->isFullscreen());
  Image image = renderFrame();
  EXPECT_EQ(image.width, screen->width);
  EXPECT_EQ(image.height, screen->height);
  GLint textureWidth = 0;
  glBindTexture(GL_TEXTURE_2D, app->postTexture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &textureWidth);
  glBindTexture(GL_TEXTURE_2D, 0);
  EXPECT_EQ(textureWidth, screen->width);

  app->keyCallback(window, GLFW_KEY_F11, 0, GLFW_PRESS, 0);
  waitForFramebufferSize(GameWidth, GameHeight);
  EXPECT_FALSE(windowManager->isFullscreen());
  image = renderFrame();
  EXPECT_EQ(image.width, GameWidth);
  EXPECT_EQ(image.height, GameHeight);
}

namespace {

glm::ivec2 textureSize(GLuint texture) {
  GLint size[2] = {0, 0};
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
  glBindTexture(GL_TEXTURE_2D, 0);
  return {size[0], size[1]};
}

}  // namespace

// Slow race frames draw the scene smaller, fast ones bring it back; frames in between change
// nothing, nor does one slow frame among steady ones, nor do the text screens. The window's
// picture keeps its size and its sharp text throughout.
TEST_F(FrameTest, SlowFramesLowerTheSceneResolutionAndFastOnesRestoreIt) {
  startGame();
  const struct {
    const char* what;
    int gameState;
    double frameSeconds;
    double seconds;
    float scale;
  } steps[] = {
      {"steady frames between the bounds", Playing, 0.016, 3.0, 1.0f},
      {"one slow frame among steady ones", Playing, 0.2, 0.2, 1.0f},
      {"steady frames after it", Playing, 0.016, 0.5, 1.0f},
      {"slow frames", Playing, 0.060, 1.5, 0.5f},
      {"still slow, already smallest", Playing, 0.060, 3.0, 0.5f},
      {"frames between the bounds again", Playing, 0.016, 3.0, 0.5f},
      {"fast text screens", StartPrompt, 0.005, 3.0, 0.5f},
      {"fast race frames, one step a second", Playing, 0.005, 1.5, 0.625f},
      {"fast race frames until whole", Playing, 0.005, 5.0, 1.0f},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    app->gameState = step.gameState;
    for (double t = 0.0; t < step.seconds; t += step.frameSeconds) {
      app->adaptRenderScale(step.frameSeconds);
    }
    EXPECT_EQ(app->renderScale, step.scale);
    app->gameState = StartPrompt;
    const Image image = renderFrame();
    EXPECT_EQ(image.width, GameWidth);
    EXPECT_EQ(textureSize(app->postTexture),
              glm::ivec2(std::lround(step.scale * GameWidth), std::lround(step.scale * GameHeight)));
    const Ink ink = findInk(image, 380, 430);
    EXPECT_TRUE(ink.found()) << "the prompt is drawn at the window's resolution";
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

namespace {

double meanBrightness(const Image& image) {
  double sum = 0.0;
  for (size_t i = 0; i < image.rgba.size(); i += 4) {
    sum += (image.rgba[i] + image.rgba[i + 1] + image.rgba[i + 2]) / 3.0;
  }
  return sum / static_cast<double>(image.rgba.size() / 4);
}

// The box of a line's glyphs drawn with its pen starting at x.
Ink inkFrom(const TextRenderer& text, const std::string& line, float scale, float x,
            float baseline) {
  const float width = text.measureText(line, scale);
  return expectedInk(text, line, scale, 2.0f * x + width, baseline);
}

bool overlap(const Ink& a, const Ink& b, int margin) {
  return a.left <= b.right + margin && b.left <= a.right + margin &&
         a.bottom <= b.top + margin && b.bottom <= a.top + margin;
}

}  // namespace

// Lightning lights the scene the moment it strikes and the light is gone a second later, on
// either side of the view.
TEST_F(FrameTest, AStrikeLightsTheSceneAndTheLightFallsBack) {
  startGame();
  app->gameState = Playing;
  const glm::vec3 eye = app->camera.getEye();
  const glm::vec3 forward = glm::normalize(glm::vec3(app->camera.getViewDir().x, 0.0f,
                                                     app->camera.getViewDir().z));
  const glm::vec3 right = glm::normalize(glm::cross(forward, glm::vec3(0.0f, 1.0f, 0.0f)));
  const struct {
    const char* side;
    float across;
  } strikes[] = {{"left", -1.0f}, {"right", 1.0f}};
  for (const auto& strike : strikes) {
    SCOPED_TRACE(strike.side);
    // Any earlier bolt has gone out.
    app->lightning1.update(2.0f);
    const Image before = renderFrame();
    const glm::vec3 foot = eye + 140.0f * forward + strike.across * 70.0f * right;
    app->lightning1.strike(glm::vec3(foot.x + 10.0f, 100.0f, foot.z), glm::vec3(foot.x, 0.0f, foot.z),
                           eye);
    const Image struck = renderFrame();
    app->lightning1.update(1.0f);
    const Image later = renderFrame();

    const double beforeMean = meanBrightness(before);
    const double strikeMean = meanBrightness(struck);
    const double laterMean = meanBrightness(later);
    RecordProperty(std::string(strike.side) + "_brightness",
                   std::to_string(beforeMean) + " before, " + std::to_string(strikeMean) +
                       " struck, " + std::to_string(laterMean) + " a second later");
    EXPECT_GE(strikeMean, 1.3 * laterMean) << strikeMean << " then " << laterMean;
    // What is left a second later is the fading bolt itself, not the flash.
    EXPECT_LT(laterMean - beforeMean, 0.2 * (strikeMean - beforeMean))
        << beforeMean << ", " << strikeMean << ", " << laterMean;

  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The arrow, told by its green, stays whole in the window and clear of the racing title and the
// timer whether the camera looks level, up or down.
TEST_F(FrameTest, TheArrowStaysOnScreenAndClearOfTheTextAtEveryPitch) {
  startGame();
  app->gameState = Playing;
  ASSERT_TRUE(app->textRenderer.hasGlyphs());
  std::vector<Ink> text;
  for (const HudLine& line :
       hudLines(false, false, app->timeLimit, app->timeLeft, GameWidth, GameHeight)) {
    const float x = line.placement == Placement::Corner
                        ? line.x
                        : (GameWidth - app->textRenderer.measureText(line.text, line.scale)) / 2.0f;
    text.push_back(inkFrom(app->textRenderer, line.text, line.scale, x, line.y));
  }
  ASSERT_EQ(text.size(), 2u);
  const struct {
    const char* look;
    float mouseRise;
  } pitches[] = {{"level", 0.0f}, {"up as far as it goes", 2000.0f}, {"down", -300.0f},
                 {"down as far as it goes", -2000.0f}};
  for (const auto& pitch : pitches) {
    SCOPED_TRACE(pitch.look);
    app->camera.pitch = 0.0f;
    app->camera.mouseLook(0.0f, pitch.mouseRise);
    // The chase camera settles behind the boat over a few frames.
    for (int frame = 0; frame < 60; ++frame) {
      app->update(1.0f / 60.0f);
    }
    const Image image = renderFrame();
    Ink arrow;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const unsigned char* p = image.at(x, y);
        if (p[1] > p[0] + 40 && p[1] > p[2] + 40) {
          arrow.left = std::min(arrow.left, x);
          arrow.right = std::max(arrow.right, x);
          arrow.bottom = std::min(arrow.bottom, y);
          arrow.top = std::max(arrow.top, y);
        }
      }
    }
    ASSERT_TRUE(arrow.found());
    EXPECT_GT(arrow.left, 0);
    EXPECT_LT(arrow.right, GameWidth - 1);
    EXPECT_GT(arrow.bottom, 0);
    EXPECT_LT(arrow.top, GameHeight - 1);
    for (const Ink& line : text) {
      EXPECT_FALSE(overlap(arrow, line, 4))
          << "arrow " << arrow.left << ".." << arrow.right << " x " << arrow.bottom << ".."
          << arrow.top << ", text " << line.left << ".." << line.right << " x " << line.bottom
          << ".." << line.top;
    }
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
