// The GL error wrapper reports the failing call with its file and line, marks errors left by
// earlier unwrapped calls, and is one statement, so a GL fault is found where it arose.
#include <string>

#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "gl/GLSL.h"
#include "GLTestContext.h"

using GLWrapTest = GLTest;

TEST_F(GLWrapTest, BlamesEarlierUnwrappedCallsBeforeTheWrappedOne) {
  glEnable(0xFFFF);  // GL_INVALID_ENUM, unwrapped
  CaptureStdout out;
  const int line = __LINE__ + 1;
  GL_WRAP(glBindBuffer(GL_ARRAY_BUFFER, 0));
  const std::string file = __FILE__;
  EXPECT_EQ(out.stop(), "OpenGL error in file '" + file + "' at line " + std::to_string(line) +
                            " calling function '{{BEFORE}} glBindBuffer(GL_ARRAY_BUFFER, 0)': "
                            "'Invalid enum' '1280 0x500'\n");
}

TEST_F(GLWrapTest, ReportsTheCallsOwnErrorWithItsSourceText) {
  CaptureStdout out;
  const int line = __LINE__ + 1;
  GL_WRAP(glUseProgram(0xFFFFFF));
  const std::string file = __FILE__;
  EXPECT_EQ(out.stop(), "OpenGL error in file '" + file + "' at line " + std::to_string(line) +
                            " calling function 'glUseProgram(0xFFFFFF)': 'Invalid value' "
                            "'1281 0x501'\n");
}

TEST_F(GLWrapTest, IsOneStatementAfterAnIfWithoutBraces) {
  bool ran = false;
  CaptureStdout out;
  if (ran)
    GL_WRAP(glUseProgram(0xFFFFFF));
  else
    ran = true;
  EXPECT_TRUE(ran);
  EXPECT_EQ(out.stop(), "");
}

TEST_F(GLWrapTest, SafeAttributeCallsSkipNegativeLocations) {
  enableVertexAttribArray(-1);
  vertexAttribPointer(-1, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
  disableVertexAttribArray(-1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
