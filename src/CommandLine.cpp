// The game's command line and the check of its resource directory (see CommandLine.h).

#include "CommandLine.h"

#include <filesystem>
#include <system_error>

#include "ResourceNames.h"

const char* const UsageText =
    "Usage: galeskerry [RESOURCE_DIR]\n"
    "       galeskerry --help | --version\n"
    "\n"
    "Steer a small boat through a night storm to the lighthouse within 90 seconds.\n"
    "\n"
    "Options:\n"
    "  RESOURCE_DIR  the directory of the game's models, images and shaders\n"
    "                (default: ../resources, from the directory the game starts in)\n"
    "  -h, --help    show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Keys:\n"
    "  Enter         start prompt, story, title, race; ends a pause\n"
    "  W / S         accelerate / brake and reverse\n"
    "  A / D         turn left / right\n"
    "  Mouse         look around\n"
    "  P             pause and resume a race\n"
    "  F11           fullscreen and back\n"
    "  R             restart after a win or a loss\n"
    "  X             give up the run\n"
    "  C             fast mode (no timer, no hits)\n"
    "  Q (hold)      show obstacle boxes\n"
    "  Z (hold)      wireframe\n"
    "  1             release or capture the mouse cursor\n"
    "  Escape        quit\n"
    "\n"
    "Gamepad (standard mapping):\n"
    "  A (south)     as Enter\n"
    "  B (east)      as R\n"
    "  Start         as P\n"
    "  triggers      accelerate (right) / brake and reverse (left)\n"
    "  left stick    steer and set the speed; the d-pad turns too\n"
    "\n"
    "Files:\n"
    "  ../resources  fonts, sounds and the shadow and lightning shaders, always read from\n"
    "                here, relative to the directory the game starts in\n"
    "\n"
    "Environment (read by the libraries the game uses; the game reads none itself):\n"
    "  DISPLAY                the X display the window opens on\n"
    "  ALSOFT_DRIVERS         OpenAL Soft's sound output (null for silence)\n"
    "  LIBGL_ALWAYS_SOFTWARE  1 draws with Mesa's software rasteriser\n";

CommandLine parseCommandLine(int argc, const char* const* argv) {
  CommandLine commandLine;
  bool resourceDirGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      commandLine.action = CommandAction::ShowHelp;
      return commandLine;
    }
    if (argument == "--version") {
      commandLine.action = CommandAction::ShowVersion;
      return commandLine;
    }
    if (!argument.empty() && argument[0] == '-') {
      commandLine.action = CommandAction::RejectUnknownOption;
      commandLine.unknownOption = argument;
      return commandLine;
    }
    if (!resourceDirGiven) {
      commandLine.resourceDir = argument;
      resourceDirGiven = true;
    }
  }
  return commandLine;
}

std::optional<std::string> resourceDirectoryWarning(const std::string& resourceDir) {
  const std::string hint =
      "; pass the game's resource directory as the only argument (see galeskerry --help)";
  std::error_code error;
  if (!std::filesystem::is_directory(resourceDir, error)) {
    return "Galeskerry: resource directory " + resourceDir + " not found" + hint;
  }
  const auto shaderFolder =
      std::filesystem::path(resourceDir + resources::shaders::SimpleVert).parent_path();
  if (!std::filesystem::is_directory(shaderFolder, error)) {
    return "Galeskerry: resource directory " + resourceDir + " has no " +
           shaderFolder.filename().string() + " folder" + hint;
  }
  return std::nullopt;
}
