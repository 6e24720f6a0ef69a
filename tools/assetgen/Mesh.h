#pragma once

// The mesh the model builders assemble before it is written as OBJ.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace assetgen {

constexpr float Pi = 3.14159265f;

// An indexed triangle mesh with one normal (and optionally one texture coordinate) per vertex.
// Front faces wind counter-clockwise seen from the side their normals point to.
struct Mesh {
  std::vector<glm::vec3> positions;
  std::vector<glm::vec3> normals;
  std::vector<glm::vec2> texcoords;  // empty, or one per vertex
  std::vector<glm::uvec3> triangles;

  uint32_t addVertex(glm::vec3 position, glm::vec3 normal);
  uint32_t addVertex(glm::vec3 position, glm::vec3 normal, glm::vec2 texcoord);
  void addTriangle(uint32_t a, uint32_t b, uint32_t c);
  // Counter-clockwise corners a, b, c, d.
  void addQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
  // Appends other, moved by transform (normals follow the inverse transpose).
  void append(const Mesh& other, const glm::mat4& transform = glm::mat4(1.0f));
  // Area-weighted vertex normals from the faces; vertices at the same position share one.
  void computeSmoothNormals();
  glm::vec3 boundsMin() const;
  glm::vec3 boundsMax() const;
};

struct NamedMesh {
  std::string name;
  Mesh mesh;
};

struct GridOptions {
  bool wrapColumns = false;  // last column repeats the first (closed surfaces of revolution)
  bool texcoords = false;    // u = column / columns, v = row / rows
};

// A (columns + 1) × (rows + 1) vertex grid; point(column, row) places each vertex. Faces face
// the side of cross(d/dcolumn, d/drow); normals are smooth and degenerate triangles are dropped.
Mesh gridSurface(int columns, int rows, const std::function<glm::vec3(int, int)>& point,
                 GridOptions options = {});

// A profile point of a surface of revolution about the y axis.
struct ProfilePoint {
  float radius;
  float y;
  bool crease = false;  // shading breaks here: the surfaces on either side keep their own normals
};

// Turns the profile about the y axis. Normals point to the right of the direction of travel in
// the (radius, y) plane: a profile climbing upward faces outward, one running inward faces up.
Mesh lathe(const std::vector<ProfilePoint>& profile, int segments);

// Axis-aligned box with flat faces.
Mesh box(glm::vec3 minCorner, glm::vec3 maxCorner);

// Flat polygon fan around centre; each triangle is wound to face `facing`.
void addFan(Mesh& mesh, glm::vec3 centre, const std::vector<glm::vec3>& ring, glm::vec3 facing,
            bool closed);

// Orthonormal frame at each point of a polyline, carried along by the smallest rotation from one
// segment to the next so that a tube built on it does not twist.
struct LineFrame {
  glm::vec3 tangent;
  glm::vec3 side;
  glm::vec3 across;  // tangent × side
};
std::vector<LineFrame> lineFrames(const std::vector<glm::vec3>& line);

// Round tube along a polyline; radius per point; the ends are open.
Mesh tube(const std::vector<glm::vec3>& centreLine, const std::vector<float>& radii, int sides);

// Straight round rod between two points with flat end caps.
Mesh rod(glm::vec3 from, glm::vec3 to, float radius, int sides);

}  // namespace assetgen
