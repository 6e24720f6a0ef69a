#include "render/ShadowMap.h"

#include "gl/Program.h"
#include "gl/Shape.h"

ShadowMap::~ShadowMap() = default;

void ShadowMap::init(int /*width*/, int /*height*/) {}

void ShadowMap::initShader() {}

void ShadowMap::beginPass(const glm::vec3& /*lightPos*/, const glm::vec3& /*lightTarget*/) {}

void ShadowMap::drawShape(const glm::mat4& /*M*/, const std::shared_ptr<Shape>& /*shape*/) const {}

void ShadowMap::endPass() {}

void ShadowMap::bindTexture(const std::shared_ptr<Program>& /*prog*/) const {}

void ShadowMap::unbindTexture() const {}
