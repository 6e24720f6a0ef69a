// The props in the picture: the boat, the arrow above it and the lighthouse in their
// colours, never drawn black or covered by rain, and nothing drawn for a model that failed.
#include <algorithm>
#include <cstdlib>
#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "CaptureOutput.h"
#include "GameFixture.h"
#include "ResourceNames.h"
#include "SceneSetup.h"
#include "gl/MatrixStack.h"
#include "gl/Program.h"
#include "gl/Shape.h"

namespace {

class PropsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    buildScene();
    ASSERT_FALSE(app->boatParts.empty());
    ASSERT_TRUE(app->arrowShape && app->lighthouseShape);
    app->boatPos = glm::vec3(0.0f);
    app->boatAngle = 0.0f;
  }

  std::shared_ptr<MatrixStack> projectionStack(const TestFrame& frame) const {
    auto projection = std::make_shared<MatrixStack>();
    projection->multMatrix(frame.projection());
    return projection;
  }
};

int brightness(const glm::ivec3& colour) { return colour.r + colour.g + colour.b; }

TEST_F(PropsTest, TheBoatIsBrownAndTheArrowAboveItGreen) {
  const TestFrame frame{glm::vec3(0.0f, 3.0f, -7.0f), glm::vec3(0.0f, 2.0f, 0.0f), 1.0f};
  beginWindowPass();
  uploadFrameUniforms(*app, frame);
  auto model = std::make_shared<MatrixStack>();
  app->drawBoat(model, Pass::Lit);
  app->drawArrow(model, frame.view(), projectionStack(frame), 0.0f, Pass::Lit);
  const auto image = readWindow();

  const glm::ivec3 hull = pixelAt(image, frame.toPixel(glm::vec3(0.0f, 0.3f, 0.0f)));
  EXPECT_GT(hull.r, hull.g) << "hull " << hull.r << " " << hull.g << " " << hull.b;
  EXPECT_GT(hull.g, hull.b + 10);
  const glm::ivec3 arrow = pixelAt(
      image, frame.toPixel(arrowPosition(frame.projection(), frame.view(), app->boatPos)));
  EXPECT_GT(arrow.g, arrow.r + 60) << "arrow " << arrow.r << " " << arrow.g << " " << arrow.b;
  EXPECT_GT(arrow.g, arrow.b + 60);
  // Beside the boat there is only the cleared background.
  EXPECT_EQ(pixelAt(image, frame.toPixel(glm::vec3(4.0f, 0.5f, 0.0f))), glm::ivec3(0));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The frame marks the boat's pixels in the stencil as it draws it, and draws the rain after, only
// where nothing is marked: the boat's pixels stay as they were, while the rain shows around.
TEST_F(PropsTest, RainNeverCoversTheBoat) {
  {
    CaptureStdout quiet;
    app->rain.init(std::string(GALESKERRY_RESOURCE_DIR) + resources::shaders::RainVert,
                   std::string(GALESKERRY_RESOURCE_DIR) + resources::shaders::RainFrag);
  }
  ASSERT_TRUE(app->rain.canDraw());
  GLint stencilBits = 0;
  glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL,
                                        GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE, &stencilBits);
  ASSERT_GT(stencilBits, 0) << "the test window needs a stencil buffer";
  const TestFrame frame{glm::vec3(0.0f, 2.5f, -5.0f), glm::vec3(0.0f, 1.5f, 0.0f), 50.0f};
  app->camera.eye = frame.eye;

  beginWindowPass();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_STENCIL_TEST);
  glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
  glStencilMask(0xFF);
  glClear(GL_STENCIL_BUFFER_BIT);
  glStencilFunc(GL_ALWAYS, 1, 0xFF);
  uploadFrameUniforms(*app, frame);
  app->drawBoat(std::make_shared<MatrixStack>(), Pass::Lit);
  const auto dry = readWindow();

  glStencilMask(0x00);
  glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
  app->drawRain(frame.projection(), frame.view(), StormLight{});
  const auto rainy = readWindow();
  glStencilMask(0xFF);
  glStencilFunc(GL_ALWAYS, 0, 0xFF);
  glDisable(GL_STENCIL_TEST);

  size_t boat = 0;
  size_t boatChanged = 0;
  size_t rain = 0;
  for (size_t i = 0; i < dry.size(); i += 4) {
    const bool onBoat = dry[i] + dry[i + 1] + dry[i + 2] > 0;
    const bool changed = std::abs(rainy[i] - dry[i]) > 4 || std::abs(rainy[i + 2] - dry[i + 2]) > 4;
    boat += onBoat ? 1 : 0;
    boatChanged += onBoat && changed ? 1 : 0;
    rain += !onBoat && changed ? 1 : 0;
  }
  ASSERT_GT(boat, 5000u);
  EXPECT_GT(rain, 1000u) << "rain should fall around the boat";
  EXPECT_EQ(boatChanged, 0u) << "of " << boat;
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PropsTest, TheLighthouseLampTurnsWhileTheTowerStaysStill) {
  // The lighthouse 25 units ahead; its lamp room is 26 to 28 units up.
  const glm::vec3 cell(50.0f, 0.0f, 55.0f);
  const glm::vec3 lamp(0.0f, 27.6f, 25.0f);
  const glm::vec3 tower(0.0f, 12.0f, 25.0f);
  int dimmest = 255 * 3;
  int brightest = 0;
  glm::ivec3 firstTower(-1);
  for (int step = 0; step < 8; ++step) {
    const TestFrame frame{glm::vec3(0.0f, 20.0f, -10.0f), glm::vec3(0.0f, 20.0f, 25.0f),
                          0.75f * static_cast<float>(step)};
    beginWindowPass();
    uploadFrameUniforms(*app, frame);
    app->drawLighthouse(cell.x, cell.z, std::make_shared<MatrixStack>(), Pass::Lit);
    const auto image = readWindow();
    const int glow = brightness(pixelAt(image, frame.toPixel(lamp)));
    dimmest = std::min(dimmest, glow);
    brightest = std::max(brightest, glow);
    const glm::ivec3 wall = pixelAt(image, frame.toPixel(tower));
    if (step == 0) {
      firstTower = wall;
    }
    EXPECT_EQ(wall, firstTower) << "at step " << step;
  }
  EXPECT_GT(dimmest, 300) << "the lamp always glows";
  EXPECT_GT(brightest - dimmest, 150) << "the beam sweeps past";
}

