// Scene capture: plays the real game from the start prompt to a won run with scripted keys and
// writes a PNG of each moment worth looking at into the directory given on the command line.
//   galeskerry_capture <outdir> [resourceDir]
// Parts of the game that are missing or fail to load simply draw less.
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <system_error>

#include <stb_image_write.h>

#include "GameSession.h"

namespace fs = std::filesystem;

namespace {

// Simulated frame length: the script's moments do not depend on how fast the machine draws.
constexpr float FrameSeconds = 1.0f / 30.0f;

class Capture {
 public:
  Capture(GameSession& driven, fs::path directory)
      : session(driven), outDir(std::move(directory)) {}

  // Simulates the given time in frames, then draws one more frame and saves it as name.png.
  bool shoot(const std::string& name, float seconds = 0.0f) {
    run(seconds);
    session.drawFrame();
    int width = 0;
    int height = 0;
    const auto pixels = session.readBackBuffer(width, height);
    session.finishFrame(FrameSeconds);
    const fs::path file = outDir / (name + ".png");
    stbi_flip_vertically_on_write(1);
    if (stbi_write_png(file.c_str(), width, height, 3, pixels.data(), width * 3) == 0) {
      std::cerr << "Could not write " << file << std::endl;
      return false;
    }
    std::cout << "wrote " << file.string() << std::endl;
    return true;
  }

  void run(float seconds, const std::function<bool()>& until = nullptr) {
    for (float t = 0.0f; t < seconds; t += FrameSeconds) {
      if (until && until()) {
        return;
      }
      session.step(FrameSeconds);
    }
  }

 private:
  GameSession& session;
  fs::path outDir;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: galeskerry_capture <outdir> [resourceDir]" << std::endl;
    return 2;
  }
  std::error_code error;
  const fs::path outDir = fs::absolute(argv[1], error);
  if (!error) {
    fs::create_directories(outDir, error);
  }
  if (error) {
    std::cerr << "Cannot use " << argv[1] << " for the pictures: " << error.message() << std::endl;
    return 1;
  }
  const std::string resourceDir = argc >= 3 ? argv[2] : "../resources";
  if (!enterExecutableDirectory()) {
    return 1;
  }

  GameSession session;
  if (!session.open(resourceDir)) {
    return 1;
  }
  Application& game = session.game();
  Capture capture(session, outDir);
  bool written = capture.shoot("01_start_prompt");

  session.tap(GLFW_KEY_ENTER);
  session.step(FrameSeconds);
  // Straight to the first of the story's lines.
  game.introTime = 6.0;
  written &= capture.shoot("02_intro_line");

  session.tap(GLFW_KEY_ENTER);
  written &= capture.shoot("03_title", 0.5f);

  session.tap(GLFW_KEY_ENTER);
  session.press(GLFW_KEY_W);
  written &= capture.shoot("04_race_setting_off", 2.0f);
  session.press(GLFW_KEY_A);
  written &= capture.shoot("05_race_turning", 1.5f);
  session.release(GLFW_KEY_A);
  // Wait for a fresh strike of the first bolt, or show the race as it is after a few seconds.
  capture.run(0.5f);
  capture.run(3.0f, [&game] { return game.lightning1.getLifetime() > 0.9f; });
  written &= capture.shoot("06_race_lightning");
  session.release(GLFW_KEY_W);

  session.tap(GLFW_KEY_X);
  written &= capture.shoot("07_lost", 0.5f);

  session.tap(GLFW_KEY_R);
  game.fastMode = true;
  game.boatPos = game.lighthousePos + glm::vec3(0.0f, 2.0f, -15.0f);
  written &= capture.shoot("08_won", 0.5f);
  return written ? 0 : 1;
}
