#pragma once

// Small PNG files and their pixels for the image-loading tests, so each case names
// exactly what the loader is handed.
#include <string>
#include <vector>

// Small image files written for one test and removed with it.
class ImageDir {
 public:
  ImageDir();
  ~ImageDir();
  ImageDir(const ImageDir&) = delete;
  ImageDir& operator=(const ImageDir&) = delete;

  // Writes a PNG of the given channel count; returns its full path.
  std::string writePng(const std::string& name, int width, int height, int channels,
                       const std::vector<unsigned char>& pixels) const;
  const std::string& path() const { return dir; }

 private:
  std::string dir;
};

// Pixels whose every byte tells its column, row and channel apart.
std::vector<unsigned char> patternPixels(int width, int height, int channels, int salt);
// A solid image of one colour, repeated over its channels.
std::vector<unsigned char> solidPixels(int width, int height, int channels,
                                       const std::vector<unsigned char>& colour);