// The colours one material row gives a program, read back from GL.
struct MaterialColours {
  glm::vec3 ambient{0.0f};
  glm::vec3 diffuse{0.0f};
  glm::vec3 specular{0.0f};
  float shine = 0.0f;
};

class MaterialTest : public PropsTest {
 protected:
  static constexpr int MaterialCount = 12;
  static constexpr float Untouched = 7.0f;

  // Fills the material uniforms with a marker, applies material i and reads back what is set.
  MaterialColours coloursOf(int i) const {
    const auto& prog = app->simpleShader;
    prog->bind();
    for (const char* name : {"MatAmb", "MatDif", "MatSpec"}) {
      glUniform3f(prog->getUniform(name), Untouched, Untouched, Untouched);
    }
    glUniform1f(prog->getUniform("shine"), Untouched);
    app->setMaterial(i, prog);
    MaterialColours colours;
    glGetUniformfv(prog->getPID(), prog->getUniform("MatAmb"), &colours.ambient.x);
    glGetUniformfv(prog->getPID(), prog->getUniform("MatDif"), &colours.diffuse.x);
    glGetUniformfv(prog->getPID(), prog->getUniform("MatSpec"), &colours.specular.x);
    glGetUniformfv(prog->getPID(), prog->getUniform("shine"), &colours.shine);
    prog->unbind();
    return colours;
  }
};

