// The shadow map follows the window size through a minimise, starts every pass clear,
// skips casters outside the light's box, and says once when its program failed.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "CaptureOutput.h"
#include "GLTestContext.h"
#include "gl/ObjLoader.h"
#include "gl/Program.h"
#include "gl/Shape.h"
#include "render/ShadowMap.h"

namespace {

constexpr int MapWidth = 1080;
constexpr int MapHeight = 810;
// The light looks down -z at the origin from 10 units away, so light-view x and y are world x
// and y, and an object at world z lies 10 - z deep.
const glm::vec3 LightEye(0.0f, 0.0f, 10.0f);
const glm::vec3 LightTarget(0.0f);

std::shared_ptr<Shape> unitQuad() {
  std::vector<ObjShape> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string err;
  const std::string path = std::string(GALESKERRY_TEST_FIXTURES) + "/quad_shared.obj";
  EXPECT_TRUE(loadObj(shapes, materials, err, path, nullptr)) << err;
  auto shape = std::make_shared<Shape>();
  shape->setFromObjShape(shapes.at(0));
  shape->computeBounds();
  shape->init();
  return shape;
}

// The fixture quad (2 x 2 in x-z) stood up to face the light, centred at `center`.
glm::mat4 facingLight(const glm::vec3& center) {
  return glm::rotate(glm::translate(glm::mat4(1.0f), center), glm::radians(90.0f),
                     glm::vec3(1.0f, 0.0f, 0.0f));
}

float depthAtCentre(const ShadowMap& map) {
  float depth = -1.0f;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, map.depthMapFBO);
  glReadPixels(MapWidth / 2, MapHeight / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  return depth;
}

GLint depthTextureWidth(const ShadowMap& map) {
  GLint width = 0;
  glBindTexture(GL_TEXTURE_2D, map.depthMap);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glBindTexture(GL_TEXTURE_2D, 0);
  return width;
}

class ShadowMapTest : public GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    map.init(MapWidth, MapHeight);
    map.initShader();
    ASSERT_TRUE(map.canDrawCasters());
  }
  ShadowMap map;
};

struct ResizeCase {
  const char* name;
  int width;
  int height;
  int expectedWidth;
};

void PrintTo(const ResizeCase& testCase, std::ostream* os) { *os << testCase.name; }

