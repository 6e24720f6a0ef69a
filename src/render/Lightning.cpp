// Uploading a bolt's lines, fading it out and drawing its glow.
#include "render/Lightning.h"

#include <cmath>

#include <glm/gtc/type_ptr.hpp>

#include "gl/GLSL.h"
#include "gl/Program.h"

namespace {

constexpr float FadeRate = 0.7f;
// The flash falls to 1/e in this many seconds ...
constexpr float FlashFade = 0.1f;
// ... and the channel strikes again, more weakly, this long after the first stroke.
constexpr float RestrokeDelay = 0.2f;
constexpr float RestrokeWidth = 0.05f;
constexpr float RestrokeStrength = 0.4f;
constexpr GLsizeiptr BufferBytes =
    static_cast<GLsizeiptr>(BoltGeometry::FloatCount * sizeof(GLfloat));

}  // namespace

float strikeFlash(float secondsSinceStrike) {
  if (secondsSinceStrike < 0.0f) {
    return 0.0f;
  }
  const float restroke = (secondsSinceStrike - RestrokeDelay) / RestrokeWidth;
  return std::exp(-secondsSinceStrike / FlashFade) +
         RestrokeStrength * std::exp(-restroke * restroke);
}

Lightning::~Lightning() {
  if (VBO != 0) {
    glDeleteBuffers(1, &VBO);
  }
  if (VAO != 0) {
    glDeleteVertexArrays(1, &VAO);
  }
}

void Lightning::init(const std::string& vertexShader, const std::string& fragmentShader) {
  if (VAO == 0) {
    glGenVertexArrays(1, &VAO);
    glGenBuffers(1, &VBO);
  }
  glBindVertexArray(VAO);
  glBindBuffer(GL_ARRAY_BUFFER, VBO);
  glBufferData(GL_ARRAY_BUFFER, BufferBytes, nullptr, GL_DYNAMIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(GLfloat), nullptr);
  glDisableVertexAttribArray(0);
  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);

  lightningShader = std::make_shared<Program>();
  lightningShader->setVerbose(true);
  lightningShader->setShaderNames(vertexShader, fragmentShader, " ");
  programReady = lightningShader->init() && lightningShader->isLinked();
  if (programReady) {
    lightningShader->addUniform("P");
    lightningShader->addUniform("V");
    lightningShader->addUniform("lifetime");
  }
}

void Lightning::strike(const glm::vec3& start, const glm::vec3& end, const glm::vec3& cameraPos) {
  geometry.generate(start, end, cameraPos);
  lifetime = 1.0f;
  centre = 0.5f * (start + end);
  if (VBO == 0) {
    return;
  }
  const GLsizeiptr bytes = static_cast<GLsizeiptr>(geometry.segments().size() * sizeof(Line));
  const void* data = geometry.segments().data();
  GL_WRAP(glBindBuffer(GL_ARRAY_BUFFER, VBO));
  GL_WRAP(glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, data));
  GL_WRAP(glBindBuffer(GL_ARRAY_BUFFER, 0));
}

void Lightning::update(float dt) {
  if (lifetime > 0.0f) {
    lifetime -= FadeRate * dt;
  }
}

float Lightning::flash() const {
  if (geometry.segments().empty() || lifetime <= 0.0f) {
    return 0.0f;
  }
  return strikeFlash((1.0f - lifetime) / FadeRate);
}

bool Lightning::canDraw() const { return VAO != 0 && programReady; }

void Lightning::draw(const glm::mat4& projection, const glm::mat4& view) const {
  // A bolt that has faded out adds nothing to the picture, only vertex work.
  if (!canDraw() || geometry.segments().empty() || lifetime <= 0.0f) {
    return;
  }
  const auto vertexCount = static_cast<GLsizei>(2 * geometry.segments().size());
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  lightningShader->bind();
  GL_WRAP(glBindVertexArray(VAO));
  GL_WRAP(glEnableVertexAttribArray(0));
  GL_WRAP(glUniformMatrix4fv(lightningShader->getUniform("P"), 1, GL_FALSE,
                             glm::value_ptr(projection)));
  GL_WRAP(glUniformMatrix4fv(lightningShader->getUniform("V"), 1, GL_FALSE, glm::value_ptr(view)));
  GL_WRAP(glUniform1f(lightningShader->getUniform("lifetime"), lifetime));
  // The core and its four glow copies (the shader sets each copy aside).
  GL_WRAP(glDrawArraysInstanced(GL_LINES, 0, vertexCount, 5));
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  lightningShader->unbind();
  GL_WRAP(glDisableVertexAttribArray(0));
  glBindVertexArray(0);
}
