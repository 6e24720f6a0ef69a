// Uploading a mesh's arrays to GL and drawing them with a program.
#include "gl/Shape.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>

#include "gl/GLSL.h"
#include "gl/Program.h"

namespace {

constexpr float BoundsSentinel = 1.1754e38f;

glm::vec3 normalizedOrZero(const glm::vec3& v) {
  const float length = glm::length(v);
  return length > 0.0f ? v / length : glm::vec3(0.0f);
}

template <typename T>
void uploadArray(GLenum target, GLuint buffer, const std::vector<T>& data) {
  glBindBuffer(target, buffer);
  glBufferData(target, static_cast<GLsizeiptr>(data.size() * sizeof(T)), data.data(),
               GL_STATIC_DRAW);
}

}  // namespace

bool isTexturedObjName(const std::string& name) {
  static const std::array<const char*, 11> TexturedNames = {
      "car",       "wheel",       "wheel003", "car_door", "wheel001", "wheel002",
      "Object001", "street_lamp", "Box001",   "rock",     "plane.004"};
  for (const char* textured : TexturedNames) {
    if (name == textured) {
      return true;
    }
  }
  return false;
}

void Shape::setFromObjShape(const ObjShape& shape) {
  positions = shape.mesh.positions;
  normals = shape.mesh.normals;
  texCoords = shape.mesh.texcoords;
  elements = shape.mesh.indices;
  if (isTexturedObjName(shape.name)) {
    ignoreTexCoords = false;
  }
}

void Shape::computeBounds() {
  min = glm::vec3(BoundsSentinel);
  max = glm::vec3(-BoundsSentinel);
  for (size_t v = 0; v < positions.size() / 3; ++v) {
    const glm::vec3 p(positions[3 * v], positions[3 * v + 1], positions[3 * v + 2]);
    min = glm::min(min, p);
    max = glm::max(max, p);
  }
}

bool Shape::placedBounds(const glm::mat4& M, glm::vec3& centre, float& radius) const {
  if (max == min) {
    return false;
  }
  centre = glm::vec3(M * glm::vec4(0.5f * (min + max), 1.0f));
  const float scale = std::max(
      {glm::length(glm::vec3(M[0])), glm::length(glm::vec3(M[1])), glm::length(glm::vec3(M[2]))});
  radius = 0.5f * glm::length(max - min) * scale;
  return true;
}

// Face normals are built from the corner positions pushed out to unit length, which suits the
// round, origin-centred meshes this path serves; each vertex sums the faces around it.
void Shape::computeNormals() {
  normals.assign(positions.size(), 0.0f);
  const auto position = [this](unsigned int i) {
    return normalizedOrZero(glm::vec3(positions[3 * i], positions[3 * i + 1], positions[3 * i + 2]));
  };
  for (size_t t = 0; t + 2 < elements.size(); t += 3) {
    const unsigned int corners[3] = {elements[t], elements[t + 1], elements[t + 2]};
    const glm::vec3 p0 = position(corners[0]);
    const glm::vec3 n = glm::cross(position(corners[1]) - p0, position(corners[2]) - p0);
    for (const unsigned int corner : corners) {
      normals[3 * corner] += n.x;
      normals[3 * corner + 1] += n.y;
      normals[3 * corner + 2] += n.z;
    }
  }
  for (size_t v = 0; v < normals.size() / 3; ++v) {
    const glm::vec3 n =
        normalizedOrZero(glm::vec3(normals[3 * v], normals[3 * v + 1], normals[3 * v + 2]));
    normals[3 * v] = n.x;
    normals[3 * v + 1] = n.y;
    normals[3 * v + 2] = n.z;
  }
}

void Shape::init() {
  glGenVertexArrays(1, &vertexArray);
  glBindVertexArray(vertexArray);

  glGenBuffers(1, &positionBuffer);
  uploadArray(GL_ARRAY_BUFFER, positionBuffer, positions);
  glEnableVertexAttribArray(VertPosLocation);
  glVertexAttribPointer(VertPosLocation, 3, GL_FLOAT, GL_FALSE, 0, nullptr);

  if (normals.empty()) {
    computeNormals();
  }
  glGenBuffers(1, &normalBuffer);
  uploadArray(GL_ARRAY_BUFFER, normalBuffer, normals);
  glEnableVertexAttribArray(VertNorLocation);
  glVertexAttribPointer(VertNorLocation, 3, GL_FLOAT, GL_FALSE, 0, nullptr);

  if (texCoords.empty() || ignoreTexCoords) {
    texCoordBuffer = 0;
  } else {
    glGenBuffers(1, &texCoordBuffer);
    uploadArray(GL_ARRAY_BUFFER, texCoordBuffer, texCoords);
    glEnableVertexAttribArray(VertTexLocation);
    glVertexAttribPointer(VertTexLocation, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
  }

  // The element buffer binding is part of the vertex array's state.
  glGenBuffers(1, &elementBuffer);
  uploadArray(GL_ELEMENT_ARRAY_BUFFER, elementBuffer, elements);

  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  assert(glGetError() == GL_NO_ERROR);
}

void Shape::draw(const std::shared_ptr<Program>& prog, bool adjacency) const {
  const GLenum mode =
      adjacency && prog->getGShaderName() != " " ? GL_TRIANGLES_ADJACENCY : GL_TRIANGLES;
  glBindVertexArray(vertexArray);
  glDrawElements(mode, static_cast<GLsizei>(elements.size()), GL_UNSIGNED_INT, nullptr);
  glBindVertexArray(0);
}

void Shape::drawRanges(const std::vector<IndexRange>& ranges) const {
  if (ranges.empty()) {
    return;
  }
  std::vector<GLsizei> counts;
  std::vector<const void*> offsets;
  counts.reserve(ranges.size());
  offsets.reserve(ranges.size());
  for (const IndexRange& range : ranges) {
    counts.push_back(range.count);
    offsets.push_back(reinterpret_cast<const void*>(static_cast<uintptr_t>(range.first) *
                                                    sizeof(unsigned int)));
  }
  glBindVertexArray(vertexArray);
  glMultiDrawElements(GL_TRIANGLES, counts.data(), GL_UNSIGNED_INT, offsets.data(),
                      static_cast<GLsizei>(ranges.size()));
  glBindVertexArray(0);
}
