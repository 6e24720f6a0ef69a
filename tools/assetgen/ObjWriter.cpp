// Writing meshes as Wavefront OBJ text.
#include "ObjWriter.h"

#include <cstdio>
#include <fstream>
#include <unordered_map>

namespace assetgen {

namespace {

// Four decimals keep every model well below a thousandth of its detail size while keeping the
// files small; trailing zeros are dropped.
std::string number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", static_cast<double>(value));
  std::string s(text);
  while (!s.empty() && s.back() == '0') {
    s.pop_back();
  }
  if (!s.empty() && s.back() == '.') {
    s.pop_back();
  }
  if (s == "-0") {
    s = "0";
  }
  return s;
}

// Numbers each distinct line once, in the order first seen; OBJ indices start at 1.
class LineTable {
 public:
  explicit LineTable(const char* linePrefix) : prefix(linePrefix) {}
  size_t index(const std::string& values) {
    const auto [found, inserted] = indices.emplace(values, indices.size() + 1);
    if (inserted) {
      text += prefix;
      text += values;
      text += '\n';
    }
    return found->second;
  }
  const std::string& lines() const { return text; }

 private:
  const char* prefix;
  std::unordered_map<std::string, size_t> indices;
  std::string text;
};

}  // namespace

bool writeObj(const std::string& path, const std::vector<NamedMesh>& objects, std::string& error) {
  LineTable positions("v ");
  LineTable texcoords("vt ");
  LineTable normals("vn ");
  std::string faces;
  for (const NamedMesh& object : objects) {
    const Mesh& mesh = object.mesh;
    const bool textured = !mesh.texcoords.empty();
    if (mesh.normals.size() != mesh.positions.size() ||
        (textured && mesh.texcoords.size() != mesh.positions.size())) {
      error = "mesh '" + object.name + "' has per-vertex arrays of different lengths";
      return false;
    }
    std::vector<std::string> corner(mesh.positions.size());
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
      const glm::vec3 p = mesh.positions[i];
      const glm::vec3 n = mesh.normals[i];
      corner[i] = std::to_string(positions.index(number(p.x) + ' ' + number(p.y) + ' ' +
                                                 number(p.z)));
      corner[i] += '/';
      if (textured) {
        const glm::vec2 t = mesh.texcoords[i];
        corner[i] += std::to_string(texcoords.index(number(t.x) + ' ' + number(t.y)));
      }
      corner[i] += '/';
      corner[i] += std::to_string(normals.index(number(n.x) + ' ' + number(n.y) + ' ' +
                                                number(n.z)));
    }
    faces += "o " + object.name + '\n';
    for (const glm::uvec3& t : mesh.triangles) {
      faces += "f " + corner[t.x] + ' ' + corner[t.y] + ' ' + corner[t.z] + '\n';
    }
  }

  std::ofstream out(path, std::ios::binary);
  if (!out) {
    error = "cannot open " + path + " for writing";
    return false;
  }
  out << "# Galeskerry model, written by galeskerry_assetgen\n"
      << positions.lines() << texcoords.lines() << normals.lines() << faces;
  out.close();
  if (!out) {
    error = "writing " + path + " failed";
    return false;
  }
  return true;
}

}  // namespace assetgen
