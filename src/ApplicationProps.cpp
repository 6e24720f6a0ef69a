// Materials, model matrices and the props that are not obstacles: boat, arrow and lighthouse.
#include <glm/gtc/type_ptr.hpp>

#include "Application.h"
#include "gl/GLSL.h"
#include "gl/MatrixStack.h"
#include "gl/Program.h"

void Application::setMaterial(int /*i*/, const std::shared_ptr<Program>& /*prog*/) const {}

void Application::setModel(const std::shared_ptr<Program>& p,
                           const std::shared_ptr<MatrixStack>& M) const {
  GL_WRAP(glUniformMatrix4fv(p->getUniform("M"), 1, GL_FALSE, glm::value_ptr(M->topMatrix())));
}

void Application::drawBoat(std::shared_ptr<MatrixStack> /*Model*/, bool /*depth*/,
                           bool /*outline*/) {}

void Application::drawArrow(std::shared_ptr<MatrixStack> /*Model*/, const glm::mat4& /*View*/,
                            std::shared_ptr<MatrixStack> /*Projection*/, float /*angle*/,
                            bool /*outline*/) {}

void Application::drawLighthouse(float /*x*/, float /*z*/, std::shared_ptr<MatrixStack> /*Model*/,
                                 bool /*depth*/, bool /*outline*/) {}