class ShadowMapResizeTest : public ShadowMapTest,
                            public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(ShadowMapResizeTest, FollowsRealSizesAndKeepsTheMapThroughAZeroOne) {
  const ResizeCase& param = GetParam();
  map.init(param.width, param.height);
  EXPECT_EQ(map.getWidth(), param.expectedWidth);
  EXPECT_EQ(depthTextureWidth(map), param.expectedWidth);
  glBindFramebuffer(GL_FRAMEBUFFER, map.depthMapFBO);
  EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShadowMapResizeTest,
                         ::testing::Values(ResizeCase{"Larger", 1280, 960, 1280},
                                           ResizeCase{"Smaller", 640, 480, 640},
                                           ResizeCase{"ZeroWidth", 0, 480, MapWidth},
                                           ResizeCase{"ZeroHeight", 640, 0, MapWidth},
                                           ResizeCase{"Minimised", 0, 0, MapWidth}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

struct LightBoxCase {
  const char* name;
  glm::vec3 center;
  float radius;
  bool outside;
};

void PrintTo(const LightBoxCase& testCase, std::ostream* os) { *os << testCase.name; }

class LightBoxTest : public ShadowMapTest, public ::testing::WithParamInterface<LightBoxCase> {};

TEST_P(LightBoxTest, SpheresOutsideTheLightsBoxAreNotDrawn) {
  const LightBoxCase& param = GetParam();
  const auto quad = unitQuad();
  map.beginPass(LightEye, LightTarget);
  EXPECT_EQ(map.sphereOutsideLight(param.center, param.radius), param.outside);

  // The same answer decides whether a caster of that size reaches the map.
  GLuint query = 0;
  glGenQueries(1, &query);
  glBeginQuery(GL_PRIMITIVES_GENERATED, query);
  const float quadRadius = std::sqrt(2.0f);
  map.drawShape(glm::scale(facingLight(param.center), glm::vec3(param.radius / quadRadius)), quad);
  glEndQuery(GL_PRIMITIVES_GENERATED);
  map.endPass();
  GLuint primitives = 0;
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
  glDeleteQueries(1, &query);
  EXPECT_EQ(primitives, param.outside ? 0u : 2u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Spheres, LightBoxTest,
    ::testing::Values(LightBoxCase{"AtTheTarget", {0, 0, 0}, 1, false},
                      LightBoxCase{"PastTheRightSide", {17, 0, 0}, 1, true},
                      LightBoxCase{"TouchingTheRightSide", {16, 0, 0}, 1, false},
                      LightBoxCase{"CrossingTheLeftSide", {-15.5f, 0, 0}, 1, false},
                      LightBoxCase{"BelowTheBottom", {0, -16.5f, 0}, 1, true},
                      LightBoxCase{"AboveTheTop", {3, 16.5f, 0}, 1, true},
                      LightBoxCase{"BeforeTheNearPlane", {0, 0, 9.5f}, 0.2f, true},
                      LightBoxCase{"BeyondTheFarPlane", {0, 0, -95}, 1, true},
                      LightBoxCase{"JustInsideTheFarPlane", {0, 0, -89.5f}, 1, false},
                      LightBoxCase{"LargeAndOffToTheSide", {30, 0, 0}, 20, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(ShadowMapTest, NothingCountsAsOutsideBeforeTheFirstPass) {
  const ShadowMap fresh;
  EXPECT_FALSE(fresh.sphereOutsideLight(glm::vec3(1000.0f), 1.0f));
}

TEST_F(ShadowMapTest, EveryPassStartsFromAClearMapEvenWithDepthWritesLeftOff) {
  const auto quad = unitQuad();
  map.beginPass(LightEye, LightTarget);
  map.drawShape(facingLight(glm::vec3(0.0f)), quad);
  map.endPass();
  // The quad stands 10 units from the light, in a box 1 to 100 units deep.
  EXPECT_NEAR(depthAtCentre(map), 9.0f / 99.0f, 1e-4f);

  glDepthMask(GL_FALSE);
  map.beginPass(LightEye, LightTarget);
  map.endPass();
  EXPECT_FLOAT_EQ(depthAtCentre(map), 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShadowMapTest, WithoutItsProgramTheMapSaysSoOnceAndStaysClearWithoutGLErrors) {
  // The depth program's files are found relative to the working directory.
  const std::filesystem::path home = std::filesystem::current_path();
  const std::filesystem::path elsewhere =
      std::filesystem::temp_directory_path() / "galeskerry-no-resources" / "bin";
  std::filesystem::create_directories(elsewhere);
  std::filesystem::current_path(elsewhere);
  ShadowMap broken;
  broken.init(MapWidth, MapHeight);
  CaptureStderr err;
  broken.initShader();
  const std::string startUp = err.stop();
  std::filesystem::current_path(home);

  EXPECT_FALSE(broken.canDrawCasters());
  size_t lines = 0;
  for (size_t at = startUp.find("Shadows are off"); at != std::string::npos;
       at = startUp.find("Shadows are off", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 1u) << startUp;

  const auto quad = unitQuad();
  CaptureStdout out;
  CaptureStderr frameErr;
  for (int frame = 0; frame < 3; ++frame) {
    broken.beginPass(LightEye, LightTarget);
    broken.drawShape(facingLight(glm::vec3(0.0f)), quad);
    broken.endPass();
  }
  EXPECT_EQ(frameErr.stop(), "");
  EXPECT_EQ(out.stop(), "");
  EXPECT_FLOAT_EQ(depthAtCentre(broken), 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
