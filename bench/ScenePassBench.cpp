// Where a race frame's time goes: each pass of the real game's race scene drawn alone in its
// 1080 x 810 window at full resolution, the GPU waited for after each draw so a software
// rasteriser's work counts, at the start line and again in the middle of the course. The passes
// add up to the whole frame: depth, sky, sea, bolts, boat and props, obstacles, outlines,
// post-processing and text. Besides wall time, "cpu_ms" is the whole process's CPU time per pass
// (all rasteriser threads), which stays meaningful on a machine shared with other work; "draws"
// and "vertices" are the draw calls and the vertices they submit, counted at the GL entry points.
// A pass is drawn over what comes before it in the frame, which is drawn untimed first.
//   galeskerry_pass_bench [benchmark flags]
#include <cmath>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "Application.h"
#include "GameSession.h"
#include "gl/MatrixStack.h"

namespace {

GameSession* session = nullptr;

// Draw calls and vertices seen at the GL entry points the game draws with.
long long drawCalls = 0;
long long verticesSubmitted = 0;
PFNGLDRAWARRAYSPROC realDrawArrays = nullptr;
PFNGLDRAWARRAYSINSTANCEDPROC realDrawArraysInstanced = nullptr;
PFNGLDRAWELEMENTSPROC realDrawElements = nullptr;
PFNGLMULTIDRAWELEMENTSPROC realMultiDrawElements = nullptr;

void GLAD_API_PTR countDrawArrays(GLenum mode, GLint first, GLsizei count) {
  ++drawCalls;
  verticesSubmitted += count;
  realDrawArrays(mode, first, count);
}

void GLAD_API_PTR countDrawArraysInstanced(GLenum mode, GLint first, GLsizei count,
                                           GLsizei instances) {
  ++drawCalls;
  verticesSubmitted += static_cast<long long>(count) * instances;
  realDrawArraysInstanced(mode, first, count, instances);
}

void GLAD_API_PTR countDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  ++drawCalls;
  verticesSubmitted += count;
  realDrawElements(mode, count, type, indices);
}

void GLAD_API_PTR countMultiDrawElements(GLenum mode, const GLsizei* counts, GLenum type,
                                         const void* const* indices, GLsizei drawCount) {
  ++drawCalls;
  for (GLsizei i = 0; i < drawCount; ++i) {
    verticesSubmitted += counts[i];
  }
  realMultiDrawElements(mode, counts, type, indices, drawCount);
}

void countDraws() {
  realDrawArrays = glad_glDrawArrays;
  realDrawArraysInstanced = glad_glDrawArraysInstanced;
  realDrawElements = glad_glDrawElements;
  realMultiDrawElements = glad_glMultiDrawElements;
  glad_glDrawArrays = countDrawArrays;
  glad_glDrawArraysInstanced = countDrawArraysInstanced;
  glad_glDrawElements = countDrawElements;
  glad_glMultiDrawElements = countMultiDrawElements;
}

double processCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::shared_ptr<MatrixStack> frameProjection() {
  auto projection = std::make_shared<MatrixStack>();
  projection->perspective(45.0f, 1080.0f / 810.0f, 0.01f, 1000.0f);
  return projection;
}

float arrowAngle(const Application& game) {
  const glm::vec3 eye = game.camera.getEye();
  return std::atan2(game.lighthousePos.x - eye.x, game.lighthousePos.z - eye.z);
}

// The scene's target bound and cleared as the frame has it before its first scene draw.
void beginScene(Application& game) {
  glBindFramebuffer(GL_FRAMEBUFFER, game.postFBO);
  glViewport(0, 0, 1080, 810);
  glEnable(GL_DEPTH_TEST);
  glStencilMask(0xFF);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glStencilMask(0x00);
}

// The opaque draws of the frame as render makes them, in two halves.
void drawBoatAndProps(Application& game, Pass pass) {
  const auto model = std::make_shared<MatrixStack>();
  if (pass == Pass::Outline) {
    game.drawArrow(model, game.camera.getView(), frameProjection(), arrowAngle(game), pass);
    game.drawBoat(model, pass);
  } else {
    game.drawBoat(model, pass);
    game.drawArrow(model, game.camera.getView(), frameProjection(), arrowAngle(game), pass);
  }
  game.drawLighthouse(game.lighthouseCell.x, game.lighthouseCell.z, model, pass);
}

