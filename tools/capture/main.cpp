// Scene capture: plays the real game from the start prompt to a won run with scripted keys and
// writes a PNG of each moment worth looking at into the directory given on the command line:
// the screens, the race setting off, turning, in the rain and at a lightning strike, a loss
// and a win.
//   galeskerry_capture [--small] <outdir> [resourceDir]
// --small writes half-size JPEG files instead, small enough to keep in the repository.
// Parts of the game that are missing or fail to load simply draw less.
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include <stb_image_write.h>

#include "GameSession.h"

namespace fs = std::filesystem;

namespace {

// Simulated frame length: the script's moments do not depend on how fast the machine draws.
constexpr float FrameSeconds = 1.0f / 30.0f;

class Capture {
 public:
  Capture(GameSession& driven, fs::path directory, bool smallFiles)
      : session(driven), outDir(std::move(directory)), small(smallFiles) {}

  // Simulates the given time in frames, then draws one more frame and saves it as name.png.
  bool shoot(const std::string& name, float seconds = 0.0f) {
    run(seconds);
    session.drawFrame();
    int width = 0;
    int height = 0;
    const auto pixels = session.readBackBuffer(width, height);
    session.finishFrame(FrameSeconds);
    stbi_flip_vertically_on_write(1);
    const fs::path file = outDir / (name + (small ? ".jpg" : ".png"));
    const bool saved =
        small ? writeHalfSizeJpeg(file, pixels, width, height)
              : stbi_write_png(file.c_str(), width, height, 3, pixels.data(), width * 3) != 0;
    if (!saved) {
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
  // Every output pixel is the mean of a 2 × 2 block: the film grain averages out instead of
  // aliasing, and the file is a fraction of the size.
  static bool writeHalfSizeJpeg(const fs::path& file, const std::vector<unsigned char>& pixels,
                                int width, int height) {
    constexpr int Quality = 88;
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    std::vector<unsigned char> half(static_cast<size_t>(halfWidth) * halfHeight * 3);
    for (int y = 0; y < halfHeight; ++y) {
      for (int x = 0; x < halfWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
          int sum = 0;
          for (int dy = 0; dy < 2; ++dy) {
            for (int dx = 0; dx < 2; ++dx) {
              sum += pixels[(static_cast<size_t>(2 * y + dy) * width + (2 * x + dx)) * 3 + c];
            }
          }
          half[(static_cast<size_t>(y) * halfWidth + x) * 3 + c] =
              static_cast<unsigned char>((sum + 2) / 4);
        }
      }
    }
    return stbi_write_jpg(file.c_str(), halfWidth, halfHeight, 3, half.data(), Quality) != 0;
  }

  GameSession& session;
  fs::path outDir;
  bool small;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool small = !arguments.empty() && arguments.front() == "--small";
  if (small) {
    arguments.erase(arguments.begin());
  }
  if (arguments.empty()) {
    std::cerr << "usage: galeskerry_capture [--small] <outdir> [resourceDir]" << std::endl;
    return 2;
  }
  std::error_code error;
  const fs::path outDir = fs::absolute(arguments[0], error);
  if (!error) {
    fs::create_directories(outDir, error);
  }
  if (error) {
    std::cerr << "Cannot use " << arguments[0] << " for the pictures: " << error.message()
              << std::endl;
    return 1;
  }
  const std::string resourceDir = arguments.size() >= 2 ? arguments[1] : "../resources";
  if (!enterExecutableDirectory()) {
    return 1;
  }

  GameSession session;
  if (!session.open(resourceDir)) {
    return 1;
  }
  Application& game = session.game();
  Capture capture(session, outDir, small);
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
  // Back on the first heading, across the swell, so that the bow drives up its faces.
  session.press(GLFW_KEY_D);
  capture.run(1.5f);
  session.release(GLFW_KEY_D);
  // Rain without a flash, with the bow driving up a swell so that spray flies.
  capture.run(8.0f, [&game] {
    return game.bowSpray() > 0.5f && game.stormLight(game.camera.getEye()).flash < 0.02f;
  });
  written &= capture.shoot("06_race_rain");
  // The storm strikes wherever it likes, mostly out of sight; for the picture a pair is struck
  // ahead of the boat, a moment after the schedule's own strike so that this pair is the one
  // drawn.
  capture.run(3.0f, [&game] { return game.lightning1.getLifetime() > 0.9f; });
  const glm::vec3 ahead = game.boatPos + 140.0f * game.boatDir;
  const glm::vec3 side = glm::normalize(glm::cross(game.boatDir, glm::vec3(0.0f, 1.0f, 0.0f)));
  const glm::vec3 top = glm::vec3(ahead.x, 100.0f, ahead.z) + 25.0f * side;
  game.lightning1.strike(top, glm::vec3(top.x - 15.0f * side.x, 0.0f, top.z - 15.0f * side.z),
                         game.camera.getEye());
  // Taken in the strike's own frame, at the height of its flash.
  written &= capture.shoot("07_race_lightning");
  session.release(GLFW_KEY_W);

  session.tap(GLFW_KEY_X);
  written &= capture.shoot("08_lost", 0.5f);

  // A new run, sailed home from just short of the lighthouse so the camera comes along.
  session.tap(GLFW_KEY_R);
  game.timeLeft = 52.0;
  game.boatPos = game.lighthousePos + glm::vec3(0.0f, 2.0f, -60.0f);
  game.boatDir = glm::vec3(0.0f, 0.0f, 1.0f);
  game.camera.eye = glm::vec3(game.boatPos.x, game.camera.eye.y, game.boatPos.z - 5.0f);
  session.press(GLFW_KEY_W);
  capture.run(20.0f, [&game] { return game.won; });
  session.release(GLFW_KEY_W);
  written &= capture.shoot("09_won", 0.5f);
  return written ? 0 : 1;
}