TEST_F(MaterialTest, AnIndexOutsideTheTableLeavesTheColoursAlone) {
  for (const int index : {-1, MaterialCount}) {
    const MaterialColours colours = coloursOf(index);
    EXPECT_EQ(colours.ambient, glm::vec3(Untouched)) << index;
    EXPECT_EQ(colours.diffuse, glm::vec3(Untouched)) << index;
    EXPECT_EQ(colours.specular, glm::vec3(Untouched)) << index;
    EXPECT_EQ(colours.shine, Untouched) << index;
  }
}

TEST_F(MaterialTest, EveryMaterialIsSetAndLooksUnlikeItsNeighbours) {
  for (int i = 0; i < MaterialCount; ++i) {
    const MaterialColours colours = coloursOf(i);
    for (const glm::vec3& colour : {colours.ambient, colours.diffuse, colours.specular}) {
      EXPECT_TRUE(glm::all(glm::greaterThanEqual(colour, glm::vec3(0.0f))) &&
                  glm::all(glm::lessThanEqual(colour, glm::vec3(1.0f))))
          << "material " << i << " has a colour outside 0..1";
    }
    EXPECT_GE(colours.shine, 0.0f) << i;
    if (i + 1 < MaterialCount) {
      // Two rows in a row that light the same would be one material written twice, or a row
      // shifted onto its neighbour's index.
      const MaterialColours next = coloursOf(i + 1);
      EXPECT_GT(glm::length(colours.diffuse - next.diffuse) +
                    glm::length(colours.ambient - next.ambient),
                0.05f)
          << "materials " << i << " and " << i + 1 << " look the same";
    }
  }
}

TEST_F(MaterialTest, TheBoatArrowAndLighthouseAreNeverDrawnBlack) {
  // The material indices the props draw with; a light-absorbing row there hides the prop
  // against the night sea.
  const struct {
    const char* prop;
    int index;
  } props[] = {{"boat", 3}, {"arrow", 6}, {"lighthouse and tentacles", 2}};
  for (const auto& prop : props) {
    const MaterialColours colours = coloursOf(prop.index);
    EXPECT_GT(colours.diffuse.r + colours.diffuse.g + colours.diffuse.b, 0.5f) << prop.prop;
    EXPECT_GT(colours.ambient.r + colours.ambient.g + colours.ambient.b, 0.05f) << prop.prop;
  }
}

enum class Prop { Boat, Arrow, Lighthouse };
enum class Mode { Depth, Outline, Normal };
enum class Damage { None, ModelMissing, ProgramBroken };
using PropMode = std::pair<Prop, Mode>;

const std::array<const char*, 3> PropNames{"Boat", "Arrow", "Lighthouse"};
const std::array<const char*, 3> ModeNames{"Depth", "Outline", "Normal"};
const std::array<const char*, 3> DamageNames{"Whole", "ModelMissing", "ProgramBroken"};

void PrintTo(const PropMode& propMode, std::ostream* os) {
  *os << PropNames[static_cast<size_t>(propMode.first)]
      << ModeNames[static_cast<size_t>(propMode.second)];
}
void PrintTo(Damage damage, std::ostream* os) { *os << DamageNames[static_cast<size_t>(damage)]; }

// The arrow casts no shadow, so it has no depth mode.
const std::array<PropMode, 8> DrawnModes{{{Prop::Boat, Mode::Depth},
                                          {Prop::Boat, Mode::Outline},
                                          {Prop::Boat, Mode::Normal},
                                          {Prop::Arrow, Mode::Outline},
                                          {Prop::Arrow, Mode::Normal},
                                          {Prop::Lighthouse, Mode::Depth},
                                          {Prop::Lighthouse, Mode::Outline},
                                          {Prop::Lighthouse, Mode::Normal}}};

