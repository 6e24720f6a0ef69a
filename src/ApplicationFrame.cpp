// Frame composition: the off-screen target, the order of passes in one frame, the sky box and
// the post-processing pass to the window.
#include <algorithm>
#include <cmath>
#include <memory>

#include <glm/gtc/type_ptr.hpp>

#include "Application.h"
#include "ResourceNames.h"
#include "gl/GLSL.h"
#include "gl/MatrixStack.h"
#include "gl/Program.h"
#include "gl/Shape.h"

namespace {

// Two counter-clockwise triangles covering clip space; front-facing, since culling stays on.
constexpr float QuadVertices[] = {-1.0f, -1.0f, 0.0f, 1.0f, -1.0f, 0.0f, -1.0f, 1.0f, 0.0f,
                                  -1.0f, 1.0f,  0.0f, 1.0f, -1.0f, 0.0f, 1.0f,  1.0f, 0.0f};

constexpr glm::vec3 TextWhite{1.0f, 1.0f, 1.0f};
constexpr const char* StartPromptText = "Press 'Enter' to start.";
constexpr const char* TitleText = "Galeskerry";
// The projection's angle is passed as radians: a vertical field of view of about 58 degrees.
constexpr float ProjectionAngle = 45.0f;
constexpr float NearPlane = 0.01f;
constexpr float FarPlane = 1000.0f;
constexpr float LightHeight = 25.0f;
constexpr glm::vec3 LightDirection{0.0f, -1.0f, 0.0f};
constexpr float SkyBoxScale = 650.0f;

void uploadMatrix(const Program& program, const char* name, const glm::mat4& value) {
  glUniformMatrix4fv(program.getUniform(name), 1, GL_FALSE, glm::value_ptr(value));
}

void uploadVector(const Program& program, const char* name, const glm::vec3& value) {
  glUniform3fv(program.getUniform(name), 1, glm::value_ptr(value));
}

bool targetHasSize(GLuint texture, int width, int height) {
  GLint size[2] = {0, 0};
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
  glBindTexture(GL_TEXTURE_2D, 0);
  return size[0] == width && size[1] == height;
}

float clockSeconds() { return static_cast<float>(glfwGetTime()); }

}  // namespace

