#pragma once

// The game's command line: the one optional resource directory, --help and --version, and the
// one-line warning for a resource directory the game cannot use, so that a player who mistyped
// it learns so before the messages of every file the game then fails to read.

#include <optional>
#include <string>

// Printed by --help and after an unknown option; the manual page galeskerry(6) says the same.
extern const char* const UsageText;

// The exit code for a command line the game does not understand.
constexpr int UsageExitCode = 2;

enum class CommandAction { Play, ShowHelp, ShowVersion, RejectUnknownOption };

struct CommandLine {
  CommandAction action = CommandAction::Play;
  std::string resourceDir = "../resources";
  // The argument that was not understood, for RejectUnknownOption.
  std::string unknownOption;
};

// The resource directory is the first plain argument; further arguments are ignored. An argument
// starting with '-' that is not a known option is never taken for a directory.
CommandLine parseCommandLine(int argc, const char* const* argv);

// One line naming the resource directory when it does not exist or lacks the shader folder,
// with the hint to pass one; nothing when the directory looks like the game's.
std::optional<std::string> resourceDirectoryWarning(const std::string& resourceDir);
