// The entry point: reads the command line, opens the window, starts the game up and runs the
// frame loop (shadow pass, frame, swap, events, update) until the window closes.

#include <cstdio>
#include <iostream>
#include <string>

#include "Application.h"
#include "CommandLine.h"
#include "FrameTiming.h"
#include "WindowManager.h"

int main(int argc, char** argv) {
  const CommandLine commandLine = parseCommandLine(argc, argv);
  switch (commandLine.action) {
    case CommandAction::ShowHelp:
      std::fputs(UsageText, stdout);
      return 0;
    case CommandAction::ShowVersion:
      std::puts("Galeskerry " GALESKERRY_VERSION);
      return 0;
    case CommandAction::RejectUnknownOption:
      std::fprintf(stderr, "galeskerry: unknown option %s\n\n", commandLine.unknownOption.c_str());
      std::fputs(UsageText, stderr);
      return UsageExitCode;
    case CommandAction::Play:
      break;
  }
  const std::string& resourceDir = commandLine.resourceDir;
  if (const auto warning = resourceDirectoryWarning(resourceDir)) {
    std::cerr << *warning << std::endl;
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
    const double frameStart = glfwGetTime();
    application->renderDepthPass();
    application->render();
    // The frame is finished before the swap so that its working time, which decides the scene's
    // resolution, leaves out any wait for the display's refresh.
    glFinish();
    const double drawingSeconds = glfwGetTime() - frameStart;

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
    application->adaptRenderScale(drawingSeconds);
    lastTime = currentTime;
  }

  // The application releases GL objects, so it goes while its context still exists.
  delete application;
  windowManager->shutdown();
  delete windowManager;
  return 0;
}
