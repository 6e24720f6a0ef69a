#pragma once

// The model and projection matrix stack the draws compose their transforms on.

#include <deque>

#include <glm/glm.hpp>

// A stack of model or projection transforms in the manner of the classic GL matrix stack.
// Every composition multiplies the top on the right, so the last one composed applies first.
class MatrixStack {
 public:
  static constexpr size_t MaxMatrixSize = 100;

  MatrixStack();

  void pushMatrix();
  void popMatrix();

  void loadIdentity();
  void multMatrix(const glm::mat4& M);
  void translate(const glm::vec3& offset);
  void scale(const glm::vec3& scaleV);
  void scale(float size);
  void rotate(float angle, const glm::vec3& axis);
  void ortho(float left, float right, float bottom, float top, float zNear, float zFar);
  void perspective(float fovy, float aspect, float zNear, float zFar);
  void frustum(float left, float right, float bottom, float top, float zNear, float zFar);
  void lookAt(const glm::vec3& eye, const glm::vec3& target, const glm::vec3& up);

  const glm::mat4& topMatrix() const;
  size_t size() const { return stack.size(); }

  void print(const char* name) const;
  static void print(const glm::mat4& M, const char* name);

 private:
  std::deque<glm::mat4> stack;
};
