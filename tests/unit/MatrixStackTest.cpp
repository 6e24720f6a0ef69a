// The matrix stack the draws compose transforms on: push and pop restore exactly, order
// matters, projections match glm, and overflow or popping the bottom stops at once.
#include <cstring>

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "CaptureOutput.h"
#include "gl/MatrixStack.h"

TEST(MatrixStack, StartsWithOneIdentityMatrix) {
  const MatrixStack stack;
  EXPECT_EQ(stack.size(), 1u);
  EXPECT_EQ(stack.topMatrix(), glm::mat4(1.0f));
}

TEST(MatrixStack, PopRestoresThePushedMatrixBitForBit) {
  MatrixStack stack;
  stack.translate(glm::vec3(1.5f, -2.0f, 3.25f));
  stack.rotate(0.3f, glm::vec3(0.0f, 1.0f, 0.0f));
  const glm::mat4 before = stack.topMatrix();
  stack.pushMatrix();
  stack.scale(glm::vec3(2.0f, 3.0f, 4.0f));
  stack.rotate(1.1f, glm::vec3(1.0f, 1.0f, 0.0f));
  stack.multMatrix(glm::perspective(1.0f, 1.5f, 0.1f, 100.0f));
  stack.popMatrix();
  EXPECT_EQ(0, std::memcmp(&before, &stack.topMatrix(), sizeof before));
}

TEST(MatrixStack, CompositionAppliesTheLastTransformFirst) {
  MatrixStack stack;
  const glm::vec3 offset(10.0f, -4.0f, 7.0f);
  stack.translate(offset);
  stack.scale(2.0f);
  const glm::vec4 moved = stack.topMatrix() * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f);
  EXPECT_EQ(glm::vec3(moved), offset + glm::vec3(2.0f, 0.0f, 0.0f));

  MatrixStack spun;
  spun.translate(offset);
  spun.rotate(glm::radians(90.0f), glm::vec3(0.0f, 1.0f, 0.0f));
  const glm::vec4 turned = spun.topMatrix() * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f);
  EXPECT_NEAR(turned.x, offset.x, 1e-5f);
  EXPECT_NEAR(turned.z, offset.z - 1.0f, 1e-5f);
}

TEST(MatrixStack, ProjectionsMatchGlm) {
  MatrixStack stack;
  stack.perspective(0.8f, 1.25f, 0.1f, 500.0f);
  EXPECT_EQ(stack.topMatrix(), glm::perspective(0.8f, 1.25f, 0.1f, 500.0f));
  stack.loadIdentity();
  stack.ortho(0.0f, 1080.0f, 0.0f, 810.0f, -1.0f, 1.0f);
  EXPECT_EQ(stack.topMatrix(), glm::ortho(0.0f, 1080.0f, 0.0f, 810.0f, -1.0f, 1.0f));
  stack.loadIdentity();
  stack.lookAt(glm::vec3(0, 2, -5), glm::vec3(0), glm::vec3(0, 1, 0));
  EXPECT_EQ(stack.topMatrix(), glm::lookAt(glm::vec3(0, 2, -5), glm::vec3(0), glm::vec3(0, 1, 0)));
}

TEST(MatrixStackDeathTest, HoldsAtMostNinetyNineMatrices) {
  MatrixStack stack;
  for (int i = 0; i < 98; ++i) {
    stack.pushMatrix();
  }
  EXPECT_EQ(stack.size(), 99u);
  EXPECT_DEATH(stack.pushMatrix(), "MaxMatrixSize");
}

TEST(MatrixStackDeathTest, TheBottomMatrixCannotBePopped) {
  MatrixStack stack;
  EXPECT_DEATH(stack.popMatrix(), "empty");
}

TEST(MatrixStack, PrintsOneColumnPerLine) {
  MatrixStack stack;
  stack.translate(glm::vec3(1.0f, -2.0f, 3.0f));

  CaptureStdout named;
  stack.print("M");
  EXPECT_EQ(named.stop(),
            "M = [\n"
            " 1.00  0.00  0.00  0.00 \n"
            " 0.00  1.00  0.00  0.00 \n"
            " 0.00  0.00  1.00  0.00 \n"
            " 1.00 -2.00  3.00  1.00 \n"
            "];\n");

  CaptureStdout unnamed;
  MatrixStack::print(glm::mat4(1.0f), nullptr);
  EXPECT_EQ(unnamed.stop(),
            " 1.00  0.00  0.00  0.00 \n"
            " 0.00  1.00  0.00  0.00 \n"
            " 0.00  0.00  1.00  0.00 \n"
            " 0.00  0.00  0.00  1.00 \n"
            "\n");
}
