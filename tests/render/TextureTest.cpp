// Textures load any image as RGB the right way up and warn about what they cannot use
// as is, so a grey, alpha or missing file still gives a usable texture.
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "GLTestContext.h"
#include "ImageFiles.h"
#include "gl/Texture.h"

namespace {

struct TextureCase {
  const char* name;
  int width;
  int height;
  int channels;  // 0: no file at all
  const char* warning;
};

void PrintTo(const TextureCase& testCase, std::ostream* os) { *os << testCase.name; }

// RGB texels of the bound 2D texture's level 0, rows bottom-up as GL stores them.
std::vector<unsigned char> boundTexels(int width, int height) {
  std::vector<unsigned char> texels(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

// What the texture should hold: the file's rows flipped, each pixel as RGB (a grey pixel
// repeated, alpha dropped).
std::vector<unsigned char> expectedTexels(const std::vector<unsigned char>& file, int width,
                                          int height, int channels) {
  std::vector<unsigned char> texels;
  for (int row = height - 1; row >= 0; --row) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &file[(static_cast<size_t>(row) * width + x) * channels];
      for (int c = 0; c < 3; ++c) {
        texels.push_back(channels < 3 ? p[0] : p[c]);
      }
    }
  }
  return texels;
}

class TextureTest : public GLTest, public ::testing::WithParamInterface<TextureCase> {};

TEST_P(TextureTest, LoadsEveryImageAsRgbAndWarnsAboutWhatItCannotUseAsIs) {
  const TextureCase& param = GetParam();
  const ImageDir dir;
  std::vector<unsigned char> file;
  std::string path = dir.path() + "/absent.png";
  if (param.channels > 0) {
    file = patternPixels(param.width, param.height, param.channels, 11);
    path = dir.writePng("image.png", param.width, param.height, param.channels, file);
  }
  // Another loader may have left a four-byte row alignment behind.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

  Texture texture;
  texture.setFilename(path);
  CaptureStderr err;
  texture.init();
  const std::string warnings = err.stop();

  EXPECT_EQ(warnings, param.warning[0] == '\0' ? "" : path + param.warning + "\n");
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0) << "init leaves no texture bound";
  if (param.channels == 0) {
    EXPECT_EQ(texture.getID(), 0u);
    EXPECT_EQ(texture.getWidth(), 0);
  } else {
    EXPECT_EQ(texture.getWidth(), param.width);
    EXPECT_EQ(texture.getHeight(), param.height);
    glBindTexture(GL_TEXTURE_2D, texture.getID());
    EXPECT_EQ(boundTexels(param.width, param.height),
              expectedTexels(file, param.width, param.height, param.channels));
    glBindTexture(GL_TEXTURE_2D, 0);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Images, TextureTest,
    ::testing::Values(TextureCase{"Rgb", 8, 4, 3, ""},
                      TextureCase{"RgbOddWidth", 5, 4, 3, " must be a power of 2"},
                      TextureCase{"Rgba", 4, 4, 4, " must have 3 components (RGB)"},
                      TextureCase{"Grey", 4, 2, 1, " must have 3 components (RGB)"},
                      TextureCase{"Missing", 0, 0, 0, " not found"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
