// The drawn sea: it moves, takes shadows only under a caster, looks the same with its
// tiles culled or coarsened far off, and is the same surface the boat rides on.
#include <cstdlib>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "CaptureOutput.h"
#include "GameFixture.h"
#include "ResourceNames.h"
#include "SceneSetup.h"
#include "gl/MatrixStack.h"
#include "gl/Program.h"
#include "gl/Shape.h"

namespace {

class SeaTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    buildScene();
    ASSERT_TRUE(app->waveShader->isLinked());
    ASSERT_TRUE(app->waterShape);
    // Camera and boat a little off the origin, the light's box around the point looked at.
    app->camera.eye = frame.eye;
    app->camera.lookAtPoint = frame.target;
    app->camera.up = glm::vec3(0.0f, 1.0f, 0.0f);
    app->boatPos = glm::vec3(0.0f, 0.0f, 0.0f);
    // The shadow map is drawn for race frames only.
    app->gameState = Playing;
  }

  // The sea alone, after a depth pass with whatever casters the application has.
  std::vector<unsigned char> drawSea(float time) {
    return drawSeaFrom(TestFrame{frame.eye, frame.target, time});
  }

  // freshShadows false keeps the shadow map of the last draw, whose tentacles are posed by
  // the clock and would not hold still between two draws.
  std::vector<unsigned char> drawSeaFrom(const TestFrame& view, bool freshShadows = true) {
    if (freshShadows) {
      app->renderDepthPass();
    }
    beginWindowPass();
    uploadFrameUniforms(*app, view);
    // The sea's tiles are chosen against the frame's view volume, as render extracts it.
    app->camera.extractFrustumPlanes(view.projection(), view.view());
    app->drawWater(std::make_shared<MatrixStack>());
    return readWindow();
  }

  TestFrame frame{glm::vec3(0.0f, 6.0f, -14.0f), glm::vec3(0.0f, 0.0f, 0.0f), 2.0f};
};

TEST_F(SeaTest, TheSeaMovesBetweenFramesHalfASecondApart) {
  const auto first = drawSea(2.0f);
  const auto later = drawSea(2.5f);
  size_t water = 0;
  size_t changed = 0;
  for (size_t i = 0; i < first.size(); i += 4) {
    const bool drawn = first[i] + first[i + 1] + first[i + 2] > 0;
    water += drawn ? 1 : 0;
    changed += first[i] != later[i] || first[i + 1] != later[i + 1] || first[i + 2] != later[i + 2];
  }
  // The sea fills the lower half of the view at least.
  EXPECT_GT(water, first.size() / 4 / 2);
  EXPECT_GT(changed, water / 4);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SeaTest, ShadowsFallOnlyWhereACasterStands) {
  const auto boat = app->boatParts;
  ASSERT_FALSE(boat.empty());
  app->boatParts.clear();
  const auto open = drawSea(2.0f);
  app->boatParts = boat;
  const auto shaded = drawSea(2.0f);

  size_t darker = 0;
  size_t brighter = 0;
  for (size_t i = 0; i < open.size(); i += 4) {
    const int before = open[i] + open[i + 1] + open[i + 2];
    const int after = shaded[i] + shaded[i + 1] + shaded[i + 2];
    darker += after + 3 < before ? 1 : 0;
    brighter += after > before ? 1 : 0;
  }
  // The boat's shadow darkens a patch of sea; nowhere is the sea lit more for it.
  EXPECT_GT(darker, 100u);
  EXPECT_LT(darker, open.size() / 4 / 10);
  EXPECT_EQ(brighter, 0u);
}

