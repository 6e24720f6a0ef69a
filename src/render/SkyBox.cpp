#include <iostream>

#include <stb_image.h>

#include "render/SkyBox.h"

GLuint loadCubeMap(const std::string& dir, const std::vector<std::string>& faces) {
  GLuint textureID = 0;
  glGenTextures(1, &textureID);
  glBindTexture(GL_TEXTURE_CUBE_MAP, textureID);

  // Cube-map faces are laid out top row first, unlike the flipped 2D textures.
  stbi_set_flip_vertically_on_load(0);
  for (size_t i = 0; i < faces.size(); ++i) {
    const std::string path = dir + faces[i];
    int width = 0;
    int height = 0;
    int nrChannels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &nrChannels, 0);
    if (data != nullptr) {
      glTexImage2D(static_cast<GLenum>(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i), 0, GL_RGB, width,
                   height, 0, GL_RGB, GL_UNSIGNED_BYTE, data);
      stbi_image_free(data);
    } else {
      std::cout << "failed to load: " << path << std::endl;
    }
  }
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);

  const GLenum err = glGetError();
  std::cout << " creating cube map any errors : " << err << std::endl;
  std::cout << "textureID: " << textureID << std::endl;
  return textureID;
}
