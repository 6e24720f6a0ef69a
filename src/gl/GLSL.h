#pragma once

// Small GL utilities shared by every GPU class: the checked GL call, error and info-log
// printing, the version check, the framebuffer check and attribute helpers.

#include <glad/gl.h>

// Reports one pending GL error, if any, naming the call, file and line it was noticed at.
void checkGLError(const char* callText, const char* file, int line);

// Runs a GL call between two error tests. The first test blames whatever ran before the call,
// which is why its text carries the "{{BEFORE}} " prefix.
#define GL_WRAP(call)                                                \
  do {                                                               \
    checkGLError("{{BEFORE}} " #call, __FILE__, __LINE__);           \
    call;                                                            \
    checkGLError(#call, __FILE__, __LINE__);                         \
  } while (false)

const char* errorString(GLenum err);
void checkError(const char* label = nullptr);
void printShaderInfoLog(GLuint shader);
void printProgramInfoLog(GLuint program);

struct GLVersion {
  int major = 0;
  int minor = 0;
  bool valid = false;
};
// Reads the leading "major.minor" of a GL_VERSION string; null or malformed text is not valid.
GLVersion parseGLVersion(const char* version);
void checkVersion();
// Ends the process (exit code 1) when the bound framebuffer is not complete: without its
// target the game has nothing to draw into.
void requireCompleteFramebuffer();

// Every program takes a mesh's attributes at the same locations, so that a mesh records its
// vertex layout once in its vertex array and any program can draw it without setting it again.
constexpr GLuint VertPosLocation = 0;
constexpr GLuint VertNorLocation = 1;
constexpr GLuint VertTexLocation = 2;

GLint getAttribLocation(GLuint program, const char* name, bool verbose);
GLint getUniformLocation(GLuint program, const char* name, bool verbose);
void enableVertexAttribArray(GLint loc);
void disableVertexAttribArray(GLint loc);
void vertexAttribPointer(GLint loc, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                         const void* pointer);
