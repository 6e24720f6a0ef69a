// The small sums every frame repeats many times: a swell sample, a chase-camera step and
// a prop's matrix work, kept cheap so the simulation never costs frames.
#include <benchmark/benchmark.h>


#include "Camera.h"
#include "gl/MatrixStack.h"

// The boat and the camera sample the sea eight times a frame; this is the per-sample cost.
static void BM_WaveHeight(benchmark::State& state) {
  glm::vec3 p(12.5f, 0.0f, -140.0f);
  for (auto _ : state) {
    benchmark::DoNotOptimize(waveHeight(p));
    p.x += 0.01f;
  }
}
BENCHMARK(BM_WaveHeight);

// One chase-camera step: follow, tilt to the swell and rebuild the view.
static void BM_CameraFollow(benchmark::State& state) {
  Camera camera;
  glm::vec3 lag(0.0f, 1.0f, -220.0f);
  const glm::vec3 dir(0.0f, 0.0f, 1.0f);
  for (auto _ : state) {
    camera.follow(lag, dir);
    benchmark::DoNotOptimize(camera.view);
    lag.z += 0.01f;
  }
}
BENCHMARK(BM_CameraFollow);

// A prop draw's matrix work: push, compose five transforms, pop.
static void BM_MatrixStackPropTransform(benchmark::State& state) {
  MatrixStack model;
  for (auto _ : state) {
    model.pushMatrix();
    model.translate(glm::vec3(1.0f, 2.0f, 3.0f));
    model.scale(0.01f);
    model.rotate(0.1f, glm::vec3(1.0f, 0.0f, 0.0f));
    model.rotate(0.2f, glm::vec3(0.0f, 0.0f, 1.0f));
    model.rotate(0.3f, glm::vec3(0.0f, 1.0f, 0.0f));
    benchmark::DoNotOptimize(model.topMatrix());
    model.popMatrix();
  }
}
BENCHMARK(BM_MatrixStackPropTransform);
