// Building meshes from lathe profiles, boxes, tubes and rods.
#include "Mesh.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

namespace assetgen {

namespace {

// Adding zero folds -0 into +0 so that mirrored points compare equal.
std::tuple<float, float, float> positionKey(glm::vec3 p) {
  return {p.x + 0.0f, p.y + 0.0f, p.z + 0.0f};
}

glm::vec3 anyPerpendicular(glm::vec3 v) {
  const glm::vec3 helper = std::abs(v.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
  return glm::normalize(glm::cross(helper, v));
}

}  // namespace

uint32_t Mesh::addVertex(glm::vec3 position, glm::vec3 normal) {
  positions.push_back(position);
  normals.push_back(normal);
  return static_cast<uint32_t>(positions.size() - 1);
}

uint32_t Mesh::addVertex(glm::vec3 position, glm::vec3 normal, glm::vec2 texcoord) {
  texcoords.push_back(texcoord);
  return addVertex(position, normal);
}

void Mesh::addTriangle(uint32_t a, uint32_t b, uint32_t c) { triangles.emplace_back(a, b, c); }

void Mesh::addQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  addTriangle(a, b, c);
  addTriangle(a, c, d);
}

void Mesh::append(const Mesh& other, const glm::mat4& transform) {
  const uint32_t offset = static_cast<uint32_t>(positions.size());
  const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(transform)));
  for (size_t i = 0; i < other.positions.size(); ++i) {
    positions.push_back(glm::vec3(transform * glm::vec4(other.positions[i], 1.0f)));
    normals.push_back(glm::normalize(normalMatrix * other.normals[i]));
  }
  texcoords.insert(texcoords.end(), other.texcoords.begin(), other.texcoords.end());
  for (const glm::uvec3& t : other.triangles) {
    triangles.push_back(t + glm::uvec3(offset));
  }
}

void Mesh::computeSmoothNormals() {
  std::map<std::tuple<float, float, float>, glm::vec3> sums;
  for (const glm::uvec3& t : triangles) {
    const glm::vec3 faceNormal = glm::cross(positions[t.y] - positions[t.x],
                                            positions[t.z] - positions[t.x]);
    for (int corner = 0; corner < 3; ++corner) {
      sums[positionKey(positions[t[corner]])] += faceNormal;
    }
  }
  normals.assign(positions.size(), glm::vec3(0, 1, 0));
  for (size_t i = 0; i < positions.size(); ++i) {
    const auto found = sums.find(positionKey(positions[i]));
    if (found != sums.end() && glm::length(found->second) > 0.0f) {
      normals[i] = glm::normalize(found->second);
    }
  }
}

glm::vec3 Mesh::boundsMin() const {
  glm::vec3 result(std::numeric_limits<float>::max());
  for (const glm::vec3& p : positions) {
    result = glm::min(result, p);
  }
  return result;
}

glm::vec3 Mesh::boundsMax() const {
  glm::vec3 result(std::numeric_limits<float>::lowest());
  for (const glm::vec3& p : positions) {
    result = glm::max(result, p);
  }
  return result;
}

Mesh gridSurface(int columns, int rows, const std::function<glm::vec3(int, int)>& point,
                 GridOptions options) {
  Mesh mesh;
  const int stride = columns + 1;
  for (int row = 0; row <= rows; ++row) {
    for (int column = 0; column <= columns; ++column) {
      const int source = options.wrapColumns && column == columns ? 0 : column;
      const glm::vec3 p = point(source, row);
      if (options.texcoords) {
        mesh.addVertex(p, glm::vec3(0, 1, 0),
                       {static_cast<float>(column) / static_cast<float>(columns),
                        static_cast<float>(row) / static_cast<float>(rows)});
      } else {
        mesh.addVertex(p, glm::vec3(0, 1, 0));
      }
    }
  }
  const auto addIfNotDegenerate = [&mesh](uint32_t a, uint32_t b, uint32_t c) {
    const glm::vec3 n = glm::cross(mesh.positions[b] - mesh.positions[a],
                                   mesh.positions[c] - mesh.positions[a]);
    if (glm::dot(n, n) > 1e-14f) {
      mesh.addTriangle(a, b, c);
    }
  };
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const uint32_t a = static_cast<uint32_t>(row * stride + column);
      const uint32_t b = a + 1;
      const uint32_t c = b + static_cast<uint32_t>(stride);
      const uint32_t d = a + static_cast<uint32_t>(stride);
      // Alternate the diagonal so that bent surfaces stay symmetric.
      if ((row + column) % 2 == 0) {
        addIfNotDegenerate(a, b, c);
        addIfNotDegenerate(a, c, d);
      } else {
        addIfNotDegenerate(a, b, d);
        addIfNotDegenerate(b, c, d);
      }
    }
  }
  mesh.computeSmoothNormals();
  return mesh;
}

