#pragma once

// An image texture for the rocks and anything else drawn with a picture on it.

#include <string>

#include <glad/gl.h>

// A mip-mapped 2D RGB texture loaded from an image file and bound to a fixed texture unit.
class Texture {
 public:
  Texture() = default;
  virtual ~Texture() = default;

  void setFilename(const std::string& f) { filename = f; }
  void setUnit(GLint u) { unit = u; }
  void init();
  void bind(GLint handle) const;
  void unbind() const;
  void setWrapModes(GLint wrapS, GLint wrapT) const;

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  GLuint getID() const { return textureName; }

 private:
  std::string filename;
  int width = 0;
  int height = 0;
  GLuint textureName = 0;
  GLint unit = 0;
};
