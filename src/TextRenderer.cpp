#include "TextRenderer.h"

void TextRenderer::init(const std::string& /*text*/, float /*scale*/) {}