Mesh lathe(const std::vector<ProfilePoint>& profile, int segments) {
  Mesh result;
  size_t start = 0;
  while (start + 1 < profile.size()) {
    size_t end = start + 1;
    while (end + 1 < profile.size() && !profile[end].crease) {
      ++end;
    }
    const int rows = static_cast<int>(end - start);
    const auto point = [&](int column, int row) {
      const ProfilePoint& p = profile[start + static_cast<size_t>(row)];
      const float angle = 2.0f * Pi * static_cast<float>(column) / static_cast<float>(segments);
      return glm::vec3(p.radius * std::cos(angle), p.y, -p.radius * std::sin(angle));
    };
    result.append(gridSurface(segments, rows, point, {true, false}));
    start = end;
  }
  return result;
}

Mesh box(glm::vec3 lo, glm::vec3 hi) {
  Mesh mesh;
  const auto face = [&mesh](glm::vec3 normal, glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d) {
    const uint32_t ia = mesh.addVertex(a, normal);
    const uint32_t ib = mesh.addVertex(b, normal);
    const uint32_t ic = mesh.addVertex(c, normal);
    const uint32_t id = mesh.addVertex(d, normal);
    mesh.addQuad(ia, ib, ic, id);
  };
  face({1, 0, 0}, {hi.x, lo.y, hi.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z});
  face({-1, 0, 0}, {lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}, {lo.x, hi.y, lo.z});
  face({0, 1, 0}, {lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z});
  face({0, -1, 0}, {lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z});
  face({0, 0, 1}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z});
  face({0, 0, -1}, {hi.x, lo.y, lo.z}, {lo.x, lo.y, lo.z}, {lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z});
  return mesh;
}

void addFan(Mesh& mesh, glm::vec3 centre, const std::vector<glm::vec3>& ring, glm::vec3 facing,
            bool closed) {
  const glm::vec3 normal = glm::normalize(facing);
  const uint32_t c = mesh.addVertex(centre, normal);
  std::vector<uint32_t> indices;
  for (const glm::vec3& p : ring) {
    indices.push_back(mesh.addVertex(p, normal));
  }
  const size_t count = closed ? ring.size() : ring.size() - 1;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t a = indices[i];
    const uint32_t b = indices[(i + 1) % ring.size()];
    const glm::vec3 n = glm::cross(ring[(i + 1) % ring.size()] - centre, ring[i] - centre);
    if (glm::dot(n, normal) > 0.0f) {
      mesh.addTriangle(c, b, a);
    } else {
      mesh.addTriangle(c, a, b);
    }
  }
}

std::vector<LineFrame> lineFrames(const std::vector<glm::vec3>& line) {
  const size_t count = line.size();
  std::vector<LineFrame> frames(count);
  for (size_t i = 0; i < count; ++i) {
    const glm::vec3 ahead = line[std::min(i + 1, count - 1)];
    const glm::vec3 behind = line[i == 0 ? 0 : i - 1];
    frames[i].tangent = glm::normalize(ahead - behind);
  }
  frames[0].side = anyPerpendicular(frames[0].tangent);
  for (size_t i = 1; i < count; ++i) {
    const glm::vec3 previous = frames[i - 1].side;
    frames[i].side =
        glm::normalize(previous - frames[i].tangent * glm::dot(previous, frames[i].tangent));
  }
  for (LineFrame& frame : frames) {
    frame.across = glm::cross(frame.tangent, frame.side);
  }
  return frames;
}

Mesh tube(const std::vector<glm::vec3>& centreLine, const std::vector<float>& radii, int sides) {
  const std::vector<LineFrame> frames = lineFrames(centreLine);
  const auto point = [&](int column, int row) {
    const size_t r = static_cast<size_t>(row);
    const float angle = 2.0f * Pi * static_cast<float>(column) / static_cast<float>(sides);
    return centreLine[r] +
           radii[r] * (std::cos(angle) * frames[r].side + std::sin(angle) * frames[r].across);
  };
  return gridSurface(sides, static_cast<int>(centreLine.size()) - 1, point, {true, false});
}

Mesh rod(glm::vec3 from, glm::vec3 to, float radius, int sides) {
  Mesh mesh = tube({from, to}, {radius, radius}, sides);
  const glm::vec3 axis = glm::normalize(to - from);
  const glm::vec3 u = anyPerpendicular(axis);
  const glm::vec3 v = glm::cross(axis, u);
  std::vector<glm::vec3> startRing;
  std::vector<glm::vec3> endRing;
  for (int i = 0; i < sides; ++i) {
    const float angle = 2.0f * Pi * static_cast<float>(i) / static_cast<float>(sides);
    const glm::vec3 offset = radius * (std::cos(angle) * u + std::sin(angle) * v);
    startRing.push_back(from + offset);
    endRing.push_back(to + offset);
  }
  addFan(mesh, from, startRing, -axis, true);
  addFan(mesh, to, endRing, axis, true);
  return mesh;
}

}  // namespace assetgen
