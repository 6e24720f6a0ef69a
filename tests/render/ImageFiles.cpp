// Writes the small PNG files the texture and sky tests load, in a temporary directory
// that goes with the test.
#include "ImageFiles.h"

#include <cstdlib>
#include <filesystem>

#include <stb_image_write.h>

ImageDir::ImageDir() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "galeskerry-images-XXXXXX").string();
  dir = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

ImageDir::~ImageDir() {
  if (!dir.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
}

std::string ImageDir::writePng(const std::string& name, int width, int height, int channels,
                               const std::vector<unsigned char>& pixels) const {
  const std::string file = dir + "/" + name;
  stbi_write_png(file.c_str(), width, height, channels, pixels.data(), width * channels);
  return file;
}

std::vector<unsigned char> patternPixels(int width, int height, int channels, int salt) {
  std::vector<unsigned char> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < channels; ++c) {
        pixels.push_back(static_cast<unsigned char>(salt + 7 * x + 41 * y + 89 * c));
      }
    }
  }
  return pixels;
}

std::vector<unsigned char> solidPixels(int width, int height, int channels,
                                       const std::vector<unsigned char>& colour) {
  std::vector<unsigned char> pixels;
  for (int i = 0; i < width * height; ++i) {
    pixels.insert(pixels.end(), colour.begin(), colour.begin() + channels);
  }
  return pixels;
}