TEST_F(SeaTest, SeaOutsideTheLightsBoxIsLitWhateverTheMapHolds) {
  app->boatParts.clear();
  const auto open = drawSea(2.0f);
  // A map that is nearest-possible everywhere shadows all the sea inside the light's box...
  app->renderDepthPass();
  glBindFramebuffer(GL_FRAMEBUFFER, app->shadowMap.depthMapFBO);
  glClearDepth(0.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glClearDepth(1.0);
  beginWindowPass();
  uploadFrameUniforms(*app, frame);
  app->drawWater(std::make_shared<MatrixStack>());
  const auto blocked = readWindow();

  // ...but the sea under the target is in the box, and the sea far beyond it is not.
  const glm::ivec2 inside = frame.toPixel(frame.target);
  EXPECT_LT(glm::dot(glm::vec3(pixelAt(blocked, inside)), glm::vec3(1.0f)),
            glm::dot(glm::vec3(pixelAt(open, inside)), glm::vec3(1.0f)));
  for (const float distance : {40.0f, 80.0f, 150.0f}) {
    const glm::ivec2 far = frame.toPixel(glm::vec3(0.0f, 0.0f, distance));
    for (int dx = -200; dx <= 200; dx += 50) {
      const glm::ivec2 pixel = far + glm::ivec2(dx, 0);
      EXPECT_EQ(pixelAt(blocked, pixel), pixelAt(open, pixel))
          << "at " << distance << " units, " << dx << " pixels aside";
    }
  }
}

// Drawing only the tiles in view changes no pixel: seen from a boat in open water and from one
// at the start line near the plane's edge, looking along it, across it and out over the edge.
TEST_F(SeaTest, TheSeaLooksTheSameWithAndWithoutItsTilesCulled) {
  const TestFrame views[] = {
      {glm::vec3(0.0f, 4.0f, -12.0f), glm::vec3(0.0f, 1.0f, 10.0f), 2.0f},
      {glm::vec3(40.0f, 5.0f, 30.0f), glm::vec3(-10.0f, 0.0f, 60.0f), 7.5f},
      {glm::vec3(0.0f, 4.0f, -270.0f), glm::vec3(0.0f, 1.0f, -248.0f), 3.0f},
      {glm::vec3(0.0f, 4.0f, -270.0f), glm::vec3(30.0f, 1.0f, -290.0f), 3.0f},
  };
  for (const TestFrame& view : views) {
    SCOPED_TRACE(testing::Message() << "eye " << view.eye.x << ", " << view.eye.z);
    app->camera.extractFrustumPlanes(view.projection(), view.view());
    const int visible = [this, &view] {
      int indices = 0;
      for (const auto& range : app->seaTiles.visibleRanges(
               app->camera.planes, glm::scale(glm::mat4(1.0f), glm::vec3(300.0f, 1.0f, 300.0f)),
               1.5f, view.eye, app->seaFineDistance)) {
        indices += range.count;
      }
      return indices;
    }();
    // Culling must leave tiles out for the comparison to mean anything.
    EXPECT_LT(visible, app->seaTiles.allRanges().front().count);
    app->seaCulling = false;
    const auto whole = drawSeaFrom(view);
    app->seaCulling = true;
    const float fineDistance = app->seaFineDistance;
    app->seaFineDistance = std::numeric_limits<float>::infinity();
    const auto culled = drawSeaFrom(view, false);
    app->seaFineDistance = fineDistance;
    size_t sea = 0;
    size_t different = 0;
    for (size_t i = 0; i < whole.size(); i += 4) {
      sea += whole[i] + whole[i + 1] + whole[i + 2] > 0 ? 1 : 0;
      different += whole[i] != culled[i] || whole[i + 1] != culled[i + 1] ||
                   whole[i + 2] != culled[i + 2];
    }
    EXPECT_GT(sea, whole.size() / 4 / 4) << "the sea fills a good part of the view";
    EXPECT_EQ(different, 0u);
  }
}

// Far tiles drawn coarse leave the sea near the boat as it was, pixel for pixel, and change the
// far sea by little: its fog and the swell's long waves hide the coarser grid.
TEST_F(SeaTest, CoarseFarTilesLeaveTheNearSeaAsItWas) {
  ASSERT_TRUE(app->seaTiles.hasCoarseTiles());
  const TestFrame view{glm::vec3(0.0f, 4.0f, -12.0f), glm::vec3(0.0f, 1.0f, 10.0f), 2.0f};
  const float fineDistance = app->seaFineDistance;
  app->seaFineDistance = std::numeric_limits<float>::infinity();
  const auto fine = drawSeaFrom(view);
  app->seaFineDistance = fineDistance;
  const auto coarse = drawSeaFrom(view, false);
  // Rows below the point straight ahead at 0.7 × seaFineDistance show only near sea, out to the
  // picture's sides, which look 1.3 times as far.
  const int nearTop = view.toPixel(glm::vec3(0.0f, 0.0f, view.eye.z + 0.7f * fineDistance)).y;
  size_t nearDifferent = 0;
  size_t farPixels = 0;
  long farDifference = 0;
  for (int y = 0; y < 810; ++y) {
    for (int x = 0; x < 1080; ++x) {
      const glm::ivec3 a = pixelAt(fine, {x, y});
      const glm::ivec3 b = pixelAt(coarse, {x, y});
      if (y < nearTop) {
        nearDifferent += a != b ? 1 : 0;
      } else {
        ++farPixels;
        farDifference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
      }
    }
  }
  EXPECT_GT(nearTop, 100);
  EXPECT_EQ(nearDifferent, 0u);
  EXPECT_LT(static_cast<double>(farDifference) / static_cast<double>(farPixels), 1.0)
      << "mean difference per pixel over the far sea and the sky";
}

// The sea's vertex stage, with its world positions and normals captured instead of drawn.
class SeaSurfaceTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    const std::string vertPath =
        std::string(GALESKERRY_RESOURCE_DIR) + resources::shaders::WaveVert;
    const std::string vertSource = readFileToString(vertPath);
    const char* vert = vertSource.c_str();
    const char* frag = "#version 330 core\nout vec4 color;\nvoid main() { color = vec4(1.0); }\n";
    const GLuint vs = glCreateShader(GL_VERTEX_SHADER);
    glShaderSource(vs, 1, &vert, nullptr);
    glCompileShader(vs);
    const GLuint fs = glCreateShader(GL_FRAGMENT_SHADER);
    glShaderSource(fs, 1, &frag, nullptr);
    glCompileShader(fs);
    program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    const char* captured[] = {"worldPos", "worldNor"};
    glTransformFeedbackVaryings(program, 2, captured, GL_INTERLEAVED_ATTRIBS);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    ASSERT_EQ(linked, GL_TRUE);
  }
  void TearDown() override {
    glDeleteProgram(program);
    GameTest::TearDown();
  }

  // World position and normal of the sea plane's vertex above (x, z) at time t.
  std::pair<glm::vec3, glm::vec3> surfaceAt(float x, float z, float t) const {
    glUseProgram(program);
    const glm::mat4 M = glm::scale(glm::mat4(1.0f), glm::vec3(300.0f, 1.0f, 300.0f));
    glUniformMatrix4fv(glGetUniformLocation(program, "M"), 1, GL_FALSE, glm::value_ptr(M));
    glUniform1f(glGetUniformLocation(program, "time"), t);
    glUniform1f(glGetUniformLocation(program, "waveAmp"), swell::Amplitude);
    glUniform1f(glGetUniformLocation(program, "waveLen"), swell::WaveLength);

    GLuint vao = 0;
    GLuint input = 0;
    GLuint output = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    const glm::vec3 local(x / 300.0f, 0.0f, z / 300.0f);
    glGenBuffers(1, &input);
    glBindBuffer(GL_ARRAY_BUFFER, input);
    glBufferData(GL_ARRAY_BUFFER, sizeof local, glm::value_ptr(local), GL_STATIC_DRAW);
    const GLint pos = glGetAttribLocation(program, "vertPos");
    glEnableVertexAttribArray(static_cast<GLuint>(pos));
    glVertexAttribPointer(static_cast<GLuint>(pos), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    // The plane's stored normals all point straight up.
    glVertexAttrib3f(static_cast<GLuint>(glGetAttribLocation(program, "vertNor")), 0, 1, 0);

    glGenBuffers(1, &output);
    glBindBuffer(GL_TRANSFORM_FEEDBACK_BUFFER, output);
    glBufferData(GL_TRANSFORM_FEEDBACK_BUFFER, 6 * sizeof(float), nullptr, GL_STATIC_READ);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, output);
    glEnable(GL_RASTERIZER_DISCARD);
    glBeginTransformFeedback(GL_POINTS);
    glDrawArrays(GL_POINTS, 0, 1);
    glEndTransformFeedback();
    glDisable(GL_RASTERIZER_DISCARD);
    float result[6] = {};
    glGetBufferSubData(GL_TRANSFORM_FEEDBACK_BUFFER, 0, sizeof result, result);

    glDeleteBuffers(1, &output);
    glDeleteBuffers(1, &input);
    glDeleteVertexArrays(1, &vao);
    glUseProgram(0);
    return {glm::vec3(result[0], result[1], result[2]),
            glm::normalize(glm::vec3(result[3], result[4], result[5]))};
  }

  GLuint program = 0;
};

