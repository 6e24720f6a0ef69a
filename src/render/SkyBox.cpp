// Loading the six sky images into a cube map.
#include "render/SkyBox.h"

#include <array>
#include <iostream>
#include <memory>

#include <stb_image.h>

namespace {

constexpr size_t CubeFaces = 6;

struct FreeImage {
  void operator()(unsigned char* data) const { stbi_image_free(data); }
};

struct FaceImage {
  std::unique_ptr<unsigned char, FreeImage> pixels;
  int width = 0;
  int height = 0;
};

}  // namespace

GLuint loadCubeMap(const std::string& dir, const std::vector<std::string>& faces) {
  GLuint textureID = 0;
  glGenTextures(1, &textureID);
  glBindTexture(GL_TEXTURE_CUBE_MAP, textureID);

  // Cube-map faces are laid out top row first, unlike the flipped 2D textures.
  stbi_set_flip_vertically_on_load(0);
  std::array<FaceImage, CubeFaces> images;
  int errors = 0;
  // The first face read sets the size every face must have.
  int size = 0;
  for (size_t i = 0; i < faces.size() && i < CubeFaces; ++i) {
    const std::string path = dir + faces[i];
    FaceImage& image = images[i];
    int nrChannels = 0;
    // Always RGB, whatever the file holds, to match the 3-byte upload.
    image.pixels.reset(stbi_load(path.c_str(), &image.width, &image.height, &nrChannels, 3));
    if (!image.pixels) {
      std::cout << "failed to load: " << path << std::endl;
      ++errors;
    } else if (image.width != image.height || (size != 0 && image.width != size)) {
      std::cout << "sky face " << path << " is " << image.width << "x" << image.height
                << ", not square and as large as the first face; drawn black" << std::endl;
      image.pixels.reset();
      ++errors;
    } else if (size == 0) {
      size = image.width;
    }
  }
  if (faces.size() < CubeFaces) {
    std::cout << "sky box has " << faces.size() << " faces of 6; the others are drawn black"
              << std::endl;
    errors += static_cast<int>(CubeFaces - faces.size());
  } else if (faces.size() > CubeFaces) {
    std::cout << "sky box names " << faces.size() << " faces; only the first 6 are used"
              << std::endl;
  }
  if (size == 0) {
    size = 1;
  }

  const std::vector<unsigned char> black(static_cast<size_t>(size) * static_cast<size_t>(size) * 3,
                                         0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (size_t i = 0; i < CubeFaces; ++i) {
    const unsigned char* pixels = images[i].pixels ? images[i].pixels.get() : black.data();
    glTexImage2D(static_cast<GLenum>(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i), 0, GL_RGB, size, size, 0,
                 GL_RGB, GL_UNSIGNED_BYTE, pixels);
  }
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);

  if (glGetError() != GL_NO_ERROR) {
    ++errors;
  }
  std::cout << " creating cube map any errors : " << errors << std::endl;
  std::cout << "textureID: " << textureID << std::endl;
  return textureID;
}
