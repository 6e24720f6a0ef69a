// The entry point: reads the command line, opens the window, starts the game up and runs the
// frame loop (shadow pass, frame, swap, events, update) until the window closes.
#include <cstdio>
#include <iostream>
#include <string>

#include "Application.h"
#include "FrameTiming.h"
#include "WindowManager.h"

namespace {

constexpr const char* Usage =
    "Usage: galeskerry [RESOURCE_DIR]\n"
    "       galeskerry --help | --version\n"
    "\n"
    "Steer a small boat through a night storm to the lighthouse within 90 seconds.\n"
    "RESOURCE_DIR holds the game's models, images and shaders (default: ../resources,\n"
    "relative to the directory the game is started from).\n"
    "\n"
    "Keys: Enter start, W/S speed, A/D turn, mouse look, R restart after a run,\n"
    "X give up, C fast mode, Q show boxes, Z wireframe, 1 free the cursor, Escape quit.\n";

}  // namespace

int main(int argc, char** argv) {
  std::string resourceDir = "../resources";
  if (argc >= 2) {
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
      std::fputs(Usage, stdout);
      return 0;
    }
    if (first == "--version") {
      std::puts("Galeskerry " GALESKERRY_VERSION);
      return 0;
    }
    resourceDir = first;
  }

  auto* application = new Application();
  auto* windowManager = new WindowManager();
  if (!windowManager->init(1080, 810)) {
    std::cerr << "Galeskerry could not open its OpenGL 3.3 window; see the messages above."
              << std::endl;
    delete application;
    delete windowManager;
    return 1;
  }
  application->startUp(windowManager, resourceDir);

  GLFWwindow* window = windowManager->getHandle();
  double lastTime = glfwGetTime();
  double statsStart = lastTime;
  int frameCount = 0;
  while (!glfwWindowShouldClose(window)) {
    application->renderDepthPass();
    application->render();

    const double currentTime = glfwGetTime();
    ++frameCount;
    if (currentTime - statsStart >= FrameStatsWindow) {
      std::fputs(frameStatsLine(frameCount).c_str(), stdout);
      std::fflush(stdout);
      frameCount = 0;
      statsStart += FrameStatsWindow;
    }

    glfwSwapBuffers(window);
    glfwPollEvents();
    application->pollGamepad();

    application->update(static_cast<float>(currentTime - lastTime));
    *deltaTime = currentTime - lastTime;
    application->adaptRenderScale(currentTime - lastTime);
    lastTime = currentTime;
  }

  // The application releases GL objects, so it goes while its context still exists.
  delete application;
  windowManager->shutdown();
  delete windowManager;
  return 0;
}
