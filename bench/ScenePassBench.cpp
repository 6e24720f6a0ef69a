// Where a race frame's time goes: each pass of the real game's race scene drawn alone in its
// 1080 x 810 window, the GPU waited for after each draw so a software rasteriser's work counts.
// Besides wall time, "cpu_ms" is the whole process's CPU time per pass (all rasteriser threads),
// which stays meaningful on a machine shared with other work.
//   galeskerry_pass_bench [benchmark flags]
#include <ctime>
#include <memory>

#include <benchmark/benchmark.h>

#include "Application.h"
#include "GameSession.h"
#include "gl/MatrixStack.h"

namespace {

GameSession* session = nullptr;

double processCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Runs one pass per iteration after a whole frame has set the frame's uniforms, with the scene's
// off-screen target bound as the frame binds it.
template <typename Pass>
void measure(benchmark::State& state, bool intoScene, Pass pass) {
  Application& game = session->game();
  game.render();
  double cpu = 0.0;
  for (auto _ : state) {
    if (intoScene) {
      glBindFramebuffer(GL_FRAMEBUFFER, game.postFBO);
      glViewport(0, 0, 1080, 810);
      glEnable(GL_DEPTH_TEST);
      // A pass drawn over its own depths from the last iteration would be rejected early.
      glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
      glFinish();
    }
    const double start = processCpuMilliseconds();
    pass(game);
    glFinish();
    cpu += processCpuMilliseconds() - start;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  state.counters["cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

std::shared_ptr<MatrixStack> frameProjection() {
  auto projection = std::make_shared<MatrixStack>();
  projection->perspective(45.0f, 1080.0f / 810.0f, 0.01f, 1000.0f);
  return projection;
}

void BM_DepthPass(benchmark::State& state) {
  measure(state, false, [](Application& game) { game.renderDepthPass(); });
}

void BM_SkyBox(benchmark::State& state) {
  const auto projection = frameProjection();
  measure(state, true, [&projection](Application& game) {
    game.drawSkybox(std::make_shared<MatrixStack>(), game.camera.getView(), projection);
  });
}

void BM_Water(benchmark::State& state) {
  measure(state, true, [](Application& game) { game.drawWater(std::make_shared<MatrixStack>()); });
}

// The boat, its arrow and the lighthouse in the lit pass and again in the outline pass.
void BM_Props(benchmark::State& state) {
  const auto projection = frameProjection();
  measure(state, true, [&projection](Application& game) {
    const glm::mat4& view = game.camera.getView();
    for (const Pass pass : {Pass::Lit, Pass::Outline}) {
      auto model = std::make_shared<MatrixStack>();
      game.drawBoat(model, pass);
      game.drawArrow(model, view, projection, 0.3f, pass);
      game.drawLighthouse(game.lighthouseCell.x, game.lighthouseCell.z, model, pass);
    }
  });
}

void BM_WholeRaceFrame(benchmark::State& state) {
  measure(state, false, [](Application& game) {
    game.renderDepthPass();
    game.render();
  });
}

}  // namespace

BENCHMARK(BM_DepthPass)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SkyBox)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Water)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Props)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WholeRaceFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!enterExecutableDirectory()) {
    return 1;
  }
  GameSession game;
  if (!game.open("../resources")) {
    return 1;
  }
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
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
