// The sea: the shadow pass from the light and the animated water surface.
#include "Application.h"

void Application::initShadowMap() {}

void Application::renderDepthPass() {}

void Application::drawWater(std::shared_ptr<MatrixStack> /*Model*/) {}
