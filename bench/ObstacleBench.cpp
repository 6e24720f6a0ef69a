// What the obstacles cost: the steering and contact pass and the tentacle box refresh of
// every frame, and the placing of a whole field for a new world.
#include <cstring>
#include <memory>

#include <benchmark/benchmark.h>

#include "gl/Shape.h"
#include "physics/BVHTree.h"
#include "world/Obstacles.h"

namespace {

double benchClock = 0.0;
double readBenchClock() { return benchClock; }

std::shared_ptr<Shape> meshWithBounds(glm::vec3 min, glm::vec3 max) {
  auto mesh = std::make_shared<Shape>();
  mesh->min = min;
  mesh->max = max;
  return mesh;
}

// A full field as a race starts it: 100 rocks in the tree and 49 tentacles with the boxes of
// the tentacle model.
struct Field {
  Field() {
    std::memset(grid, FreeCell, sizeof grid);
    rocks.setBVH(tree);
    rocks.spawnAll(meshWithBounds({-5.3f, -4.2f, -4.9f}, {5.4f, 5.7f, 5.0f}));
    dummies.setBVH(tree);
    dummies.setClock(readBenchClock);
    dummies.spawnAll(tentacle);
  }

  std::shared_ptr<BVHTree> tree = std::make_shared<BVHTree>();
  RockManager rocks{grid, WorldGridSize};
  DummyManager dummies{grid, WorldGridSize};
  std::shared_ptr<Shape> tentacle = meshWithBounds({-0.6f, 0.0f, -0.6f}, {3.1f, 5.0f, 1.8f});
};

}  // namespace

// The obstacle pass of one frame: every tentacle steers (one tree query each), moves and is
// tested against the boat, then every rock is. The boat sails through the field so that
// tentacles chase, turn at rocks and at the edge; its contacts are forgiven so the pass keeps
// doing the full work.
static void BM_ObstaclePass(benchmark::State& state) {
  Field field;
  const float dt = 1.0f / 60.0f;
  float boatZ = -200.0f;
  for (auto _ : state) {
    benchClock += dt;
    const bool tentacleTouched = field.dummies.update(dt, 10.0f, boatZ, false);
    const bool touched = field.rocks.touchesBoat(10.0f, boatZ, false) || tentacleTouched;
    benchmark::DoNotOptimize(touched);
    boatZ = boatZ > 200.0f ? -200.0f : boatZ + 0.25f;
  }
}
BENCHMARK(BM_ObstaclePass);

// The normal draw pass's refresh of every tentacle's box to its stance of the moment.
static void BM_TentacleBoxRefresh(benchmark::State& state) {
  Field field;
  double seconds = 0.0;
  for (auto _ : state) {
    seconds += 1.0 / 60.0;
    for (Dummy& d : *field.dummies.getDummies()) {
      d.updateBounds(field.tentacle.get(), seconds);
    }
    benchmark::DoNotOptimize(field.dummies.getDummies()->front().aabb->min);
  }
}
BENCHMARK(BM_TentacleBoxRefresh);

// Building the field of a new world: 100 rocks with their tree leaves and 49 tentacles.
static void BM_PlaceField(benchmark::State& state) {
  for (auto _ : state) {
    Field field;
    benchmark::DoNotOptimize(field.tree->getNodeCount());
  }
}
BENCHMARK(BM_PlaceField);
