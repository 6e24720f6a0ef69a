// Loading an image file into a mip-mapped GL texture.
#include "gl/Texture.h"

#include <iostream>

#include <stb_image.h>

namespace {
bool isPowerOfTwo(int n) { return (n & (n - 1)) == 0; }
}  // namespace

void Texture::init() {
  stbi_set_flip_vertically_on_load(1);
  int w = 0;
  int h = 0;
  int ncomps = 0;
  // Always read as RGB: the upload below is 3 bytes a pixel, whatever the file holds. ncomps still
  // reports the file's own channel count.
  unsigned char* data = stbi_load(filename.c_str(), &w, &h, &ncomps, 3);
  if (data == nullptr) {
    std::cerr << filename << " not found" << std::endl;
    // Nothing was read, so there is nothing to upload; the texture name stays 0 and samples black.
    return;
  }
  if (ncomps != 3) {
    std::cerr << filename << " must have 3 components (RGB)" << std::endl;
  }
  if (!isPowerOfTwo(w) || !isPowerOfTwo(h)) {
    std::cerr << filename << " must be a power of 2" << std::endl;
  }
  width = w;
  height = h;

  glGenTextures(1, &textureName);
  glBindTexture(GL_TEXTURE_2D, textureName);
  // RGB rows of an odd width are not padded to four bytes.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, data);
  glGenerateMipmap(GL_TEXTURE_2D);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glBindTexture(GL_TEXTURE_2D, 0);
  stbi_image_free(data);
}

void Texture::bind(GLint handle) const {
  glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
  glBindTexture(GL_TEXTURE_2D, textureName);
  glUniform1i(handle, unit);
}

void Texture::unbind() const {
  glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
  glBindTexture(GL_TEXTURE_2D, 0);
}

void Texture::setWrapModes(GLint wrapS, GLint wrapT) const {
  glBindTexture(GL_TEXTURE_2D, textureName);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
}