struct SurfacePoint {
  float x;
  float z;
  float time;
};

void PrintTo(const SurfacePoint& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.z << ") at " << p.time << " s";
}

class SeaSurfacePointTest : public SeaSurfaceTest,
                            public ::testing::WithParamInterface<SurfacePoint> {};

TEST_P(SeaSurfacePointTest, TheDrawnSeaIsTheSeaTheBoatRides) {
  const SurfacePoint& p = GetParam();
  const auto [position, normal] = surfaceAt(p.x, p.z, p.time);
  const glm::vec3 where(p.x, 0.0f, p.z);
  EXPECT_NEAR(position.x, p.x, 1e-3f);
  EXPECT_NEAR(position.z, p.z, 1e-3f);
  EXPECT_NEAR(position.y, waveHeightAt(where, p.time, p.time), 2e-3f);

  // The normal leans against the swell's slope, measured on the boat's own sea height.
  constexpr float Step = 0.01f;
  const auto height = [&](float dx, float dz) {
    return waveHeightAt(where + glm::vec3(dx, 0.0f, dz), p.time, p.time);
  };
  const float slopeX = (height(Step, 0.0f) - height(-Step, 0.0f)) / (2.0f * Step);
  const float slopeZ = (height(0.0f, Step) - height(0.0f, -Step)) / (2.0f * Step);
  const glm::vec3 expected = glm::normalize(glm::vec3(-slopeX, 1.0f, -slopeZ));
  EXPECT_NEAR(normal.x, expected.x, 2e-3f);
  EXPECT_NEAR(normal.y, expected.y, 2e-3f);
  EXPECT_NEAR(normal.z, expected.z, 2e-3f);
}

INSTANTIATE_TEST_SUITE_P(Points, SeaSurfacePointTest,
                         ::testing::Values(SurfacePoint{0.0f, 0.0f, 0.0f},
                                           SurfacePoint{37.5f, -12.0f, 1.25f},
                                           SurfacePoint{-120.0f, 200.0f, 3.9f},
                                           SurfacePoint{250.0f, -250.0f, 17.3f},
                                           SurfacePoint{4.0f, 225.0f, 612.8f}));

}  // namespace
