// Rain and bow spray, drawn as lines whose ends the vertex shader works out from the line's
// number and the clock.
#include "render/Rain.h"

#include <glm/gtc/type_ptr.hpp>

#include "gl/GLSL.h"
#include "gl/Program.h"

namespace {

// Rain streaks around the camera and spray droplets at the bow, each drawn as one line.
constexpr GLsizei StreakCount = 1400;
constexpr GLsizei SprayCount = 360;

}  // namespace

Rain::~Rain() {
  if (VAO != 0) {
    glDeleteVertexArrays(1, &VAO);
  }
}

void Rain::init(const std::string& vertexShader, const std::string& fragmentShader) {
  // The core profile draws only with a vertex array bound, even one without attributes.
  if (VAO == 0) {
    glGenVertexArrays(1, &VAO);
  }
  rainShader = std::make_shared<Program>();
  rainShader->setVerbose(true);
  rainShader->setShaderNames(vertexShader, fragmentShader, " ");
  programReady = rainShader->init() && rainShader->isLinked();
  if (programReady) {
    for (const char* name : {"P", "V", "eyePos", "time", "flash", "wind", "bow", "spray", "streakCount"}) {
      rainShader->addUniform(name);
    }
  }
}

void Rain::draw(const RainFrame& frame) const {
  if (!canDraw()) {
    return;
  }
  Program& prog = *rainShader;
  prog.bind();
  glUniformMatrix4fv(prog.getUniform("P"), 1, GL_FALSE, glm::value_ptr(frame.projection));
  glUniformMatrix4fv(prog.getUniform("V"), 1, GL_FALSE, glm::value_ptr(frame.view));
  glUniform3fv(prog.getUniform("eyePos"), 1, glm::value_ptr(frame.eye));
  glUniform1f(prog.getUniform("time"), frame.time);
  glUniform1f(prog.getUniform("flash"), frame.flash);
  glUniform2fv(prog.getUniform("wind"), 1, glm::value_ptr(StormWind));
  glUniform3fv(prog.getUniform("bow"), 1, glm::value_ptr(frame.bow));
  glUniform1f(prog.getUniform("spray"), frame.spray);
  glUniform1i(prog.getUniform("streakCount"), StreakCount);

  GLboolean depthWrites = GL_TRUE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  glDepthMask(GL_FALSE);
  glBindVertexArray(VAO);
  // Spray is only worth its lines while the bow is in a crest.
  const GLsizei lines = StreakCount + (frame.spray > 0.0f ? SprayCount : 0);
  glDrawArrays(GL_LINES, 0, 2 * lines);
  glBindVertexArray(0);
  glDepthMask(depthWrites);
  prog.unbind();
}
