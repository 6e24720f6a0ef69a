// Reading OBJ files through tinyobjloader into flat, indexed per-vertex arrays.
#include "gl/ObjLoader.h"

#include <cstdint>
#include <unordered_map>

namespace {

struct CornerKey {
  int position;
  int normal;
  int texcoord;
  bool operator==(const CornerKey& other) const {
    return position == other.position && normal == other.normal && texcoord == other.texcoord;
  }
};

struct CornerKeyHash {
  size_t operator()(const CornerKey& key) const {
    uint64_t h = static_cast<uint32_t>(key.position);
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(key.normal);
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(key.texcoord);
    return static_cast<size_t>(h ^ (h >> 29));
  }
};

bool everyCornerHas(const std::vector<tinyobj::index_t>& corners,
                    int tinyobj::index_t::*component) {
  for (const tinyobj::index_t& corner : corners) {
    if (corner.*component < 0) {
      return false;
    }
  }
  return !corners.empty();
}

bool cornersInRange(const tinyobj::attrib_t& attrib, const std::vector<tinyobj::index_t>& corners) {
  const auto inRange = [](int index, size_t count) {
    return index < 0 || static_cast<size_t>(index) < count;
  };
  for (const tinyobj::index_t& corner : corners) {
    if (corner.vertex_index < 0 || !inRange(corner.vertex_index, attrib.vertices.size() / 3) ||
        !inRange(corner.normal_index, attrib.normals.size() / 3) ||
        !inRange(corner.texcoord_index, attrib.texcoords.size() / 2)) {
      return false;
    }
  }
  return true;
}

ObjShape flatten(const tinyobj::attrib_t& attrib, const tinyobj::shape_t& source) {
  ObjShape shape;
  shape.name = source.name;
  const std::vector<tinyobj::index_t>& corners = source.mesh.indices;
  const bool withNormals = everyCornerHas(corners, &tinyobj::index_t::normal_index);
  const bool withTexcoords = everyCornerHas(corners, &tinyobj::index_t::texcoord_index);

  ObjMesh& mesh = shape.mesh;
  mesh.indices.reserve(corners.size());
  std::unordered_map<CornerKey, unsigned int, CornerKeyHash> vertexOfCorner;
  vertexOfCorner.reserve(corners.size());
  for (const tinyobj::index_t& corner : corners) {
    const CornerKey key{corner.vertex_index, withNormals ? corner.normal_index : -1,
                        withTexcoords ? corner.texcoord_index : -1};
    const auto [found, inserted] =
        vertexOfCorner.emplace(key, static_cast<unsigned int>(mesh.positions.size() / 3));
    if (inserted) {
      const size_t p = 3 * static_cast<size_t>(key.position);
      mesh.positions.insert(mesh.positions.end(), {attrib.vertices[p], attrib.vertices[p + 1],
                                                   attrib.vertices[p + 2]});
      if (withNormals) {
        const size_t n = 3 * static_cast<size_t>(key.normal);
        mesh.normals.insert(mesh.normals.end(), {attrib.normals[n], attrib.normals[n + 1],
                                                 attrib.normals[n + 2]});
      }
      if (withTexcoords) {
        const size_t t = 2 * static_cast<size_t>(key.texcoord);
        mesh.texcoords.insert(mesh.texcoords.end(),
                              {attrib.texcoords[t], attrib.texcoords[t + 1]});
      }
    }
    mesh.indices.push_back(found->second);
  }
  return shape;
}

}  // namespace

bool loadObj(std::vector<ObjShape>& shapes, std::vector<tinyobj::material_t>& materials,
             std::string& errStr, const std::string& path, const char* mtlBasePath) {
  shapes.clear();
  materials.clear();
  errStr.clear();
  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> sourceShapes;
  std::string warnings;
  const bool loaded = tinyobj::LoadObj(&attrib, &sourceShapes, &materials, &warnings, &errStr,
                                       path.c_str(), mtlBasePath, true);
  if (!loaded) {
    return false;
  }
  for (const tinyobj::shape_t& source : sourceShapes) {
    if (!cornersInRange(attrib, source.mesh.indices)) {
      errStr = "Face index out of range in sub-object '" + source.name + "' of " + path + "\n";
      return false;
    }
  }
  shapes.reserve(sourceShapes.size());
  for (const tinyobj::shape_t& source : sourceShapes) {
    shapes.push_back(flatten(attrib, source));
  }
  return true;
}