void Application::initQuad() {
  glGenVertexArrays(1, &quadVAO);
  glBindVertexArray(quadVAO);
  glGenBuffers(1, &quadVBO);
  glBindBuffer(GL_ARRAY_BUFFER, quadVBO);
  glBufferData(GL_ARRAY_BUFFER, sizeof QuadVertices, QuadVertices, GL_STATIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
  glDisableVertexAttribArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindVertexArray(0);
}

glm::ivec2 Application::sceneSize(int width, int height) const {
  return {std::max(1, static_cast<int>(std::lround(renderScale * static_cast<float>(width)))),
          std::max(1, static_cast<int>(std::lround(renderScale * static_cast<float>(height))))};
}

void Application::adaptRenderScale(double frameSeconds) {
  // Frames slower than the first bound make the scene coarser, frames faster than the second
  // make it finer again; between them it stays, so the resolution does not hunt. A frame that
  // waits for a 60 Hz display (16.7 ms) lies between them.
  constexpr double SlowFrame = 1.0 / 45.0;
  constexpr double FastFrame = 1.0 / 80.0;
  // Judged on the median of the frames since the last change, so one slow frame (a strike, a
  // hiccup of the machine) moves nothing; a coarser scene is chosen after a few frames, so the
  // first race does not stutter for long, a finer one only after a second of fast frames.
  constexpr double SecondsBeforeCoarser = 0.25;
  constexpr size_t FramesBeforeCoarser = 5;
  constexpr double SecondsBeforeFiner = 1.0;
  // About three quarters of a race frame's work on a software rasteriser is shading pixels.
  constexpr double PixelShare = 0.75;
  constexpr float ScaleStep = 0.125f;
  constexpr float SmallestScale = 0.5f;
  // Only race frames tell what the scene costs; the text screens would always call for more.
  // Each race is judged afresh, from its own frames.
  if (gameState != Playing || paused) {
    recentFrameSeconds.clear();
    secondsSinceScaleChange = 0.0;
    return;
  }
  recentFrameSeconds.push_back(frameSeconds);
  secondsSinceScaleChange += frameSeconds;
  if (secondsSinceScaleChange < SecondsBeforeCoarser ||
      recentFrameSeconds.size() < FramesBeforeCoarser) {
    return;
  }
  std::vector<double> sorted = recentFrameSeconds;
  const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
  std::nth_element(sorted.begin(), middle, sorted.end());
  const double typical = *middle;
  float scale = renderScale;
  if (typical > SlowFrame) {
    // The pixels' share of a frame goes with the square of the scale; the rest (vertices, the
    // window-sized post-processing and text) stays, so aiming as if it all shrank would take
    // several steps, a stutter each, to settle.
    const double fixedPart = (1.0 - PixelShare) * typical;
    const double aimedPixels = std::max(0.0, SlowFrame - fixedPart) / (typical - fixedPart);
    const auto aimed = static_cast<float>(std::sqrt(aimedPixels)) * scale;
    scale = std::max(SmallestScale, std::floor(aimed / ScaleStep) * ScaleStep);
  } else if (typical < FastFrame && secondsSinceScaleChange >= SecondsBeforeFiner) {
    scale = std::min(1.0f, scale + ScaleStep);
  }
  if (secondsSinceScaleChange >= SecondsBeforeFiner || scale != renderScale) {
    recentFrameSeconds.clear();
    secondsSinceScaleChange = 0.0;
  }
  if (scale != renderScale) {
    renderScale = scale;
    initFramebuffer();
  }
}

void Application::initFramebuffer() {
  int windowWidth = 0;
  int windowHeight = 0;
  glfwGetFramebufferSize(windowManager->getHandle(), &windowWidth, &windowHeight);
  // A minimised window has no pixels to draw into; the old target stays until a real size
  // returns, and no frame is drawn meanwhile.
  if (windowWidth <= 0 || windowHeight <= 0) {
    return;
  }
  const glm::ivec2 size = sceneSize(windowWidth, windowHeight);
  const int width = size.x;
  const int height = size.y;

  if (postFBO != 0) {
    glDeleteFramebuffers(1, &postFBO);
  }
  glGenFramebuffers(1, &postFBO);
  glBindFramebuffer(GL_FRAMEBUFFER, postFBO);

  if (postTexture != 0) {
    glDeleteTextures(1, &postTexture);
  }
  glGenTextures(1, &postTexture);
  glBindTexture(GL_TEXTURE_2D, postTexture);
  // Four bytes a pixel is the layout a rasteriser writes fastest; three would be repacked.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  // Filtering only where the scene is drawn smaller than the window: a software rasteriser pays
  // for every filtered read, and pixel for pixel a plain read gives the same colour.
  const GLint filter = (width == windowWidth && height == windowHeight) ? GL_NEAREST : GL_LINEAR;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  // A scene drawn smaller is stretched to the window with filtering; at the edges it must not
  // borrow from the opposite edge.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glBindTexture(GL_TEXTURE_2D, 0);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, postTexture, 0);

  if (postRBO != 0) {
    glDeleteRenderbuffers(1, &postRBO);
  }
  glGenRenderbuffers(1, &postRBO);
  glBindRenderbuffer(GL_RENDERBUFFER, postRBO);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, postRBO);

  requireCompleteFramebuffer();

  // Pixels of an object drawn in the normal pass are marked 1; the outline pass draws elsewhere.
  glEnable(GL_STENCIL_TEST);
  glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
  glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Application::uploadFrameUniforms(const glm::mat4& P, const glm::mat4& View,
                                      const glm::vec3& eye, float seconds) const {
  const glm::vec3 lightPos(eye.x, LightHeight, eye.z);
  // The lit object programs share the camera and the light.
  for (const auto& lit : {texShader, lighthouseShader, simpleShader}) {
    if (!usable(lit)) {
      continue;
    }
    lit->bind();
    uploadMatrix(*lit, "P", P);
    uploadMatrix(*lit, "V", View);
    uploadVector(*lit, "lightPos", lightPos);
    uploadVector(*lit, "lightDirection", LightDirection);
    if (lit == lighthouseShader) {
      glUniform1f(lit->getUniform("time"), seconds);
    }
  }
  if (usable(outlineShader)) {
    outlineShader->bind();
    uploadMatrix(*outlineShader, "P", P);
    uploadMatrix(*outlineShader, "V", View);
  }
  if (usable(waveShader)) {
    waveShader->bind();
    uploadMatrix(*waveShader, "P", P);
    uploadMatrix(*waveShader, "V", View);
    uploadVector(*waveShader, "eyePos", eye);
    uploadVector(*waveShader, "lightPos", lightPos);
    glUniform1f(waveShader->getUniform("time"), seconds);
    glUniform1f(waveShader->getUniform("waveAmp"), swell::Amplitude);
    glUniform1f(waveShader->getUniform("waveLen"), swell::WaveLength);
  }
}

void Application::render() {
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(windowManager->getHandle(), &width, &height);
  // A minimised window (or one with a single zero side) has no frame to draw.
  if (width <= 0 || height <= 0) {
    return;
  }
  // The target follows the window even when the resize event has not arrived yet.
  const glm::ivec2 scene = sceneSize(width, height);
  if (postFBO == 0 || !targetHasSize(postTexture, scene.x, scene.y)) {
    initFramebuffer();
  }

  drawScene(width, height);
  // Thunder rolls back to back until the run is won.
  if (gameState == Playing && !effectsEngine->isCurrentlyPlaying(resources::Thunder) && !won) {
    effectsEngine->play2D(resources::Thunder, false);
    effectsEngine->setSoundVolume(ambienceVolume);
  }
  finishFrame(width, height);
}

void Application::drawScene(int width, int height) {
  const glm::ivec2 scene = sceneSize(width, height);
  glViewport(0, 0, scene.x, scene.y);
  glBindFramebuffer(GL_FRAMEBUFFER, postFBO);
  glEnable(GL_DEPTH_TEST);
  glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
  // The stencil clear obeys the write mask, which the last frame may have left at 0.
  glStencilMask(0xFF);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

  auto Projection = std::make_shared<MatrixStack>();
  auto Model = std::make_shared<MatrixStack>();
  Projection->pushMatrix();
  Projection->perspective(ProjectionAngle, static_cast<float>(width) / static_cast<float>(height),
                          NearPlane, FarPlane);

  const glm::vec3 cameraPosition = camera.getEye();
  const glm::mat4 View = camera.getView();
  camera.extractFrustumPlanes(Projection->topMatrix(), View);

  const glm::mat4& P = Projection->topMatrix();
  uploadFrameUniforms(P, View, cameraPosition, clockSeconds());
  const StormLight storm = stormLight(cameraPosition);
  uploadStormLight(storm);

  glStencilMask(0x00);

  if (gameState == Playing) {
    // Every opaque program writes alpha 1, so blending would only make the rasteriser read back
    // pixels it then overwrites.
    glDisable(GL_BLEND);

    // Everything the normal pass draws marks its pixels with stencil 1.
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilMask(0xFF);
    drawBoat(Model, Pass::Lit);
    const float arrowAngle =
        std::atan2(lighthousePos.x - cameraPosition.x, lighthousePos.z - cameraPosition.z);
    drawArrow(Model, View, Projection, arrowAngle, Pass::Lit);
    drawLighthouse(lighthouseCell.x, lighthouseCell.z, Model, Pass::Lit);
    drawTentacles(Model, true, Pass::Lit);
    drawRocks(Model, true, Pass::Lit);
    glStencilMask(0x00);

    // The sea after the objects standing in it: the depth test spares its shading wherever the
    // boat and the obstacles already stand, and it is the costliest surface per pixel.
    drawWater(Model);

    // The sky after the opaque scene: the depth test spares its shading wherever the sea and
    // the objects already stand, which is most of the lower half of the picture.
    drawSkybox(Model, View, Projection);
    glEnable(GL_BLEND);

    // The bolts add their light over whatever lies behind them, sky or sea.
    lightning1.draw(P, View);
    if (lightning1.getLifetime() <= 0.0f) {
      lightning2.draw(P, View);
    }

    // From here on marked pixels are left alone, so the outline draws show only as a rim.
    glStencilFunc(GL_NOTEQUAL, 1, 0xFF);

    // The rain falls after the sky, which would paint over it, and under the same stencil as
    // the rims, so it never crosses the boat or an obstacle.
    drawRain(P, View, storm);

    lightning1.draw(P, View);
    drawArrow(Model, View, Projection, arrowAngle, Pass::Outline);
    drawBoat(Model, Pass::Outline);
    drawLighthouse(lighthouseCell.x, lighthouseCell.z, Model, Pass::Outline);
    drawTentacles(Model, true, Pass::Outline);
    drawRocks(Model, true, Pass::Outline);

    glStencilMask(0xFF);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
  }

  Projection->popMatrix();
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Application::finishFrame(int width, int height) {
  glViewport(0, 0, width, height);
  glDisable(GL_DEPTH_TEST);
  // The post-processing quad covers every pixel of the window; a clear underneath would only
  // make the rasteriser write the whole window twice. Without that program the window is at
  // least a known white.
  if (!usable(postProcessShader)) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  drawPostProcess(postTexture, glm::vec2(static_cast<float>(width), static_cast<float>(height)));
  drawScreenText(width, height);
}

void Application::warmUpDrawing() {
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(windowManager->getHandle(), &width, &height);
  if (width <= 0 || height <= 0 || postFBO == 0) {
    return;
  }
  // A software rasteriser builds the code for each program and state the first time they are
  // used, which costs a race a few frames of well over 100 ms. Every race draw is therefore
  // made once here, at loading, with both bolts alight in turn: the first, then the second
  // after the first has faded. Nothing of it is shown; the first real frame draws over it.
  const int phase = gameState;
  gameState = Playing;
  const glm::vec3 ahead = camera.getEye() + 100.0f * camera.getViewDir();
  const glm::vec3 top(ahead.x, 100.0f, ahead.z);
  const glm::vec3 foot(ahead.x, 0.0f, ahead.z);
  lightning1.strike(top, foot, camera.getEye());
  lightning2.strike(top, foot, camera.getEye());
  // Long enough to fade any bolt out entirely.
  constexpr float FadedOut = 10.0f;
  for (int frame = 0; frame < 2; ++frame) {
    renderDepthPass();
    drawScene(width, height);
    finishFrame(width, height);
    lightning1.update(FadedOut);
  }
  lightning2.update(FadedOut);
  glFinish();
  gameState = phase;
}

void Application::drawScreenText(int width, int height) {
  // Drawn over the finished frame, text keeps the window's sharpness at any scene resolution,
  // and the film grain and vignette leave it alone.
  const float textScale = textScaleFor(width);
  const auto drawCentred = [&](const char* text, float scale, float y) {
    textRenderer.renderCentred(textShader, text, width, y, scale, TextWhite);
  };
  const float fullHeight = static_cast<float>(height);
  // The window's own stencil holds nothing the text should be kept out of.
  glDisable(GL_STENCIL_TEST);
  if (gameState == StartPrompt) {
    drawCentred(StartPromptText, textScale, 0.5f * fullHeight);
  } else if (gameState == Intro) {
    intro(width, height);
  } else if (gameState == Title) {
    drawCentred(TitleText, 1.5f * textScale, 0.5f * fullHeight);
    drawCentred(StartPromptText, 0.8f * textScale, 0.2f * fullHeight);
  } else if (gameState == Playing) {
    drawHUD(width, height);
    if (paused) {
      drawPauseNotice(width, height);
    }
  }
  glEnable(GL_STENCIL_TEST);
}

void Application::drawSkybox(std::shared_ptr<MatrixStack> Model, const glm::mat4& View,
                             std::shared_ptr<MatrixStack> Projection) {
  if (!cubeShape || !usable(cubeShader)) {
    return;
  }
  cubeShader->bind();
  uploadMatrix(*cubeShader, "P", Projection->topMatrix());
  glDepthFunc(GL_LEQUAL);
  glCullFace(GL_FRONT);
  uploadMatrix(*cubeShader, "V", View);
  uploadMatrix(*cubeShader, "M", Model->topMatrix());
  glBindTexture(GL_TEXTURE_CUBE_MAP, cubeMapTexture);

  Model->pushMatrix();
  Model->loadIdentity();
  // The sky travels with the boat, so its faces never come closer.
  Model->translate(boatPos);
  Model->scale(glm::vec3(SkyBoxScale));
  setModel(cubeShader, Model);
  cubeShape->draw(cubeShader, false);
  Model->popMatrix();

  glDepthFunc(GL_LESS);
  glCullFace(GL_BACK);
  cubeShader->unbind();
}

void Application::drawPostProcess(GLuint texture, const glm::vec2& resolution) {
  if (!usable(postProcessShader)) {
    return;
  }
  // The copy to the window must cover every pixel whatever the scene left behind: the outline
  // stencil, text blending or the wireframe view of the Z key.
  const GLboolean stencilWasOn = glIsEnabled(GL_STENCIL_TEST);
  const GLboolean blendWasOn = glIsEnabled(GL_BLEND);
  GLint polygonModes[2] = {GL_FILL, GL_FILL};
  glGetIntegerv(GL_POLYGON_MODE, polygonModes);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_BLEND);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

  postProcessShader->bind();
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  glUniform1i(postProcessShader->getUniform("screenTexture"), 0);
  glUniform2fv(postProcessShader->getUniform("iResolution"), 1, glm::value_ptr(resolution));
  glUniform1f(postProcessShader->getUniform("iTime"), clockSeconds());
  glBindVertexArray(quadVAO);
  glEnableVertexAttribArray(0);
  glDrawArrays(GL_TRIANGLES, 0, 6);
  glDisableVertexAttribArray(0);
  glBindVertexArray(0);
  glBindTexture(GL_TEXTURE_2D, 0);
  postProcessShader->unbind();

  glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(polygonModes[0]));
  if (blendWasOn) {
    glEnable(GL_BLEND);
  }
  if (stencilWasOn) {
    glEnable(GL_STENCIL_TEST);
  }
}
