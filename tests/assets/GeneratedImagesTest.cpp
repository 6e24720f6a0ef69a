// Checks the generated rock texture and sky faces as the game loads them: sizes it can
// upload, no seams where the rock tiles or the sky faces meet, stars only above the horizon.
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/glm.hpp>
#include <stb_image.h>

#include "ResourceNames.h"

namespace {

const std::string ResourceDir = GALESKERRY_RESOURCE_DIR;

struct LoadedImage {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<unsigned char> pixels;

  int at(int x, int y, int c) const {
    return pixels[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
                      static_cast<size_t>(channels) +
                  static_cast<size_t>(c)];
  }
};

// Loads as the game does: the file's own channel count, and no vertical flip for the sky
// faces (the rock texture is symmetric in this respect: it tiles).
LoadedImage load(const std::string& relative) {
  stbi_set_flip_vertically_on_load(0);
  LoadedImage image;
  unsigned char* data = stbi_load((ResourceDir + "/" + relative).c_str(), &image.width,
                                  &image.height, &image.channels, 0);
  EXPECT_NE(data, nullptr) << relative << ": " << stbi_failure_reason();
  if (data != nullptr) {
    image.pixels.assign(data, data + static_cast<size_t>(image.width) *
                                         static_cast<size_t>(image.height) *
                                         static_cast<size_t>(image.channels));
    stbi_image_free(data);
  }
  return image;
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

double pixelDifference(const LoadedImage& a, int ax, int ay, const LoadedImage& b, int bx,
                       int by) {
  double sum = 0.0;
  for (int c = 0; c < 3; ++c) {
    sum += std::abs(a.at(ax, ay, c) - b.at(bx, by, c));
  }
  return sum / 3.0;
}

TEST(GeneratedImages, RockTextureIsRgbPowerOfTwoAndTilesWithoutSeams) {
  const LoadedImage rock = load(resources::inResourceDir(resources::RockTexture));
  ASSERT_FALSE(rock.pixels.empty());
  EXPECT_EQ(rock.channels, 3);
  EXPECT_TRUE(isPowerOfTwo(rock.width));
  EXPECT_TRUE(isPowerOfTwo(rock.height));
  EXPECT_GE(rock.width, 512);
  EXPECT_GE(rock.height, 512);

  // Across the wrap the last column must follow on to the first as smoothly as any two
  // neighbouring columns inside the texture (and the same for rows).
  double acrossColumns = 0.0;
  double insideColumns = 0.0;
  for (int y = 0; y < rock.height; ++y) {
    acrossColumns += pixelDifference(rock, rock.width - 1, y, rock, 0, y);
    insideColumns += pixelDifference(rock, rock.width / 2 - 1, y, rock, rock.width / 2, y);
  }
  double acrossRows = 0.0;
  double insideRows = 0.0;
  for (int x = 0; x < rock.width; ++x) {
    acrossRows += pixelDifference(rock, x, rock.height - 1, rock, x, 0);
    insideRows += pixelDifference(rock, x, rock.height / 2 - 1, rock, x, rock.height / 2);
  }
  EXPECT_LT(acrossColumns, 1.5 * insideColumns + rock.height);
  EXPECT_LT(acrossRows, 1.5 * insideRows + rock.width);
}

// The sky faces inside the resource directory, in GL cube-map target order.
std::string faceFile(size_t face) {
  return std::string(resources::inResourceDir(resources::SkyBoxDirectory)) +
         resources::SkyBoxFaces[face];
}

class SkyBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (size_t i = 0; i < resources::SkyBoxFaces.size(); ++i) {
      faces[i] = load(faceFile(i));
    }
  }
  static void TearDownTestSuite() {
    for (LoadedImage& face : faces) {
      face = LoadedImage();
    }
  }

  // GL's cube-map lookup: the face of the major axis, then s and t from that face's sc and tc
  // (first image row t = 0, the faces being uploaded without a flip). Returns the texel.
  static const unsigned char* lookUp(glm::vec3 r, int& face, int& x, int& y) {
    const glm::vec3 m = glm::abs(r);
    float sc = 0.0f;
    float tc = 0.0f;
    float ma = 0.0f;
    if (m.x >= m.y && m.x >= m.z) {
      face = r.x > 0 ? 0 : 1;
      sc = r.x > 0 ? -r.z : r.z;
      tc = -r.y;
      ma = m.x;
    } else if (m.y >= m.z) {
      face = r.y > 0 ? 2 : 3;
      sc = r.x;
      tc = r.y > 0 ? r.z : -r.z;
      ma = m.y;
    } else {
      face = r.z > 0 ? 4 : 5;
      sc = r.z > 0 ? r.x : -r.x;
      tc = -r.y;
      ma = m.z;
    }
    const LoadedImage& image = faces[static_cast<size_t>(face)];
    const float s = 0.5f * (sc / ma + 1.0f);
    const float t = 0.5f * (tc / ma + 1.0f);
    x = std::min(image.width - 1, static_cast<int>(s * static_cast<float>(image.width)));
    y = std::min(image.height - 1, static_cast<int>(t * static_cast<float>(image.height)));
    return &image.pixels[(static_cast<size_t>(y) * static_cast<size_t>(image.width) +
                          static_cast<size_t>(x)) * static_cast<size_t>(image.channels)];
  }

