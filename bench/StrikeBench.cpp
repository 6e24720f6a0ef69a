// The cost of a lightning strike, which builds two bolts at once; a slow one would make
// the race stutter each time the sky flashes.
#include <benchmark/benchmark.h>

#include <glm/glm.hpp>

#include "render/Lightning.h"
#include "world/BoltGeometry.h"
#include "world/Random.h"

// One scheduled strike: both bolts built anew between random points, as the race does every 2.2 s
// and once per frame while the schedule catches up after a long menu. Must stay at 0.5 ms or less.
static void BM_StrikePair(benchmark::State& state) {
  Lightning bolts[2];
  const glm::vec3 camera(0.0f, 2.5f, -225.0f);
  for (auto _ : state) {
    for (Lightning& bolt : bolts) {
      const glm::vec3 start(randomFloat(-200.0f, 200.0f), 100.0f, randomFloat(-200.0f, 200.0f));
      const glm::vec3 end(start.x + randomFloat(-50.0f, 50.0f), 0.0f,
                          start.z + randomFloat(-50.0f, 50.0f));
      bolt.strike(start, end, camera);
    }
    benchmark::DoNotOptimize(bolts[0].getGeometry().segments().data());
    benchmark::DoNotOptimize(bolts[1].getGeometry().segments().data());
  }
}
BENCHMARK(BM_StrikePair)->Unit(benchmark::kMicrosecond);

// The random draws alone: a bolt takes 2047 of them.
static void BM_RandomFloat(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(randomFloat(-35.0f, 35.0f));
  }
}
BENCHMARK(BM_RandomFloat);