void drawObstacles(Application& game, Pass pass) {
  const auto model = std::make_shared<MatrixStack>();
  game.drawTentacles(model, true, pass);
  game.drawRocks(model, true, pass);
}

void markObjects(Application& game) {
  glStencilFunc(GL_ALWAYS, 1, 0xFF);
  glStencilMask(0xFF);
  glDisable(GL_BLEND);
  drawBoatAndProps(game, Pass::Lit);
  drawObstacles(game, Pass::Lit);
  glEnable(GL_BLEND);
  glStencilMask(0x00);
}

void drawSea(Application& game) {
  glDisable(GL_BLEND);
  game.drawWater(std::make_shared<MatrixStack>());
  glEnable(GL_BLEND);
}

void drawOpaqueScene(Application& game) {
  markObjects(game);
  drawSea(game);
}

void drawSky(Application& game) {
  game.drawSkybox(std::make_shared<MatrixStack>(), game.camera.getView(), frameProjection());
}

// Runs one pass per iteration after a whole frame has set the frame's uniforms; before is drawn
// untimed first, pass is timed with the GPU waited for.
void measure(benchmark::State& state, const std::function<void(Application&)>& before,
             const std::function<void(Application&)>& pass) {
  Application& game = session->game();
  game.renderDepthPass();
  game.render();
  double cpu = 0.0;
  long long draws = 0;
  long long vertices = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (before) {
      before(game);
    }
    glFinish();
    state.ResumeTiming();
    const double start = processCpuMilliseconds();
    const long long drawsBefore = drawCalls;
    const long long verticesBefore = verticesSubmitted;
    pass(game);
    glFinish();
    cpu += processCpuMilliseconds() - start;
    draws += drawCalls - drawsBefore;
    vertices += verticesSubmitted - verticesBefore;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glStencilMask(0xFF);
  glStencilFunc(GL_ALWAYS, 0, 0xFF);
  state.counters["cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
  state.counters["draws"] = benchmark::Counter(static_cast<double>(draws),
                                               benchmark::Counter::kAvgIterations);
  state.counters["vertices"] = benchmark::Counter(static_cast<double>(vertices),
                                                  benchmark::Counter::kAvgIterations);
}

struct MeasuredPass {
  const char* name;
  std::function<void(Application&)> before;
  std::function<void(Application&)> pass;
};

// The stencil set to mark what the lit objects cover, as the frame does.
void beginMarking(Application& game) {
  beginScene(game);
  glStencilFunc(GL_ALWAYS, 1, 0xFF);
  glStencilMask(0xFF);
  glDisable(GL_BLEND);
}

// The whole opaque scene and the sky drawn, and the stencil set so that what follows (the rain,
// the rims) leaves the marked objects alone, as the frame does.
void beginOverlays(Application& game) {
  glEnable(GL_BLEND);
  beginScene(game);
  drawOpaqueScene(game);
  drawSky(game);
  glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
}

const MeasuredPass Passes[] = {
    {"depth", nullptr, [](Application& game) { game.renderDepthPass(); }},
    // The sky over an empty target, as a frame that draws it first pays for it, and after the
    // opaque scene, where the depth test spares the pixels already covered.
    {"sky_alone", beginScene, drawSky},
    {"sky_after_opaque",
     [](Application& game) {
       beginScene(game);
       drawOpaqueScene(game);
     },
     drawSky},
    // The sea likewise: over an empty target, and after the objects that stand in it.
    {"sea_alone", beginScene, drawSea},
    {"sea_after_objects",
     [](Application& game) {
       beginScene(game);
       markObjects(game);
     },
     drawSea},
    // A bolt alight, drawn twice as the frame does (before and with the outlines).
    {"bolts",
     [](Application& game) {
       beginScene(game);
       drawOpaqueScene(game);
       drawSky(game);
     },
     [](Application& game) {
       const glm::mat4 projection = frameProjection()->topMatrix();
       game.lightning1.draw(projection, game.camera.getView());
       if (game.lightning1.getLifetime() <= 0.0f) {
         game.lightning2.draw(projection, game.camera.getView());
       }
       game.lightning1.draw(projection, game.camera.getView());
     }},
    {"boat_and_props", beginMarking,
     [](Application& game) { drawBoatAndProps(game, Pass::Lit); }},
    {"obstacles", beginMarking, [](Application& game) { drawObstacles(game, Pass::Lit); }},
    // The rain and the bow's spray over the finished scene, under the rims' stencil.
    {"rain", beginOverlays,
     [](Application& game) {
       const glm::vec3 eye = game.camera.getEye();
       game.drawRain(frameProjection()->topMatrix(), game.camera.getView(), game.stormLight(eye));
     }},
    {"outlines", beginOverlays,
     [](Application& game) {
       drawBoatAndProps(game, Pass::Outline);
       drawObstacles(game, Pass::Outline);
     }},
    {"post_processing",
     [](Application&) {
       glEnable(GL_BLEND);
       glBindFramebuffer(GL_FRAMEBUFFER, 0);
       glViewport(0, 0, 1080, 810);
       glDisable(GL_DEPTH_TEST);
       glClear(GL_COLOR_BUFFER_BIT);
     },
     [](Application& game) { game.drawPostProcess(game.postTexture, glm::vec2(1080.0f, 810.0f)); }},
    {"text", nullptr, [](Application& game) { game.drawScreenText(1080, 810); }},
    {"whole_race_frame", nullptr,
     [](Application& game) {
       game.renderDepthPass();
       game.render();
     }},
};

enum class Place { StartLine, MidCourse };
Place place = Place::StartLine;

// Halfway to the lighthouse, with the camera caught up behind the boat.
void sailToMidCourse(GameSession& game) {
  Application& app = game.game();
  const glm::vec3 goal = app.lighthousePos;
  const glm::vec3 start = app.boatPos;
  app.boatPos = glm::vec3(0.5f * (start.x + goal.x), app.boatPos.y, 0.5f * (start.z + goal.z));
  for (int frame = 0; frame < 30; ++frame) {
    game.step(1.0f / 30.0f);
  }
}

// A bolt in view, which stays alight: the benchmark never moves the clock of its fading on.
void strikeAhead(Application& app) {
  const glm::vec3 eye = app.camera.getEye();
  const glm::vec3 ahead = eye + 140.0f * app.camera.getViewDir();
  app.lightning1.strike(glm::vec3(ahead.x, 100.0f, ahead.z), glm::vec3(ahead.x, 0.0f, ahead.z),
                        eye);
}

void registerPasses(Place where, const char* prefix) {
  for (const MeasuredPass& pass : Passes) {
    const std::string name = std::string(prefix) + "/" + pass.name;
    benchmark::RegisterBenchmark(name.c_str(),
                                 [where, &pass](benchmark::State& state) {
                                   if (place != where) {
                                     sailToMidCourse(*session);
                                     strikeAhead(session->game());
                                     place = where;
                                   }
                                   measure(state, pass.before, pass.pass);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!enterExecutableDirectory()) {
    return 1;
  }
  GameSession game;
  if (!game.open("../resources")) {
    return 1;
  }
  countDraws();
  // Into a race, two seconds under way.
  game.tap(GLFW_KEY_ENTER);
  game.step(1.0f / 30.0f);
  game.game().introTime = 100.0;
  game.tap(GLFW_KEY_ENTER);
  game.step(1.0f / 30.0f);
  game.tap(GLFW_KEY_ENTER);
  game.press(GLFW_KEY_W);
  for (int frame = 0; frame < 60; ++frame) {
    game.step(1.0f / 30.0f);
  }
  session = &game;
  strikeAhead(game.game());
  registerPasses(Place::StartLine, "start_line");
  registerPasses(Place::MidCourse, "mid_course");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
