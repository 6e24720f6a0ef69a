// The command line as a player types it: options, the resource directory, mistakes, and the
// warning for a resource directory the game cannot use.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CommandLine.h"

namespace {

struct ParseCase {
  std::vector<const char*> arguments;  // after the program name
  CommandAction action;
  std::string resourceDir;
  std::string unknownOption;
};

CommandLine parse(const std::vector<const char*>& arguments) {
  std::vector<const char*> argv{"galeskerry"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, ReadsOptionsAndTheResourceDirectory) {
  const std::vector<ParseCase> cases{
      {{}, CommandAction::Play, "../resources", ""},
      {{"/opt/sea"}, CommandAction::Play, "/opt/sea", ""},
      {{"/opt/sea", "/ignored"}, CommandAction::Play, "/opt/sea", ""},
      {{"--help"}, CommandAction::ShowHelp, "../resources", ""},
      {{"-h"}, CommandAction::ShowHelp, "../resources", ""},
      {{"--version"}, CommandAction::ShowVersion, "../resources", ""},
      {{"/opt/sea", "--help"}, CommandAction::ShowHelp, "/opt/sea", ""},
      {{"--bogus"}, CommandAction::RejectUnknownOption, "../resources", "--bogus"},
      {{"-x"}, CommandAction::RejectUnknownOption, "../resources", "-x"},
      {{"-"}, CommandAction::RejectUnknownOption, "../resources", "-"},
      {{"/opt/sea", "--fullscreen"}, CommandAction::RejectUnknownOption, "/opt/sea", "--fullscreen"},
      {{"./-odd-name"}, CommandAction::Play, "./-odd-name", ""},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const char* argument : c.arguments) line += std::string(" ") + argument;
    SCOPED_TRACE("galeskerry" + line);
    const CommandLine commandLine = parse(c.arguments);
    EXPECT_EQ(commandLine.action, c.action);
    EXPECT_EQ(commandLine.resourceDir, c.resourceDir);
    EXPECT_EQ(commandLine.unknownOption, c.unknownOption);
  }
}

class ResourceDirectoryWarning : public ::testing::Test {
 protected:
  void SetUp() override {
    root = std::filesystem::temp_directory_path() /
           ("galeskerry-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "complete" / "shaders");
    std::filesystem::create_directories(root / "without-shaders" / "models");
    std::ofstream(root / "a-file") << "not a directory";
    std::filesystem::create_directories(root / "file-for-shaders");
    std::ofstream(root / "file-for-shaders" / "shaders") << "not a directory";
  }
  void TearDown() override { std::filesystem::remove_all(root); }
  std::filesystem::path root;
};

TEST_F(ResourceDirectoryWarning, NamesTheDirectoryOnlyWhenItCannotBeTheGames) {
  struct Case {
    std::string dir;
    std::string expectedPart;  // empty: no warning
  };
  const std::vector<Case> cases{
      {(root / "complete").string(), ""},
      {(root / "complete").string() + "/", ""},
      {(root / "missing").string(), " not found"},
      {(root / "a-file").string(), " not found"},
      {(root / "without-shaders").string(), " has no shaders folder"},
      {(root / "file-for-shaders").string(), " has no shaders folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dir);
    const auto warning = resourceDirectoryWarning(c.dir);
    if (c.expectedPart.empty()) {
      EXPECT_FALSE(warning.has_value()) << *warning;
      continue;
    }
    ASSERT_TRUE(warning.has_value());
    EXPECT_EQ(warning->find('\n'), std::string::npos) << "one line";
    EXPECT_NE(warning->find("resource directory " + c.dir + c.expectedPart), std::string::npos)
        << *warning;
    EXPECT_NE(warning->find("pass the game's resource directory"), std::string::npos) << *warning;
  }
}

}  // namespace
