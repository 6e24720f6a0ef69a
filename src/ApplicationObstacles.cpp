// Drawing the rocks and the tentacles in the shadow, normal and outline passes.
#include "Application.h"

void Application::drawTentacles(std::shared_ptr<MatrixStack> /*Model*/, bool /*cull*/,
                                bool /*depth*/, bool /*outline*/) {}

void Application::drawRocks(std::shared_ptr<MatrixStack> /*Model*/, bool /*cull*/, bool /*depth*/,
                            bool /*outline*/) {}
