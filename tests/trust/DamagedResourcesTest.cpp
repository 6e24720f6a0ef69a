// Every file the game reads, in turn missing, empty, cut to half or replaced by random bytes, in
// a copy of the resource directory. The game must start, say which file is wrong, play on
// through a race (its sounds, a loss and a win included) without a growing stream of errors,
// and close on Escape.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "GameRun.h"
#include "ResourceNames.h"

namespace fs = std::filesystem;

namespace {

enum class Damage { Missing, Empty, Halved, RandomBytes };

struct DamageCase {
  std::string file;  // inside the resource directory
  Damage damage;
};

void PrintTo(const DamageCase& damage, std::ostream* out) {
  static const char* const damageNames[] = {"missing", "empty", "halved", "random bytes"};
  *out << damage.file << " " << damageNames[static_cast<int>(damage.damage)];
}

std::vector<std::string> everyResourceFile() {
  using namespace resources;
  std::vector<std::string> files;
  for (const char* name :
       {WaterModel, WhirlpoolModel, ArrowModel, RockModel, TentacleModel, LighthouseModel,
        CubeModel, BoatModel, RockTexture, Font, IntroMusic, TitleMusic, RaceMusic, StormAmbience,
        LossSting, WinMusic, Thunder, shaders::SimpleVert, shaders::SimpleFrag,
        shaders::LighthouseVert, shaders::LighthouseFrag, shaders::WaveVert, shaders::WaveFrag,
        shaders::ArrowVert, shaders::ArrowFrag, shaders::CubeVert, shaders::CubeFrag,
        shaders::TexVert, shaders::TexFrag, shaders::TextVert, shaders::TextFrag,
        shaders::PassthroughVert, shaders::PostProcessFrag, shaders::DepthDebugFrag,
        shaders::OutlineVert, shaders::OutlineFrag, shaders::DepthVert, shaders::DepthFrag,
        shaders::LightningVert, shaders::LightningFrag}) {
    files.emplace_back(inResourceDir(name));
  }
  for (const char* face : SkyBoxFaces) {
    files.push_back(std::string(inResourceDir(SkyBoxDirectory)) + face);
  }
  return files;
}

std::vector<DamageCase> everyCase() {
  std::vector<DamageCase> cases;
  for (const std::string& file : everyResourceFile()) {
    for (const Damage damage : {Damage::Missing, Damage::Empty, Damage::Halved,
                                Damage::RandomBytes}) {
      cases.push_back({file, damage});
    }
  }
  return cases;
}

std::string caseName(const ::testing::TestParamInfo<DamageCase>& info) {
  static const char* const damageNames[] = {"Missing", "Empty", "Halved", "RandomBytes"};
  std::string name;
  for (const char c : info.param.file) {
    if (c == '+' || c == '-') {
      name += c == '+' ? "Plus" : "Minus";
    } else {
      name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
  }
  return name + "_" + damageNames[static_cast<int>(info.param.damage)];
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DamagedResource : public GameRun, public ::testing::WithParamInterface<DamageCase> {
 protected:
  void TearDown() override {
    GameRun::TearDown();
    if (!originalDirectory.empty()) {
      fs::current_path(originalDirectory);
      fs::remove_all(root);
    }
  }

  // A copy of build/bin's surroundings, links to the real files but for the damaged one, entered
  // as the game's working directory so that the fixed "../resources" paths see it too.
  void enterDamagedCopy(const DamageCase& damage) {
    root = fs::temp_directory_path() / ("galeskerry_damaged_" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "bin");
    const fs::path source = fs::canonical("../resources");
    const fs::path copy = root / "resources";
    fs::create_directories(copy);
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
      const fs::path relative = fs::relative(entry.path(), source);
      if (entry.is_directory()) {
        fs::create_directories(copy / relative);
      } else if (relative != damage.file) {
        fs::create_symlink(entry.path(), copy / relative);
      }
    }
    const std::string original = readFile(source / damage.file);
    ASSERT_FALSE(original.empty()) << damage.file;
    std::ofstream out(copy / damage.file, std::ios::binary);
    switch (damage.damage) {
      case Damage::Missing:
        out.close();
        fs::remove(copy / damage.file);
        break;
      case Damage::Empty:
        break;
      case Damage::Halved:
        out << original.substr(0, original.size() / 2);
        break;
      case Damage::RandomBytes: {
        std::mt19937 bytes(static_cast<std::uint32_t>(original.size()));
        for (std::size_t i = 0; i < std::min<std::size_t>(original.size(), 1 << 16); ++i) {
          out.put(static_cast<char>(bytes()));
        }
        break;
      }
    }
    originalDirectory = fs::current_path();
    fs::current_path(root / "bin");
  }

  fs::path root;
  fs::path originalDirectory;
};

int lineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST_P(DamagedResource, GameSaysWhichFileAndPlaysOn) {
  const DamageCase& damage = GetParam();
  enterDamagedCopy(damage);
  if (HasFatalFailure()) {
    return;
  }
  const std::string startUp = startGame();

  // Through the intro and the title into a race, as a player would, so that every sound is
  // asked for; then a loss and a win.
  watchOutput();
  frame();
  tap(GLFW_KEY_ENTER);
  frame();
  tap(GLFW_KEY_ENTER);
  frame();
  tap(GLFW_KEY_ENTER);
  tap(GLFW_KEY_C);  // no hits from a random field: the script decides how the run ends
  press(GLFW_KEY_W);
  play(1.0f, 4);
  tap(GLFW_KEY_X);
  frame();
  tap(GLFW_KEY_R);
  app->boatPos = app->lighthousePos + glm::vec3(0.0f, 0.0f, -15.0f);
  frame();
  frame();
  const std::string firstSecond = stopWatching();

  // Once everything has been asked for, more frames print nothing more.
  watchOutput();
  tap(GLFW_KEY_R);
  play(1.0f, 2);
  const std::string later = stopWatching();

  const std::string printed = startUp + firstSecond;
  const std::string fileName = fs::path(damage.file).filename().string();
  const bool named = printed.find(fileName) != std::string::npos;
  if (damage.damage == Damage::Missing || damage.damage == Damage::Empty) {
    EXPECT_TRUE(named) << "nothing names " << damage.file << " in:\n" << printed;
  }
  EXPECT_LE(lineCount(firstSecond), 12) << firstSecond;
  EXPECT_EQ(lineCount(later), 0) << later;

  tap(GLFW_KEY_ESCAPE);
  EXPECT_TRUE(glfwWindowShouldClose(window));
}

INSTANTIATE_TEST_SUITE_P(EveryFile, DamagedResource, ::testing::ValuesIn(everyCase()), caseName);

}  // namespace
