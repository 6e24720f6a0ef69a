// The matrix stack's push, pop and compositions.
#include "gl/MatrixStack.h"

#include <cassert>
#include <cstdio>

#include <glm/gtc/matrix_transform.hpp>

MatrixStack::MatrixStack() { stack.push_back(glm::mat4(1.0f)); }

void MatrixStack::pushMatrix() {
  stack.push_back(stack.back());
  assert(stack.size() < MaxMatrixSize);
}

void MatrixStack::popMatrix() {
  assert(!stack.empty());
  stack.pop_back();
  assert(!stack.empty());
}

void MatrixStack::loadIdentity() { stack.back() = glm::mat4(1.0f); }

void MatrixStack::multMatrix(const glm::mat4& M) { stack.back() *= M; }

void MatrixStack::translate(const glm::vec3& offset) {
  stack.back() *= glm::translate(glm::mat4(1.0f), offset);
}

void MatrixStack::scale(const glm::vec3& scaleV) {
  stack.back() *= glm::scale(glm::mat4(1.0f), scaleV);
}

void MatrixStack::scale(float size) { scale(glm::vec3(size)); }

void MatrixStack::rotate(float angle, const glm::vec3& axis) {
  stack.back() *= glm::rotate(glm::mat4(1.0f), angle, axis);
}

void MatrixStack::ortho(float left, float right, float bottom, float top, float zNear,
                        float zFar) {
  assert(left != right);
  assert(bottom != top);
  assert(zFar != zNear);
  stack.back() *= glm::ortho(left, right, bottom, top, zNear, zFar);
}

void MatrixStack::perspective(float fovy, float aspect, float zNear, float zFar) {
  stack.back() *= glm::perspective(fovy, aspect, zNear, zFar);
}

void MatrixStack::frustum(float left, float right, float bottom, float top, float zNear,
                          float zFar) {
  stack.back() *= glm::frustum(left, right, bottom, top, zNear, zFar);
}

void MatrixStack::lookAt(const glm::vec3& eye, const glm::vec3& target, const glm::vec3& up) {
  stack.back() *= glm::lookAt(eye, target, up);
}

const glm::mat4& MatrixStack::topMatrix() const { return stack.back(); }

void MatrixStack::print(const char* name) const { print(topMatrix(), name); }

void MatrixStack::print(const glm::mat4& M, const char* name) {
  if (name != nullptr) {
    std::printf("%s = [\n", name);
  }
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      std::printf("%- 5.2f ", static_cast<double>(M[i][j]));
    }
    std::printf("\n");
  }
  if (name != nullptr) {
    std::printf("];");
  }
  std::printf("\n");
}
