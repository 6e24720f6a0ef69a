// Shader programs: building, looking locations up by name, and the messages for missing
// files, compile errors and unknown names, so a broken shader says what failed and where.
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "gl/GLSL.h"
#include "GLTestContext.h"
#include "gl/Program.h"

namespace {

const std::string Shaders = std::string(GALESKERRY_TEST_FIXTURES) + "/shaders/";

std::shared_ptr<Program> makeProgram(const std::string& vert, const std::string& frag,
                                     bool verbose) {
  auto program = std::make_shared<Program>();
  program->setVerbose(verbose);
  program->setShaderNames(Shaders + vert, Shaders + frag, " ");
  return program;
}

}  // namespace

using ProgramTest = GLTest;

TEST_F(ProgramTest, BuildsAndRegistersLocationsByName) {
  const auto program = makeProgram("flat_vert.glsl", "flat_frag.glsl", true);
  ASSERT_TRUE(program->init());
  EXPECT_NE(program->getPID(), 0u);
  GLint linked = 0;
  glGetProgramiv(program->getPID(), GL_LINK_STATUS, &linked);
  EXPECT_EQ(linked, GL_TRUE);

  program->addAttribute("vertPos");
  program->addUniform("M");
  EXPECT_GE(program->getAttribute("vertPos"), 0);
  EXPECT_EQ(program->getUniform("M"), glGetUniformLocation(program->getPID(), "M"));

  // The shaders were deleted once linked into the program.
  GLint attached = -1;
  glGetProgramiv(program->getPID(), GL_ATTACHED_SHADERS, &attached);
  EXPECT_EQ(attached, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ProgramTest, UnknownNamesWarnWhenRegisteredAndWhenNeverRegistered) {
  const auto program = makeProgram("flat_vert.glsl", "flat_frag.glsl", true);
  ASSERT_TRUE(program->init());

  CaptureStderr capturedStderr;
  program->addUniform("noSuchUniform");
  EXPECT_EQ(capturedStderr.stop(),
            "WARN: noSuchUniform cannot be bound (it either doesn't exist or has been optimized "
            "away). safe_glUniform calls will silently ignore it.\n\n");

  CaptureStdout out;
  EXPECT_EQ(program->getUniform("noSuchUniform"), -1);
  EXPECT_EQ(program->getUniform("neverAdded"), -1);
  EXPECT_EQ(program->getAttribute("neverAdded"), -1);
  EXPECT_EQ(out.stop(),
            "neverAdded is not a uniform variable\n"
            "neverAdded is not an attribute variable\n");

  program->setVerbose(false);
  CaptureStdout quiet;
  EXPECT_EQ(program->getUniform("neverAdded"), -1);
  EXPECT_EQ(quiet.stop(), "");
}

TEST_F(ProgramTest, MissingShaderFileFailsWithItsNameOnBothStreams) {
  for (const bool verbose : {true, false}) {
    const auto program = makeProgram("missing_vert.glsl", "flat_frag.glsl", verbose);
    CaptureStderr capturedStderr;
    CaptureStdout out;
    EXPECT_FALSE(program->init());
    const std::string printed = out.stop();
    EXPECT_EQ(capturedStderr.stop(),
              "Could not open file: '" + Shaders + "missing_vert.glsl'\n");
    if (verbose) {
      EXPECT_NE(printed.find("Shader InfoLog:\n"), std::string::npos) << printed;
      const std::string last = "Error compiling vertex shader " + Shaders + "missing_vert.glsl\n";
      ASSERT_GE(printed.size(), last.size());
      EXPECT_EQ(printed.substr(printed.size() - last.size()), last) << printed;
    } else {
      EXPECT_EQ(printed, "");
    }
    EXPECT_EQ(program->getPID(), 0u);
  }
}

TEST_F(ProgramTest, CompileErrorNamesTheFailingStage) {
  const auto program = makeProgram("flat_vert.glsl", "broken_frag.glsl", true);
  CaptureStdout out;
  EXPECT_FALSE(program->init());
  const std::string printed = out.stop();
  EXPECT_NE(printed.find("Error compiling fragment shader " + Shaders + "broken_frag.glsl"),
            std::string::npos)
      << printed;
}

TEST_F(ProgramTest, EmptyGeometryNameIsTreatedAsAPath) {
  auto program = std::make_shared<Program>();
  program->setShaderNames(Shaders + "flat_vert.glsl", Shaders + "flat_frag.glsl", "");
  CaptureStderr capturedStderr;
  CaptureStdout out;
  EXPECT_FALSE(program->init());
  EXPECT_NE(out.stop().find("Error compiling geometry shader"), std::string::npos);
  EXPECT_EQ(capturedStderr.stop(), "Could not open file: ''\n");
}

TEST_F(ProgramTest, CheckVersionAcceptsTheRunningContext) {
  CaptureStdout out;
  checkVersion();
  EXPECT_EQ(out.stop(), "");
}

namespace {

// Live GL names of one kind among the first names handed out, found by asking GL about each.
int liveNames(GLboolean (*isName)(GLuint)) {
  int live = 0;
  for (GLuint name = 1; name < 512; ++name) {
    live += isName(name) == GL_TRUE ? 1 : 0;
  }
  return live;
}

GLboolean isShader(GLuint name) { return glIsShader(name); }
GLboolean isProgram(GLuint name) { return glIsProgram(name); }

}  // namespace

// Whatever stage fails, nothing is left behind and the program draws nothing without GL errors.
TEST_F(ProgramTest, FailedBuildReleasesEverythingAndStaysQuiet) {
  struct Case {
    const char* what;
    std::string vert;
    std::string frag;
    std::string geom;
  };
  const Case cases[] = {
      {"missing vertex file", Shaders + "missing_vert.glsl", Shaders + "flat_frag.glsl", " "},
      {"fragment compile error", Shaders + "flat_vert.glsl", Shaders + "broken_frag.glsl", " "},
      {"geometry file missing", Shaders + "flat_vert.glsl", Shaders + "flat_frag.glsl",
       Shaders + "missing_geom.glsl"},
      {"link error", Shaders + "flat_vert.glsl", Shaders + "no_main_frag.glsl", " "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int shadersBefore = liveNames(isShader);
    const int programsBefore = liveNames(isProgram);
    {
      auto program = std::make_shared<Program>();
      program->setVerbose(false);
      program->setShaderNames(c.vert, c.frag, c.geom);
      CaptureStderr capturedStderr;
      EXPECT_FALSE(program->init());
      capturedStderr.stop();
      EXPECT_FALSE(program->isLinked());
      EXPECT_EQ(program->getPID(), 0u);
      EXPECT_EQ(liveNames(isShader), shadersBefore);
      EXPECT_EQ(liveNames(isProgram), programsBefore);

      CaptureStdout out;
      program->addUniform("M");
      program->addAttribute("vertPos");
      program->bind();
      program->unbind();
      EXPECT_EQ(out.stop(), "");
      EXPECT_EQ(program->getUniform("M"), -1);
      EXPECT_EQ(program->getAttribute("vertPos"), -1);
      EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    EXPECT_EQ(liveNames(isProgram), programsBefore);
  }
}

// A quiet program whose file opens but does not build (empty, damaged) still names its files
// once, so that a damaged resource never fails without a word.
TEST_F(ProgramTest, QuietProgramThatFailsToBuildNamesItsFilesOnce) {
  const std::string empty = ::testing::TempDir() + "empty_vert.glsl";
  std::ofstream(empty).close();
  const auto program = makeProgram("", "flat_frag.glsl", false);
  program->setShaderNames(empty, Shaders + "flat_frag.glsl", " ");
  CaptureStderr capturedStderr;
  CaptureStdout out;
  EXPECT_FALSE(program->init());
  EXPECT_EQ(out.stop(), "");
  EXPECT_EQ(capturedStderr.stop(), "Could not build the shader program of " + empty + " and " +
                                       Shaders + "flat_frag.glsl; what it draws is left out.\n");
}
