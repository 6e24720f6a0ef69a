// The sky cube builds whole from any set of face files, filling a face it cannot use with
// black and naming it, so a missing or odd sky file never stops the game.
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "GLTestContext.h"
#include "ImageFiles.h"
#include "render/SkyBox.h"

namespace {

constexpr int FaceCount = 6;
const std::array<const char*, 7> FaceNames{"px.png", "nx.png", "py.png",   "ny.png",
                                           "pz.png", "nz.png", "extra.png"};

// How one face file is written: its size and channels, or not at all (size 0).
struct FaceFile {
  int size;
  int channels;
};

struct SkyCase {
  const char* name;
  std::vector<FaceFile> files;  // one per name handed to the loader
  int expectedSize;
  std::vector<int> blackFaces;
  std::vector<int> missingFaces;  // named in a "failed to load" line
  int expectedErrors;
};

void PrintTo(const SkyCase& testCase, std::ostream* os) { *os << testCase.name; }

std::vector<unsigned char> faceColour(int face) {
  return {static_cast<unsigned char>(40 * face + 20), static_cast<unsigned char>(200 - 30 * face),
          static_cast<unsigned char>(90 + face), 255};
}

bool contains(const std::vector<int>& list, int value) {
  for (const int item : list) {
    if (item == value) {
      return true;
    }
  }
  return false;
}

class SkyBoxTest : public GLTest, public ::testing::WithParamInterface<SkyCase> {};

TEST_P(SkyBoxTest, BuildsAWholeCubeFillingFacesItCannotUseWithBlack) {
  const SkyCase& param = GetParam();
  const ImageDir dir;
  std::vector<std::string> names;
  for (size_t i = 0; i < param.files.size(); ++i) {
    const FaceFile& file = param.files[i];
    names.emplace_back(FaceNames[i]);
    if (file.size > 0) {
      const auto colour = faceColour(static_cast<int>(i));
      std::vector<unsigned char> grey(4, colour[0]);
      dir.writePng(
          FaceNames[i], file.size, file.size, file.channels,
          solidPixels(file.size, file.size, file.channels, file.channels == 1 ? grey : colour));
    }
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

  CaptureStdout out;
  const GLuint texture = loadCubeMap(dir.path() + "/", names);
  const std::string printed = out.stop();

  ASSERT_NE(texture, 0u);
  for (int face = 0; face < 7; ++face) {
    const std::string line = "failed to load: " + dir.path() + "/" + FaceNames[face] + "\n";
    EXPECT_EQ(printed.find(line) != std::string::npos, contains(param.missingFaces, face))
        << "face " << face << " in:\n"
        << printed;
  }
  EXPECT_NE(printed.find(" creating cube map any errors : " + std::to_string(param.expectedErrors) +
                         "\n"),
            std::string::npos)
      << printed;
  EXPECT_NE(printed.find("textureID: " + std::to_string(texture) + "\n"), std::string::npos);

  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (int face = 0; face < FaceCount; ++face) {
    const GLenum target = static_cast<GLenum>(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, param.expectedSize) << "face " << face;
    EXPECT_EQ(height, param.expectedSize) << "face " << face;
    std::vector<unsigned char> texels(static_cast<size_t>(width) * height * 3);
    glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    std::vector<unsigned char> expected = faceColour(face);
    if (contains(param.blackFaces, face)) {
      expected = {0, 0, 0};
    } else if (param.files[static_cast<size_t>(face)].channels == 1) {
      expected = {expected[0], expected[0], expected[0]};
    }
    EXPECT_EQ(texels, solidPixels(width, height, 3, expected)) << "face " << face;
  }
  glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
  glDeleteTextures(1, &texture);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

const FaceFile Rgb3{3, 3};
const FaceFile Rgb4{4, 3};
const FaceFile Absent{0, 0};

INSTANTIATE_TEST_SUITE_P(
    Faces, SkyBoxTest,
    ::testing::Values(
        // Three-pixel rows are not four-byte aligned.
        SkyCase{"AllSixOddSize", {Rgb3, Rgb3, Rgb3, Rgb3, Rgb3, Rgb3}, 3, {}, {}, 0},
        SkyCase{"MixedChannels", {Rgb4, {4, 4}, {4, 1}, Rgb4, {4, 4}, Rgb4}, 4, {}, {}, 0},
        SkyCase{"OneMissing", {Rgb4, Rgb4, Rgb4, Absent, Rgb4, Rgb4}, 4, {3}, {3}, 1},
        SkyCase{"FirstMissing", {Absent, Rgb3, Rgb3, Rgb3, Rgb3, Rgb3}, 3, {0}, {0}, 1},
        SkyCase{"OneSmaller", {Rgb4, Rgb4, Rgb4, Rgb4, Rgb3, Rgb4}, 4, {4}, {}, 1},
        SkyCase{"FewerThanSix", {Rgb4, Rgb4, Rgb4, Rgb4}, 4, {4, 5}, {}, 2},
        // A seventh name is never read: its missing file goes unreported.
        SkyCase{"SevenNames", {Rgb4, Rgb4, Rgb4, Rgb4, Rgb4, Rgb4, Absent}, 4, {}, {}, 0},
        SkyCase{"NoneAtAll",
                {Absent, Absent, Absent, Absent, Absent, Absent},
                1,
                {0, 1, 2, 3, 4, 5},
                {0, 1, 2, 3, 4, 5},
                6}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
