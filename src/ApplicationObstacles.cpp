// Drawing the rocks and the tentacles in the shadow, normal and outline passes, and their
// collision boxes as wire frames while the player asks for them.
#include <algorithm>
#include <iostream>
#include <utility>
#include <vector>

#include "Application.h"
#include "gl/MatrixStack.h"
#include "gl/ObjLoader.h"
#include "gl/Program.h"
#include "gl/Shape.h"
#include "gl/Texture.h"
#include "world/FarMesh.h"

namespace {

constexpr int TentacleMaterial = 2;
constexpr int BoxMaterial = 11;
const glm::vec3 UpAxis(0.0f, 1.0f, 0.0f);

// Cell sizes of the far meshes, and the distances on the sea plane beyond which they stand in:
// far enough that a rock spans a few dozen pixels and a tentacle a handful.
constexpr float RockFarCell = 1.2f;
constexpr float TentacleFarCell = 0.3f;
constexpr float RockFarDistance = 100.0f;
constexpr float TentacleFarDistance = 80.0f;

// The view test on the sphere around a box; every obstacle's box encloses it as drawn, so an
// obstacle is never skipped while any of it could be seen.
bool boxOutsideView(const Camera& camera, const AABB& box) {
  const glm::vec3 centre = 0.5f * (box.min + box.max);
  return camera.sphereOutsideFrustum(centre, 0.5f * glm::length(box.max - box.min));
}

// The unit cube stretched over the box, in lines, with the box material on the simple program,
// which must be bound.
void drawBoxFrame(const Application& app, const std::shared_ptr<MatrixStack>& Model,
                  const AABB& box) {
  if (app.cubeShape == nullptr) {
    return;
  }
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  app.setMaterial(BoxMaterial, app.simpleShader);
  Model->pushMatrix();
  Model->loadIdentity();
  Model->translate(0.5f * (box.min + box.max));
  Model->scale(glm::abs(box.max - box.min));
  app.setModel(app.simpleShader, Model);
  app.cubeShape->draw(app.simpleShader, false);
  Model->popMatrix();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

template <typename Obstacle>
struct InView {
  const Obstacle* obstacle;
  const Shape* mesh;
};

// The obstacles in view (all of them without culling), nearest to the eye first so that the
// depth test spares the shading of those hidden behind nearer ones, which along the horizon is
// most of them; each with the mesh to draw it with, the far one beyond farDistance.
template <typename Obstacle>
std::vector<InView<Obstacle>> nearestFirst(const std::vector<Obstacle>& obstacles,
                                           const Camera& camera, bool cull, const Shape* nearMesh,
                                           const Shape* farMesh, float farDistance) {
  std::vector<std::pair<float, const Obstacle*>> byDistance;
  byDistance.reserve(obstacles.size());
  const glm::vec2 eye(camera.getEye().x, camera.getEye().z);
  for (const Obstacle& obstacle : obstacles) {
    if (!cull || !boxOutsideView(camera, *obstacle.aabb)) {
      const glm::vec2 offset = obstacle.position - eye;
      byDistance.emplace_back(glm::dot(offset, offset), &obstacle);
    }
  }
  std::sort(byDistance.begin(), byDistance.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<InView<Obstacle>> ordered;
  ordered.reserve(byDistance.size());
  for (const auto& [distanceSquared, obstacle] : byDistance) {
    const bool far = farMesh != nullptr && distanceSquared > farDistance * farDistance;
    ordered.push_back({obstacle, far ? farMesh : nearMesh});
  }
  return ordered;
}

std::shared_ptr<Shape> loadFarShape(const std::string& path, float cellSize) {
  std::vector<ObjShape> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string error;
  // A model that cannot be read was reported when it was loaded for near drawing.
  if (!loadObj(shapes, materials, error, path, nullptr) || shapes.empty()) {
    return nullptr;
  }
  const ObjShape coarse = coarsenMesh(shapes[0], cellSize);
  if (coarse.mesh.indices.empty()) {
    return nullptr;
  }
  auto shape = std::make_shared<Shape>();
  shape->setFromObjShape(coarse);
  shape->computeBounds();
  shape->init();
  return shape;
}

}  // namespace

void Application::initFarShapes(const std::string& resourceDir) {
  rockFarShape = loadFarShape(resourceDir + resources::RockModel, RockFarCell);
  tentacleFarShape = loadFarShape(resourceDir + resources::TentacleModel, TentacleFarCell);
}

void Application::drawTentacles(std::shared_ptr<MatrixStack> Model, bool cull, Pass mode) {
  const double now = glfwGetTime();
  if (mode == Pass::Lit && tentacleShape != nullptr) {
    // Seen or not, and drawn or not, every tentacle's box follows its stance, so steering
    // always uses the current one.
    for (Dummy& d : *dummyManager.getDummies()) {
      d.updateBounds(tentacleShape.get(), now);
    }
  }
  const std::shared_ptr<Program>& prog = mode == Pass::Outline ? outlineShader : simpleShader;
  if (tentacleShape == nullptr || Model == nullptr || (mode != Pass::Shadow && !usable(prog))) {
    return;
  }
  if (mode != Pass::Shadow) {
    prog->bind();
  }
  if (mode == Pass::Lit) {
    setMaterial(TentacleMaterial, prog);
  }
  const auto inView = nearestFirst(*dummyManager.getDummies(), camera, cull, tentacleShape.get(),
                                   tentacleFarShape.get(), TentacleFarDistance);
  for (const auto& [d, mesh] : inView) {
    const TentaclePose pose = tentaclePose(d->phase, now);
    Model->pushMatrix();
    Model->loadIdentity();
    Model->translate(glm::vec3(d->position.x, pose.lift, d->position.y));
    Model->scale(glm::vec3(pose.girth, TentacleHeightScale, pose.girth));
    Model->rotate(pose.twist, UpAxis);
    if (mode == Pass::Shadow) {
      shadowMap.drawShape(Model->topMatrix(),
                          mesh == tentacleShape.get() ? tentacleShape : tentacleFarShape);
    } else {
      setModel(prog, Model);
      mesh->draw(prog, false);
    }
    Model->popMatrix();
    if (mode == Pass::Lit && showBoxes) {
      drawBoxFrame(*this, Model, *d->aabb);
      setMaterial(TentacleMaterial, prog);
    }
  }
  if (mode != Pass::Shadow) {
    prog->unbind();
  }
}

void Application::drawRocks(std::shared_ptr<MatrixStack> Model, bool cull, Pass mode) {
  const std::shared_ptr<Program>& prog = mode == Pass::Outline ? outlineShader : texShader;
  if (rockShape == nullptr || Model == nullptr || (mode != Pass::Shadow && !usable(prog))) {
    return;
  }
  const bool textured = mode == Pass::Lit && rockTexture != nullptr;
  const bool boxes = mode == Pass::Lit && showBoxes && usable(simpleShader);
  if (mode != Pass::Shadow) {
    prog->bind();
  }
  if (textured) {
    rockTexture->bind(prog->getUniform("Texture0"));
  }
  const auto inView = nearestFirst(*rockManager.getRocks(), camera, cull, rockShape.get(),
                                   rockFarShape.get(), RockFarDistance);
  for (const auto& [rock, mesh] : inView) {
    Model->pushMatrix();
    Model->loadIdentity();
    Model->translate(glm::vec3(rock->position.x, 0.0f, rock->position.y));
    Model->rotate(rock->rotation, UpAxis);
    if (mode == Pass::Shadow) {
      shadowMap.drawShape(Model->topMatrix(), mesh == rockShape.get() ? rockShape : rockFarShape);
    } else {
      setModel(prog, Model);
      mesh->draw(prog, false);
    }
    Model->popMatrix();
    if (boxes) {
      simpleShader->bind();
      drawBoxFrame(*this, Model, *rock->aabb);
      prog->bind();
    }
  }
  if (textured) {
    rockTexture->unbind();
  }
  if (mode != Pass::Shadow) {
    prog->unbind();
  }
}
