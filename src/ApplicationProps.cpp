// Materials, model matrices and the props that are not obstacles: boat, arrow and lighthouse.
#include <algorithm>
#include <array>

#include <glm/gtc/type_ptr.hpp>

#include "Application.h"
#include "gl/GLSL.h"
#include "gl/MatrixStack.h"
#include "gl/Program.h"
#include "gl/Shape.h"

namespace {

struct Material {
  glm::vec3 ambient;
  glm::vec3 diffuse;
  glm::vec3 specular;
  float shine;
};

const std::array<Material, 12> Materials{{
    {{0.05375f, 0.05f, 0.06625f},
     {0.18275f, 0.17f, 0.22525f},
     {0.332741f, 0.328634f, 0.346435f},
     0.25f},
    {{0.13f, 0.13f, 0.14f}, {0.3f, 0.3f, 0.4f}, {0.3f, 0.3f, 0.4f}, 0.0f},
    // Lighthouse and obstacles.
    {{0.3294f, 0.3235f, 0.32745f},
     {0.7804f, 0.5686f, 0.11373f},
     {0.9922f, 0.941176f, 0.80784f},
     27.9f},
    // Boat.
    {{0.21f, 0.13f, 0.05f}, {0.71f, 0.43f, 0.18f}, {0.39f, 0.27f, 0.18f}, 0.0f},
    {{0.05f, 0.0f, 0.0f}, {0.5f, 0.4f, 0.4f}, {0.7f, 0.04f, 0.04f}, 10.0f},
    {{0.1745f, 0.01175f, 0.01175f},
     {0.61424f, 0.04136f, 0.04136f},
     {0.727811f, 0.626959f, 0.626959f},
     76.8f},
    // Arrow.
    {{0.0215f, 0.1745f, 0.0215f},
     {0.07568f, 0.61424f, 0.07568f},
     {0.633f, 0.727811f, 0.633f},
     76.8f},
    {{0.24725f, 0.2245f, 0.0645f},
     {0.34615f, 0.3143f, 0.0903f},
     {0.797357f, 0.723991f, 0.208006f},
     83.2f},
    {{0.2295f, 0.08825f, 0.0275f},
     {0.5508f, 0.2118f, 0.066f},
     {0.580594f, 0.223257f, 0.0695701f},
     51.2f},
    // Water.
    {{0.0f, 0.1f, 0.06f}, {0.0f, 0.509804f, 0.509804f}, {0.50196f, 0.50196f, 0.50196f}, 10.0f},
    {{0.0f, 0.03f, 0.2f}, {0.0f, 0.25f, 0.5f}, {0.25f, 0.25f, 0.5f}, 15.0f},
    // Obstacles.
    {{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, 15.0f},
}};

constexpr int BoatMaterial = 3;
constexpr int ArrowMaterial = 6;
constexpr int LighthouseMaterial = 2;
// The arrow's middle shows this far up the screen (in normalised device coordinates, 0 at
// the middle, 1 at the top): high over the boat, well below the racing title.
constexpr float ArrowScreenHeight = 0.45f;
// The chase camera sees the boat's mast near the top of the screen, so the arrow floats on the
// way from the eye to the boat, in front of the sail rather than in it: this share of the way ...
constexpr float ArrowShareOfTheWay = 0.7f;
// ... or less, so that it keeps this height over the boat when the camera looks down ...
constexpr float ArrowLowestLift = 1.6f;
// ... and never so near the eye that it would fill the view.
constexpr float ArrowLeastShare = 0.35f;

// The view test on the sphere around a shape placed by M; a shape whose bounds were never
// measured is always drawn.
bool shapeOutsideView(const Camera& camera, const glm::mat4& M, const Shape& shape) {
  glm::vec3 centre(0.0f);
  float radius = 0.0f;
  return shape.placedBounds(M, centre, radius) && camera.sphereOutsideFrustum(centre, radius);
}

}  // namespace

glm::vec3 arrowPosition(const glm::mat4& projection, const glm::mat4& view,
                        const glm::vec3& boatPos) {
  // A point lifted by h over the boat lands at clip position base + h * up; solving
  // y / w = ArrowScreenHeight for h finds the point above the boat on the chosen screen row. The
  // camera looks at the line above the boat, so for any pitch that row crosses the line.
  const glm::mat4 toClip = projection * view;
  const glm::vec4 base = toClip * glm::vec4(boatPos, 1.0f);
  const glm::vec4 up = toClip[1];
  const float denominator = up.y - ArrowScreenHeight * up.w;
  const float lift = std::abs(denominator) > 1e-6f
                         ? (ArrowScreenHeight * base.w - base.y) / denominator
                         : ArrowLowestLift;
  const glm::vec3 aboveBoat = boatPos + glm::vec3(0.0f, lift, 0.0f);
  // Anywhere on the way from the eye to that point the arrow shows on the same row.
  const glm::vec3 eye = glm::vec3(glm::inverse(view)[3]);
  const glm::vec3 way = aboveBoat - eye;
  float share = ArrowShareOfTheWay;
  const float lowest = boatPos.y + ArrowLowestLift;
  if (eye.y + share * way.y < lowest && way.y < 0.0f) {
    share = std::max(ArrowLeastShare, (lowest - eye.y) / way.y);
  }
  return eye + share * way;
}

void Application::setMaterial(int i, const std::shared_ptr<Program>& prog) const {
  if (i < 0 || i >= static_cast<int>(Materials.size())) {
    return;
  }
  const Material& m = Materials[static_cast<size_t>(i)];
  glUniform3f(prog->getUniform("MatAmb"), m.ambient.r, m.ambient.g, m.ambient.b);
  glUniform3f(prog->getUniform("MatDif"), m.diffuse.r, m.diffuse.g, m.diffuse.b);
  glUniform3f(prog->getUniform("MatSpec"), m.specular.r, m.specular.g, m.specular.b);
  glUniform1f(prog->getUniform("shine"), m.shine);
}

void Application::setModel(const std::shared_ptr<Program>& p,
                           const std::shared_ptr<MatrixStack>& M) const {
  GL_WRAP(glUniformMatrix4fv(p->getUniform("M"), 1, GL_FALSE, glm::value_ptr(M->topMatrix())));
}

void Application::drawBoat(std::shared_ptr<MatrixStack> Model, Pass pass) {
  const bool depth = pass == Pass::Shadow;
  const bool outline = pass == Pass::Outline;
  const std::shared_ptr<Program>& prog = outline ? outlineShader : simpleShader;
  if (boatParts.empty() || (!depth && !usable(prog))) {
    return;
  }
  // The hull leans with the sea's slope under it.
  const SwellSample sea = sampleSwellAround(boatPos);
  const float tiltX = sea.leanAboutX();
  const float tiltZ = sea.leanAboutZ();

  glDisable(GL_CULL_FACE);
  Model->pushMatrix();
  Model->translate(boatPos);
  Model->scale(0.01f);
  Model->rotate(glm::radians(tiltX), glm::vec3(1.0f, 0.0f, 0.0f));
  Model->rotate(glm::radians(tiltZ), glm::vec3(0.0f, 0.0f, 1.0f));
  Model->rotate(glm::radians(boatAngle), glm::vec3(0.0f, 1.0f, 0.0f));
  if (depth) {
    for (const std::shared_ptr<Shape>& part : boatParts) {
      shadowMap.drawShape(Model->topMatrix(), part);
    }
  } else {
    prog->bind();
    if (!outline) {
      setMaterial(BoatMaterial, prog);
    }
    setModel(prog, Model);
    for (const std::shared_ptr<Shape>& part : boatParts) {
      part->draw(prog, false);
    }
    prog->unbind();
  }
  Model->popMatrix();
  glEnable(GL_CULL_FACE);
}

void Application::drawArrow(std::shared_ptr<MatrixStack> Model, const glm::mat4& View,
                            std::shared_ptr<MatrixStack> Projection, float angle, Pass pass) {
  const bool outline = pass == Pass::Outline;
  const std::shared_ptr<Program>& prog = outline ? outlineShader : arrowShader;
  if (pass == Pass::Shadow || !arrowShape || !usable(prog)) {
    return;
  }
  prog->bind();
  if (!outline) {
    glUniformMatrix4fv(prog->getUniform("P"), 1, GL_FALSE, glm::value_ptr(Projection->topMatrix()));
    glUniformMatrix4fv(prog->getUniform("V"), 1, GL_FALSE, glm::value_ptr(View));
    setMaterial(ArrowMaterial, prog);
  }
  Model->pushMatrix();
  Model->loadIdentity();
  Model->translate(arrowPosition(Projection->topMatrix(), View, boatPos));
  Model->rotate(angle, glm::vec3(0.0f, 1.0f, 0.0f));
  Model->scale(0.1f);
  setModel(prog, Model);
  arrowShape->draw(prog, false);
  Model->popMatrix();
  prog->unbind();
}

void Application::drawLighthouse(float x, float z, std::shared_ptr<MatrixStack> Model, Pass pass) {
  const bool depth = pass == Pass::Shadow;
  const bool outline = pass == Pass::Outline;
  // The goal follows the drawn tower, so it is written even when the model is missing.
  lighthousePos = lighthouseWorldPosition(glm::vec3(x, 0.0f, z));
  const std::shared_ptr<Program>& prog = outline ? outlineShader : lighthouseShader;
  if (!lighthouseShape || (!depth && !usable(prog))) {
    return;
  }
  const bool lit = !depth && !outline;
  if (!depth) {
    prog->bind();
  }
  if (lit) {
    setMaterial(LighthouseMaterial, prog);
  }
  Model->pushMatrix();
  Model->loadIdentity();
  Model->translate(lighthousePos);
  Model->rotate(3.141592f, glm::vec3(0.0f, 1.0f, 0.0f));
  Model->scale(glm::vec3(0.5f, 0.5f, 0.5f));
  if (depth) {
    shadowMap.drawShape(Model->topMatrix(), lighthouseShape);
  } else if (!shapeOutsideView(camera, Model->topMatrix(), *lighthouseShape)) {
    setModel(prog, Model);
    lighthouseShape->draw(prog, false);
  }
  Model->popMatrix();
  if (!depth) {
    prog->unbind();
  }
}
