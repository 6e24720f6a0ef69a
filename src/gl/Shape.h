#pragma once

// A triangle mesh loaded from an OBJ file and drawn with a program.

#include <memory>
#include <string>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "gl/ObjLoader.h"

class Program;

// One indexed triangle mesh from an OBJ sub-object, kept on the CPU and uploaded once. Its
// vertex array records the attribute layout at upload, at the locations every program shares.
class Shape {
 public:
  // A run of the element list: the first index and how many follow.
  struct IndexRange {
    int first = 0;
    int count = 0;
  };

  Shape() = default;
  virtual ~Shape() = default;
  Shape(const Shape&) = delete;
  Shape& operator=(const Shape&) = delete;

  void setFromObjShape(const ObjShape& shape);
  void computeBounds();
  // The sphere around the bounds once M has placed the shape; false, setting nothing, while
  // the bounds were never measured.
  bool placedBounds(const glm::mat4& M, glm::vec3& centre, float& radius) const;
  void init();
  void draw(const std::shared_ptr<Program>& prog, bool adjacency) const;
  // Draws only the given runs of the element list, as triangles, in one call.
  void drawRanges(const std::vector<IndexRange>& ranges) const;

  const std::vector<float>& getPositions() const { return positions; }
  const std::vector<float>& getNormals() const { return normals; }
  const std::vector<unsigned int>& getElements() const { return elements; }
  bool hasTexCoordBuffer() const { return texCoordBuffer != 0; }

  glm::vec3 min{0.0f};
  glm::vec3 max{0.0f};

 private:
  void computeNormals();

  std::vector<unsigned int> elements;
  std::vector<float> positions;
  std::vector<float> normals;
  std::vector<float> texCoords;
  GLuint elementBuffer = 0;
  GLuint positionBuffer = 0;
  GLuint normalBuffer = 0;
  GLuint texCoordBuffer = 0;
  GLuint vertexArray = 0;
  bool ignoreTexCoords = true;
};

// Sub-object names whose texture coordinates are uploaded; all other meshes are drawn untextured.
bool isTexturedObjName(const std::string& name);