class PropDrawTest : public PropsTest,
                     public ::testing::WithParamInterface<std::tuple<PropMode, Damage>> {};

TEST_P(PropDrawTest, DrawsWhatItHasSkipsWhatFailedAndLeavesTheStateAsItFoundIt) {
  const auto [propMode, damage] = GetParam();
  const auto [prop, mode] = propMode;
  const TestFrame frame{glm::vec3(0.0f, 3.0f, -7.0f), glm::vec3(0.0f, 2.0f, 0.0f), 1.0f};
  // Near enough for the lighthouse to stand inside the light's box.
  const glm::vec3 cell(50.0f, 0.0f, 52.0f);
  uploadFrameUniforms(*app, frame);
  if (damage == Damage::ModelMissing) {
    app->boatParts.clear();
    app->arrowShape.reset();
    app->lighthouseShape.reset();
  } else if (damage == Damage::ProgramBroken) {
    CaptureStdout quiet;
    auto broken = std::make_shared<Program>();
    broken->setShaderNames("/nonexistent_vert.glsl", "/nonexistent_frag.glsl", " ");
    broken->init();
    quiet.stop();
    app->simpleShader = app->arrowShader = app->lighthouseShader = app->outlineShader = broken;
  }

  auto model = std::make_shared<MatrixStack>();
  model->translate(glm::vec3(1.0f, 2.0f, 3.0f));
  const glm::mat4 top = model->topMatrix();
  const size_t depth = model->size();
  app->lighthousePos = glm::vec3(0.0f);

  if (mode == Mode::Depth) {
    app->shadowMap.beginPass(glm::vec3(-8.0f, 15.0f, -6.0f), frame.target);
  } else {
    beginWindowPass();
  }
  // Back faces are culled in every pass of the game; the boat turns that off for itself only.
  glEnable(GL_CULL_FACE);
  GLuint query = 0;
  glGenQueries(1, &query);
  glBeginQuery(GL_PRIMITIVES_GENERATED, query);
  const bool isDepth = mode == Mode::Depth;
  const Pass pass = isDepth ? Pass::Shadow : mode == Mode::Outline ? Pass::Outline : Pass::Lit;
  switch (prop) {
    case Prop::Boat:
      app->drawBoat(model, pass);
      break;
    case Prop::Arrow:
      app->drawArrow(model, frame.view(), projectionStack(frame), 0.5f, pass);
      break;
    case Prop::Lighthouse:
      app->drawLighthouse(cell.x, cell.z, model, pass);
      break;
  }
  glEndQuery(GL_PRIMITIVES_GENERATED);
  if (isDepth) {
    app->shadowMap.endPass();
  }
  GLuint primitives = 0;
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
  glDeleteQueries(1, &query);

  const bool drawn = damage == Damage::None || (damage == Damage::ProgramBroken && isDepth);
  EXPECT_EQ(primitives > 0, drawn) << primitives << " triangles";
  EXPECT_EQ(model->size(), depth);
  EXPECT_EQ(model->topMatrix(), top);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  GLint program = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  EXPECT_EQ(program, 0) << "the prop's program is unbound";
  if (prop == Prop::Lighthouse) {
    EXPECT_EQ(app->lighthousePos, glm::vec3(0.0f, -1.0f, 10.0f));
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

std::string propDrawName(const ::testing::TestParamInfo<std::tuple<PropMode, Damage>>& info) {
  const auto [propMode, damage] = info.param;
  return std::string(PropNames[static_cast<size_t>(propMode.first)]) +
         ModeNames[static_cast<size_t>(propMode.second)] + DamageNames[static_cast<size_t>(damage)];
}

INSTANTIATE_TEST_SUITE_P(AllModes, PropDrawTest,
                         ::testing::Combine(::testing::ValuesIn(DrawnModes),
                                            ::testing::Values(Damage::None, Damage::ModelMissing,
                                                              Damage::ProgramBroken)),
                         propDrawName);

}  // namespace
