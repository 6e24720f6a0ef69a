#include "render/TextRenderer.h"

void TextRenderer::init(const std::string& /*text*/, float /*scale*/) {}

void TextRenderer::setTextWidth(const std::string& text, float scale) {
  textWidth = measureText(text, scale);
}

float TextRenderer::measureText(const std::string& /*text*/, float /*scale*/) { return 0.0f; }

void TextRenderer::renderText(const std::shared_ptr<Program>& /*prog*/, const std::string& /*text*/,
                              float /*x*/, float /*y*/, float /*scale*/,
                              const glm::vec3& /*color*/) {}
