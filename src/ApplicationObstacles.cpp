// Drawing the rocks and the tentacles in the shadow, normal and outline passes, and their
// collision boxes as wire frames while the player asks for them.
#include <algorithm>
#include <utility>
#include <vector>

#include "Application.h"
#include "gl/MatrixStack.h"
#include "gl/Program.h"
#include "gl/Shape.h"
#include "gl/Texture.h"

namespace {

constexpr int TentacleMaterial = 2;
constexpr int BoxMaterial = 11;
const glm::vec3 UpAxis(0.0f, 1.0f, 0.0f);

enum class DrawMode { Depth, Outline, Normal };

DrawMode drawMode(bool depth, bool outline) {
  if (depth) {
    return DrawMode::Depth;
  }
  return outline ? DrawMode::Outline : DrawMode::Normal;
}

bool usable(const std::shared_ptr<Program>& prog) { return prog != nullptr && prog->isLinked(); }

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

// The obstacles in view (all of them without culling), nearest to the eye first: the depth
// test then spares the shading of rocks hidden behind nearer ones, which along the horizon are
// most of them.
template <typename Obstacle>
std::vector<const Obstacle*> nearestFirst(const std::vector<Obstacle>& obstacles,
                                          const Camera& camera, bool cull) {
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
  std::vector<const Obstacle*> ordered;
  ordered.reserve(byDistance.size());
  for (const auto& entry : byDistance) {
    ordered.push_back(entry.second);
  }
  return ordered;
}

}  // namespace

void Application::drawTentacles(std::shared_ptr<MatrixStack> Model, bool cull, bool depth,
                                bool outline) {
  const DrawMode mode = drawMode(depth, outline);
  const double now = glfwGetTime();
  if (mode == DrawMode::Normal && tentacleShape != nullptr) {
    // Seen or not, and drawn or not, every tentacle's box follows its stance, so steering
    // always uses the current one.
    for (Dummy& d : *dummyManager.getDummies()) {
      d.updateBounds(tentacleShape.get(), now);
    }
  }
  const std::shared_ptr<Program>& prog = mode == DrawMode::Outline ? outlineShader : simpleShader;
  if (tentacleShape == nullptr || Model == nullptr || (mode != DrawMode::Depth && !usable(prog))) {
    return;
  }
  if (mode != DrawMode::Depth) {
    prog->bind();
  }
  if (mode == DrawMode::Normal) {
    setMaterial(TentacleMaterial, prog);
  }
  for (const Dummy& d : *dummyManager.getDummies()) {
    const AABB box = d.boundsAt(tentacleShape.get(), now);
    if (cull && boxOutsideView(camera, box)) {
      continue;
    }
    const TentaclePose pose = tentaclePose(d.phase, now);
    Model->pushMatrix();
    Model->loadIdentity();
    Model->translate(glm::vec3(d.position.x, pose.lift, d.position.y));
    Model->scale(glm::vec3(pose.girth, TentacleHeightScale, pose.girth));
    Model->rotate(pose.twist, UpAxis);
    if (mode == DrawMode::Depth) {
      shadowMap.drawShape(Model->topMatrix(), tentacleShape);
    } else {
      setModel(prog, Model);
      tentacleShape->draw(prog, false);
    }
    Model->popMatrix();
    if (mode == DrawMode::Normal && showBoxes) {
      drawBoxFrame(*this, Model, box);
      setMaterial(TentacleMaterial, prog);
    }
  }
  if (mode != DrawMode::Depth) {
    prog->unbind();
  }
}

void Application::drawRocks(std::shared_ptr<MatrixStack> Model, bool cull, bool depth,
                            bool outline) {
  const DrawMode mode = drawMode(depth, outline);
  const std::shared_ptr<Program>& prog = mode == DrawMode::Outline ? outlineShader : texShader;
  if (rockShape == nullptr || Model == nullptr || (mode != DrawMode::Depth && !usable(prog))) {
    return;
  }
  const bool textured = mode == DrawMode::Normal && rockTexture != nullptr;
  const bool boxes = mode == DrawMode::Normal && showBoxes && usable(simpleShader);
  if (mode != DrawMode::Depth) {
    prog->bind();
  }
  if (textured) {
    rockTexture->bind(prog->getUniform("Texture0"));
  }
  for (const Rock* rockInView : nearestFirst(*rockManager.getRocks(), camera, cull)) {
    const Rock& rock = *rockInView;
    Model->pushMatrix();
    Model->loadIdentity();
    Model->translate(glm::vec3(rock.position.x, 0.0f, rock.position.y));
    Model->rotate(rock.rotation, UpAxis);
    if (mode == DrawMode::Depth) {
      shadowMap.drawShape(Model->topMatrix(), rockShape);
    } else {
      setModel(prog, Model);
      rockShape->draw(prog, false);
    }
    Model->popMatrix();
    if (boxes) {
      simpleShader->bind();
      drawBoxFrame(*this, Model, *rock.aabb);
      prog->bind();
    }
  }
  if (textured) {
    rockTexture->unbind();
  }
  if (mode != DrawMode::Depth) {
    prog->unbind();
  }
}