  static std::array<LoadedImage, 6> faces;
};

std::array<LoadedImage, 6> SkyBox::faces;

TEST_F(SkyBox, FacesAreSquareRgbPowersOfTwoOfOneSize) {
  for (size_t i = 0; i < faces.size(); ++i) {
    SCOPED_TRACE(faceFile(i));
    ASSERT_FALSE(faces[i].pixels.empty());
    EXPECT_EQ(faces[i].channels, 3);
    EXPECT_EQ(faces[i].width, faces[i].height);
    EXPECT_TRUE(isPowerOfTwo(faces[i].width));
    EXPECT_EQ(faces[i].width, faces[0].width);
  }
}

TEST_F(SkyBox, NeighbouringFacesAgreeAlongAllTwelveEdges) {
  for (const LoadedImage& face : faces) {
    ASSERT_FALSE(face.pixels.empty());
  }
  const int size = faces[0].width;
  // Half a texel inside each face on either side of the edge.
  const float inside = 1.0f / (1.0f - 1.0f / static_cast<float>(size));
  for (int edge = 0; edge < 12; ++edge) {
    // Edges run along one axis with the other two coordinates at ±1.
    const int along = edge / 4;
    const float a = (edge & 1) != 0 ? 1.0f : -1.0f;
    const float b = (edge & 2) != 0 ? 1.0f : -1.0f;
    const int first = (along + 1) % 3;
    const int second = (along + 2) % 3;
    double total = 0.0;
    int faceA = -1;
    int faceB = -1;
    for (int i = 0; i < size; ++i) {
      glm::vec3 onA(0.0f);
      onA[along] = -1.0f + (2.0f * static_cast<float>(i) + 1.0f) / static_cast<float>(size);
      glm::vec3 onB = onA;
      onA[first] = a * inside;
      onA[second] = b;
      onB[first] = a;
      onB[second] = b * inside;
      int x = 0;
      int y = 0;
      const unsigned char* pa = lookUp(onA, faceA, x, y);
      const unsigned char* pb = lookUp(onB, faceB, x, y);
      for (int c = 0; c < 3; ++c) {
        total += std::abs(pa[c] - pb[c]);
      }
    }
    ASSERT_NE(faceA, faceB);
    const double meanDifference = total / (3.0 * size);
    EXPECT_LT(meanDifference, 3.0) << "edge between faces " << faceFile(static_cast<size_t>(faceA))
                                   << " and " << faceFile(static_cast<size_t>(faceB));
  }
}

// The sea hides what lies below the horizon; stars belong above it. Counting star-like texels
// (clearly brighter than the texels around them) shows which way up the faces are.
TEST_F(SkyBox, StarsShineAboveTheHorizonOnly) {
  int above = 0;
  int below = 0;
  const int size = faces[0].width;
  for (int step = 0; step < 400000; ++step) {
    // A fixed spread of directions over the sphere (golden-angle spiral).
    const float y = 1.0f - 2.0f * (static_cast<float>(step) + 0.5f) / 400000.0f;
    const float ring = std::sqrt(1.0f - y * y);
    const float angle = 2.39996323f * static_cast<float>(step);
    const glm::vec3 dir(ring * std::cos(angle), y, ring * std::sin(angle));
    int face = 0;
    int x = 0;
    int row = 0;
    const unsigned char* centre = lookUp(dir, face, x, row);
    if (x < 2 || row < 2 || x >= size - 2 || row >= size - 2) {
      continue;
    }
    const LoadedImage& image = faces[static_cast<size_t>(face)];
    const int brightness = centre[0] + centre[1] + centre[2];
    const int surroundings = image.at(x - 2, row, 0) + image.at(x - 2, row, 1) +
                             image.at(x - 2, row, 2) + image.at(x + 2, row, 0) +
                             image.at(x + 2, row, 1) + image.at(x + 2, row, 2);
    if (brightness > surroundings / 2 + 90) {
      (dir.y > 0.0f ? above : below) += 1;
    }
  }
  EXPECT_GT(above, 200);
  EXPECT_LT(below * 20, above);
}

}  // namespace
