// Gathering a mesh's vertices into cells to build its coarse stand-in.
#include "world/FarMesh.h"

#include <cmath>
#include <map>
#include <tuple>

#include <glm/glm.hpp>

ObjShape coarsenMesh(const ObjShape& shape, float cellSize) {
  const ObjMesh& in = shape.mesh;
  const size_t vertexCount = in.positions.size() / 3;
  const bool textured = in.texcoords.size() == 2 * vertexCount;

  struct Cluster {
    glm::vec3 positionSum{0.0f};
    glm::vec2 texSum{0.0f};
    unsigned int members = 0;
    unsigned int index = 0;
  };
  std::map<std::tuple<int, int, int>, Cluster> clusters;
  std::vector<Cluster*> clusterOf(vertexCount);
  for (size_t v = 0; v < vertexCount; ++v) {
    const glm::vec3 p(in.positions[3 * v], in.positions[3 * v + 1], in.positions[3 * v + 2]);
    const glm::ivec3 cell(glm::floor(p / cellSize));
    Cluster& cluster = clusters[{cell.x, cell.y, cell.z}];
    cluster.positionSum += p;
    if (textured) {
      cluster.texSum += glm::vec2(in.texcoords[2 * v], in.texcoords[2 * v + 1]);
    }
    ++cluster.members;
    clusterOf[v] = &cluster;
  }

  ObjShape out;
  out.name = shape.name;
  unsigned int next = 0;
  for (auto& entry : clusters) {
    Cluster& cluster = entry.second;
    cluster.index = next++;
    const float share = 1.0f / static_cast<float>(cluster.members);
    const glm::vec3 p = cluster.positionSum * share;
    out.mesh.positions.insert(out.mesh.positions.end(), {p.x, p.y, p.z});
    if (textured) {
      const glm::vec2 t = cluster.texSum * share;
      out.mesh.texcoords.insert(out.mesh.texcoords.end(), {t.x, t.y});
    }
  }
  for (size_t i = 0; i + 2 < in.indices.size(); i += 3) {
    unsigned int corners[3];
    bool valid = true;
    for (size_t k = 0; k < 3; ++k) {
      const unsigned int v = in.indices[i + k];
      valid = valid && v < vertexCount;
      corners[k] = valid ? clusterOf[v]->index : 0;
    }
    if (valid && corners[0] != corners[1] && corners[1] != corners[2] && corners[0] != corners[2]) {
      out.mesh.indices.insert(out.mesh.indices.end(), {corners[0], corners[1], corners[2]});
    }
  }
  return out;
}
