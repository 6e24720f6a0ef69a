// The storm as the player sees it: the lightning's flash on sky, sea and boat, and the rain and
// bow spray of each race frame.
#include <algorithm>

#include <glm/gtc/type_ptr.hpp>

#include "Application.h"
#include "gl/Program.h"

namespace {

// The bow stands this far ahead of the boat's centre along its heading.
constexpr float BowReach = 1.4f;
// Spray flies where the bow drives up the face of a swell: the rate at which sailing on lifts
// the bow, the boat's speed times the sea's slope along its heading, in units a second. Below
// the first rate the hull rides over the water; at the second the bow throws its full spray.
constexpr float SprayClimbStart = 0.25f;
constexpr float SprayClimbFull = 0.9f;
// The slope is taken over this stretch of sea centred on the bow, about the hull's entry.
constexpr float SpraySlopeBase = 1.0f;

glm::vec3 bowOf(const glm::vec3& boatPos, const glm::vec3& boatDir) {
  return boatPos + BowReach * boatDir;
}

}  // namespace

StormLight Application::stormLight(const glm::vec3& eye) const {
  // The second bolt of a pair shows, and flashes, only once the first has faded.
  const Lightning& shown = lightning1.getLifetime() > 0.0f ? lightning1 : lightning2;
  const glm::vec3 towardsBolt = shown.getCentre() - eye;
  const float distance = glm::length(towardsBolt);
  const glm::vec3 direction =
      distance > 0.0f ? towardsBolt / distance : glm::vec3(0.0f, 1.0f, 0.0f);
  return {shown.flash(), direction};
}

float Application::bowSpray() const {
  const glm::vec3 bow = bowOf(boatPos, boatDir);
  const glm::vec3 halfBase = 0.5f * SpraySlopeBase * boatDir;
  const float slope = (waveHeight(bow + halfBase) - waveHeight(bow - halfBase)) / SpraySlopeBase;
  const float climb = std::max(boatSpeed, 0.0f) * slope;
  return std::clamp((climb - SprayClimbStart) / (SprayClimbFull - SprayClimbStart), 0.0f, 1.0f);
}

void Application::uploadStormLight(const StormLight& light) {
  for (const auto& program : {simpleShader, waveShader, cubeShader, texShader}) {
    if (!usable(program)) {
      continue;
    }
    program->bind();
    glUniform1f(program->getUniform("flash"), light.flash);
    glUniform3fv(program->getUniform("flashDir"), 1, glm::value_ptr(light.direction));
  }
  if (usable(waveShader)) {
    waveShader->bind();
    glUniform2fv(waveShader->getUniform("wind"), 1, glm::value_ptr(StormWind));
  }
}

void Application::drawRain(const glm::mat4& P, const glm::mat4& View, const StormLight& light) {
  RainFrame frame;
  frame.projection = P;
  frame.view = View;
  frame.eye = camera.getEye();
  frame.time = static_cast<float>(glfwGetTime());
  frame.flash = light.flash;
  frame.bow = bowOf(boatPos, boatDir);
  frame.spray = bowSpray();
  rain.draw(frame);
}
