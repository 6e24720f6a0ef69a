#include <cstdio>
#include <iostream>
#include <string>

#include "Application.h"
#include "FrameTiming.h"
#include "WindowManager.h"

int main(int argc, char** argv) {
  std::string resourceDir = "../resources";
  if (argc >= 2) {
    resourceDir = argv[1];
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

    application->update(static_cast<float>(currentTime - lastTime));
    *deltaTime = currentTime - lastTime;
    lastTime = currentTime;
  }

  // The application releases GL objects, so it goes while its context still exists.
  delete application;
  windowManager->shutdown();
  delete windowManager;
  return 0;
}
