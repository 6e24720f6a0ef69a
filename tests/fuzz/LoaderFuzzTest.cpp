// Damaged files fed to the loaders that read the game's resources. A loader may refuse a file,
// but it must never crash, read out of bounds (the sanitizer build watches) or hand on data that
// would make the GPU upload read out of bounds.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Mutator.h"
#include "ResourceNames.h"
#include "SoundTestSupport.h"
#include "gl/ObjLoader.h"
#include "sound/SoundDecoder.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

// What the mesh upload relies on: whole vectors, matching attribute arrays, indices in range.
void expectUploadable(const ObjShape& shape) {
  const ObjMesh& mesh = shape.mesh;
  ASSERT_EQ(mesh.positions.size() % 3, 0u) << shape.name;
  const std::size_t vertices = mesh.positions.size() / 3;
  if (!mesh.normals.empty()) {
    ASSERT_EQ(mesh.normals.size(), mesh.positions.size()) << shape.name;
  }
  if (!mesh.texcoords.empty()) {
    ASSERT_EQ(mesh.texcoords.size() / 2, vertices) << shape.name;
  }
  for (const unsigned int index : mesh.indices) {
    ASSERT_LT(index, vertices) << shape.name;
  }
}

TEST(LoaderFuzz, DamagedObjFilesAreRefusedOrLoadUploadable) {
  const std::vector<std::string> corpus = {
      std::string(GALESKERRY_TEST_FIXTURES) + "/seam.obj",
      std::string(GALESKERRY_TEST_FIXTURES) + "/three_parts.obj",
      std::string(GALESKERRY_RESOURCE_DIR) + resources::CubeModel,
      std::string(GALESKERRY_RESOURCE_DIR) + resources::RockModel,
  };
  TempDir dir;
  const std::string damaged = dir.file("damaged.obj");
  const int cases = fuzzCaseCount(250);
  for (std::size_t file = 0; file < corpus.size(); ++file) {
    const std::string original = readFile(corpus[file]);
    ASSERT_FALSE(original.empty()) << corpus[file];
    for (int i = 0; i < cases; ++i) {
      const auto stream = static_cast<std::uint32_t>(file * 1000003u + static_cast<unsigned>(i));
      SCOPED_TRACE(corpus[file] + ", case " + std::to_string(stream));
      writeFile(damaged, Mutator(stream).mutate(original));
      std::vector<ObjShape> shapes;
      std::vector<tinyobj::material_t> materials;
      std::string error;
      if (loadObj(shapes, materials, error, damaged, nullptr)) {
        for (const ObjShape& shape : shapes) {
          expectUploadable(shape);
        }
      }
      if (HasFatalFailure()) {
        return;
      }
    }
  }
}

TEST(LoaderFuzz, DamagedOggFilesAreRefusedOrDecodeWithinBounds) {
  TempDir dir;
  const std::string clean = dir.file("clean.ogg");
  writeToneOgg(clean, {440.0, 0.5, 0.5, 2, 44100});
  const std::string original = readFile(clean);
  ASSERT_FALSE(original.empty());

  const std::string damaged = dir.file("damaged.ogg");
  const int cases = fuzzCaseCount(300);
  std::vector<std::int16_t> frames(2 * 4096);
  for (int i = 0; i < cases; ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    writeFile(damaged, Mutator(static_cast<std::uint32_t>(i)).mutate(original));
    std::string error;
    const auto decoder = sound::OggDecoder::open(damaged, error);
    if (!decoder) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    ASSERT_TRUE(decoder->channels() == 1 || decoder->channels() == 2);
    ASSERT_GT(decoder->sampleRate(), 0);
    // Decode twice over, as a looping voice does; a damaged file must still come to an end.
    for (int pass = 0; pass < 2; ++pass) {
      std::size_t total = 0;
      std::size_t got = 0;
      while ((got = decoder->read(frames.data(), frames.size() / 2)) > 0) {
        ASSERT_LE(got, frames.size() / 2);
        total += got;
        ASSERT_LT(total, 44100u * 60u) << "a half-second file decoded to over a minute";
      }
      if (!decoder->rewind()) {
        break;
      }
    }
  }
}

}  // namespace
