// The text the game prints about GL: error names, the parsed GL version and the frame
// rate line, so the console says what it means.
#include <string>

#include <gtest/gtest.h>

#include "FrameTiming.h"
#include "gl/GLSL.h"

TEST(ErrorString, NamesEveryGLErrorCode) {
  const struct {
    GLenum code;
    const char* name;
  } cases[] = {
      {GL_NO_ERROR, "No error"},          {GL_INVALID_ENUM, "Invalid enum"},
      {GL_INVALID_VALUE, "Invalid value"}, {GL_INVALID_OPERATION, "Invalid operation"},
      {GL_STACK_OVERFLOW, "Stack overflow"}, {GL_STACK_UNDERFLOW, "Stack underflow"},
      {GL_OUT_OF_MEMORY, "Out of memory"},  {0x506, "No error"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(errorString(c.code), c.name) << std::hex << c.code;
  }
}

TEST(ParseGLVersion, ReadsTheLeadingMajorAndMinor) {
  const struct {
    const char* text;
    int major;
    int minor;
    bool valid;
  } cases[] = {
      {"3.3.0 NVIDIA 535.54", 3, 3, true},
      {"4.5 (Core Profile) Mesa 22.3.6", 4, 5, true},
      {"1.4", 1, 4, true},
      {"OpenGL ES 3.2", 0, 0, false},
      {"7", 7, 0, false},
      {nullptr, 0, 0, false},
  };
  for (const auto& c : cases) {
    const GLVersion version = parseGLVersion(c.text);
    const std::string label = c.text != nullptr ? c.text : "(null)";
    EXPECT_EQ(version.major, c.major) << label;
    EXPECT_EQ(version.minor, c.minor) << label;
    EXPECT_EQ(version.valid, c.valid) << label;
  }
}

TEST(FrameStatsLine, ReportsRateAndMeanFrameTimeOverThreeSeconds) {
  EXPECT_EQ(frameStatsLine(300), "FPS: 100\tFrame time: 10.000000\n");
  EXPECT_EQ(frameStatsLine(1), "FPS: 0\tFrame time: 3000.000000\n");
  EXPECT_EQ(frameStatsLine(181), "FPS: 60\tFrame time: 16.574585\n");
}
