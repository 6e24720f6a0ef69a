// The asset generator gives the same bytes on every run and names a path it cannot write,
// so a rebuilt resource directory never changes the game by chance.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "Images.h"
#include "Models.h"
#include "ObjWriter.h"

namespace {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The assets come from fixed random state: building them twice must give the same bytes,
// also where the sky faces are computed on several threads at once.
TEST(Generator, IsReproducible) {
  const auto skyOnce = assetgen::makeSkyFaces(32);
  const auto skyAgain = assetgen::makeSkyFaces(32);
  for (size_t face = 0; face < skyOnce.size(); ++face) {
    EXPECT_EQ(skyOnce[face].rgb, skyAgain[face].rgb) << "face " << face;
  }
  EXPECT_EQ(assetgen::makeRockTexture(64).rgb, assetgen::makeRockTexture(64).rgb);

  const std::filesystem::path dir = std::filesystem::temp_directory_path();
  const std::filesystem::path once = dir / "galeskerry_boat_once.obj";
  const std::filesystem::path again = dir / "galeskerry_boat_again.obj";
  std::string error;
  ASSERT_TRUE(assetgen::writeObj(once.string(), assetgen::buildBoat(), error)) << error;
  ASSERT_TRUE(assetgen::writeObj(again.string(), assetgen::buildBoat(), error)) << error;
  EXPECT_EQ(readFile(once), readFile(again));
  std::filesystem::remove(once);
  std::filesystem::remove(again);
}

TEST(Generator, ReportsAnUnwritableModelPath) {
  std::string error;
  EXPECT_FALSE(assetgen::writeObj("/nonexistent-directory/cube.obj", assetgen::buildCube(), error));
  EXPECT_NE(error.find("/nonexistent-directory/cube.obj"), std::string::npos) << error;
}

}  // namespace
