// The shadow map's depth target, its light box and drawing casters into it.
#include "render/ShadowMap.h"

#include <algorithm>
#include <iostream>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "ResourceNames.h"
#include "gl/GLSL.h"
#include "gl/Program.h"
#include "gl/Shape.h"

ShadowMap::~ShadowMap() {
  // Only names this map created are deleted: a game that never opened a window has no GL to call.
  if (depthMapFBO != 0) {
    glDeleteFramebuffers(1, &depthMapFBO);
  }
  if (depthMap != 0) {
    glDeleteTextures(1, &depthMap);
  }
}

void ShadowMap::init(int newWidth, int newHeight) {
  // A minimised window reports a zero size; a depth texture that small would make the framebuffer
  // incomplete, so the previous map stays until a real size comes back.
  if (newWidth <= 0 || newHeight <= 0) {
    return;
  }
  if (depthMapFBO != 0) {
    glDeleteFramebuffers(1, &depthMapFBO);
  }
  glGenFramebuffers(1, &depthMapFBO);
  glBindFramebuffer(GL_FRAMEBUFFER, depthMapFBO);

  if (depthMap != 0) {
    glDeleteTextures(1, &depthMap);
  }
  glGenTextures(1, &depthMap);
  glBindTexture(GL_TEXTURE_2D, depthMap);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, newWidth, newHeight, 0, GL_DEPTH_COMPONENT,
               GL_FLOAT, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
  // Look-ups outside the light's window read the far plane: nothing there casts a shadow.
  const float borderColor[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, borderColor);

  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depthMap, 0);
  glDrawBuffer(GL_NONE);
  glReadBuffer(GL_NONE);
  requireCompleteFramebuffer();
  glBindTexture(GL_TEXTURE_2D, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  width = newWidth;
  height = newHeight;
}

void ShadowMap::initShader() {
  depthShader = std::make_shared<Program>();
  depthShader->setVerbose(false);
  depthShader->setShaderNames(resources::shaders::DepthVert, resources::shaders::DepthFrag, " ");
  if (!depthShader->init()) {
    std::cerr << "Shadows are off: the depth program (" << resources::shaders::DepthVert << ", "
              << resources::shaders::DepthFrag << ") could not be built." << std::endl;
    return;
  }
  depthShader->addUniform("LP");
  depthShader->addUniform("LV");
  depthShader->addUniform("M");
  depthShader->addAttribute("vertPos");
}

bool ShadowMap::canDrawCasters() const { return depthShader && depthShader->isLinked(); }

void ShadowMap::beginPass(const glm::vec3& lightPos, const glm::vec3& lightTarget) {
  glBindFramebuffer(GL_FRAMEBUFFER, depthMapFBO);
  glEnable(GL_DEPTH_TEST);
  // A pass that ended with depth writes off would otherwise leave last frame's depths behind.
  glDepthMask(GL_TRUE);
  glClear(GL_DEPTH_BUFFER_BIT);

  const glm::mat4 lightProjection =
      glm::ortho(-HalfWidth, HalfWidth, -HalfWidth, HalfWidth, Near, Far);
  lightView = glm::lookAt(lightPos, lightTarget, glm::vec3(0.0f, 1.0f, 0.0f));
  lightSpace = lightProjection * lightView;
  lightPlaced = true;
  if (!canDrawCasters()) {
    return;
  }
  depthShader->bind();
  glUniformMatrix4fv(depthShader->getUniform("LP"), 1, GL_FALSE, glm::value_ptr(lightProjection));
  glUniformMatrix4fv(depthShader->getUniform("LV"), 1, GL_FALSE, glm::value_ptr(lightView));
}

void ShadowMap::drawShape(const glm::mat4& M, const std::shared_ptr<Shape>& shape) const {
  if (!shape || !canDrawCasters()) {
    return;
  }
  // Bounds that were never measured are empty; such a shape is always drawn.
  glm::vec3 center(0.0f);
  float radius = 0.0f;
  if (shape->placedBounds(M, center, radius) && sphereOutsideLight(center, radius)) {
    return;
  }
  glUniformMatrix4fv(depthShader->getUniform("M"), 1, GL_FALSE, glm::value_ptr(M));
  shape->draw(depthShader, false);
}

void ShadowMap::endPass() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (canDrawCasters()) {
    depthShader->unbind();
  }
}

void ShadowMap::bindTexture(const std::shared_ptr<Program>& prog) const {
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, depthMap);
  glUniform1i(prog->getUniform("depthTexture"), 0);
  glUniformMatrix4fv(prog->getUniform("LS"), 1, GL_FALSE, glm::value_ptr(lightSpace));
}

void ShadowMap::unbindTexture() const {
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, 0);
}

bool ShadowMap::sphereOutsideLight(const glm::vec3& center, float radius) const {
  if (!lightPlaced) {
    return false;
  }
  // The light's view is a rigid motion, so the sphere keeps its radius in view space, where the
  // box is axis-aligned and the light looks down -z.
  const glm::vec3 c = glm::vec3(lightView * glm::vec4(center, 1.0f));
  const float depth = -c.z;
  return c.x + radius < -HalfWidth || c.x - radius > HalfWidth || c.y + radius < -HalfWidth ||
         c.y - radius > HalfWidth || depth + radius < Near || depth - radius > Far;
}
