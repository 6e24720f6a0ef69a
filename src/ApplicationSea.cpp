// The sea: the shadow pass from the light and the animated water surface.
#include <glm/gtc/matrix_transform.hpp>

#include "Application.h"
#include "gl/MatrixStack.h"
#include "gl/Program.h"
#include "gl/Shape.h"

namespace {
// The water plane spans -1..1 in x and z; the swell's period is defined on this scale.
constexpr float SeaScale = 300.0f;
constexpr int WaterMaterial = 9;
}  // namespace

void Application::initShadowMap() {
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(windowManager->getHandle(), &width, &height);
  shadowMap.init(width, height);
  shadowMap.initShader();
}

void Application::renderDepthPass() {
  auto Model = std::make_shared<MatrixStack>();
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(windowManager->getHandle(), &width, &height);
  // A minimised window has nothing to shade, and a map that was never made cannot be drawn into.
  if (width <= 0 || height <= 0 || shadowMap.depthMapFBO == 0) {
    return;
  }
  // Only the race draws a scene that reads the map; the text screens would pay for it unseen.
  if (gameState != Playing) {
    return;
  }
  // The map keeps the size of the last real resize, which is the size to draw at.
  glViewport(0, 0, shadowMap.getWidth(), shadowMap.getHeight());

  const glm::vec3 lightTarget = camera.lookAtPoint;
  const glm::vec3 lightPos = camera.eye + 3.0f * camera.up - glm::vec3(8.0f, 0.0f, 0.0f);
  shadowMap.beginPass(lightPos, lightTarget);
  if (shadowMap.canDrawCasters()) {
    drawBoat(Model, Pass::Shadow);
    drawLighthouse(lighthouseCell.x, lighthouseCell.z, Model, Pass::Shadow);
    drawTentacles(Model, true, Pass::Shadow);
    drawRocks(Model, true, Pass::Shadow);
  }
  shadowMap.endPass();
}

void Application::drawWater(std::shared_ptr<MatrixStack> Model) {
  if (!waterShape || !waveShader || !waveShader->isLinked()) {
    return;
  }
  waveShader->bind();
  shadowMap.bindTexture(waveShader);
  setMaterial(WaterMaterial, waveShader);
  Model->pushMatrix();
  Model->scale(glm::vec3(SeaScale, 1.0f, SeaScale));
  setModel(waveShader, Model);
  // The frustum planes are this frame's: render extracts them before the sea is drawn. Each
  // tile's box is widened by the most the swell lifts or lowers the plane.
  waterShape->drawRanges(seaCulling ? seaTiles.visibleRanges(camera.planes, Model->topMatrix(),
                                                             swell::Amplitude, camera.getEye(),
                                                             seaFineDistance)
                                    : seaTiles.allRanges());
  Model->popMatrix();
  waveShader->unbind();
  shadowMap.unbindTexture();
}
