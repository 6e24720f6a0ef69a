// The asset generator: writes every model, image, sky face, sound and icon the game reads,
// so that nothing in the repository comes from elsewhere.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "Icon.h"
#include "Images.h"
#include "Models.h"
#include "ObjWriter.h"

#include "SoundGenerator.h"
#include "ResourceNames.h"

namespace fs = std::filesystem;

namespace {

constexpr int SkyFaceSize = 1024;
constexpr int RockTextureSize = 1024;
constexpr int RockJpegQuality = 92;

bool ensureParent(const fs::path& file, std::string& error) {
  std::error_code code;
  fs::create_directories(file.parent_path(), code);
  if (code) {
    error = "cannot create " + file.parent_path().string() + ": " + code.message();
    return false;
  }
  return true;
}

void report(const fs::path& file) {
  std::error_code code;
  const auto bytes = fs::file_size(file, code);
  std::cout << "  " << file.string() << " (" << (code ? 0 : bytes) << " bytes)\n";
}

bool writeModels(const fs::path& outDir) {
  for (const assetgen::ModelFile& model : assetgen::modelFiles()) {
    const fs::path file = outDir / model.path;
    std::string error;
    if (!ensureParent(file, error) || !assetgen::writeObj(file.string(), model.build(), error)) {
      std::cerr << "galeskerry_assetgen: " << error << '\n';
      return false;
    }
    report(file);
  }
  return true;
}

bool writeImages(const fs::path& outDir) {
  std::string error;
  const fs::path rock = outDir / resources::inResourceDir(resources::RockTexture);
  if (!ensureParent(rock, error) ||
      !assetgen::writeJpeg(rock.string(), assetgen::makeRockTexture(RockTextureSize),
                           RockJpegQuality, error)) {
    std::cerr << "galeskerry_assetgen: " << error << '\n';
    return false;
  }
  report(rock);
  const auto faces = assetgen::makeSkyFaces(SkyFaceSize);
  for (int face = 0; face < assetgen::CubeFaceCount; ++face) {
    const fs::path file =
        outDir / resources::inResourceDir(resources::SkyBoxDirectory) /
        resources::SkyBoxFaces[static_cast<size_t>(face)];
    if (!ensureParent(file, error) ||
        !assetgen::writeTga(file.string(), faces[static_cast<size_t>(face)], error)) {
      std::cerr << "galeskerry_assetgen: " << error << '\n';
      return false;
    }
    report(file);
  }
  return true;
}

// The desktop icons, in the layout of an icon theme: <size>x<size>/apps/galeskerry.png.
bool writeIcons(const fs::path& outDir) {
  for (const int size : assetgen::IconSizes) {
    const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
    const fs::path file = outDir / sizeName / "apps" / "galeskerry.png";
    std::string error;
    if (!ensureParent(file, error) ||
        !assetgen::writePng(file.string(), assetgen::makeIcon(size), error)) {
      std::cerr << "galeskerry_assetgen: " << error << '\n';
      return false;
    }
    report(file);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--icons") {
    return writeIcons(argv[2]) ? 0 : 1;
  }
  if (argc != 2 || std::string(argv[1]).empty()) {
    std::cerr << "usage: galeskerry_assetgen <output directory>\n"
                 "       galeskerry_assetgen --icons <icon theme directory>\n"
                 "Writes the game's models, images and sounds, or its desktop icons, into the "
                 "directory.\n";
    return 2;
  }
  const fs::path outDir(argv[1]);
  std::error_code code;
  fs::create_directories(outDir, code);
  if (code || !fs::is_directory(outDir)) {
    std::cerr << "galeskerry_assetgen: cannot use " << outDir.string() << " as output directory"
              << (code ? ": " + code.message() : std::string()) << '\n';
    return 1;
  }

  const auto start = std::chrono::steady_clock::now();
  const auto secondsSinceStart = [start] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  std::cout << "Generating assets into " << outDir.string() << '\n';
  bool ok = writeModels(outDir);
  std::cout << "Models written after " << secondsSinceStart() << " s\n";
  ok = ok && writeImages(outDir);
  std::cout << "Images written after " << secondsSinceStart() << " s\n";
  ok = ok && generateSounds(outDir.string(), std::cout);
  std::cout << (ok ? "Done" : "Failed") << " after " << secondsSinceStart() << " s\n";
  return ok ? 0 : 1;
}
