// How long the OBJ loader takes over the game's own models; the wait before the title
// screen is mostly this, so a slower loader shows up here first.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "gl/ObjLoader.h"

// Start-up time is dominated by reading the models; the sea plane is the largest of them.
static void BM_LoadModel(benchmark::State& state, const char* name) {
  const std::string path = std::string(GALESKERRY_RESOURCE_DIR) + name;
  std::vector<ObjShape> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string err;
  size_t vertices = 0;
  for (auto _ : state) {
    if (!loadObj(shapes, materials, err, path, nullptr)) {
      state.SkipWithError(err.c_str());
      break;
    }
    vertices = 0;
    for (const ObjShape& shape : shapes) {
      vertices += shape.mesh.positions.size() / 3;
    }
  }
  state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK_CAPTURE(BM_LoadModel, sea, "/newPlane.obj")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadModel, boat, "/models/boat/Ship_free.obj")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadModel, rock, "/rock.obj")->Unit(benchmark::kMillisecond);
