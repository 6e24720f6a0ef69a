// GL error checks, info logs, the version check and the fatal framebuffer check.
#include "gl/GLSL.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <iostream>

void checkGLError(const char* callText, const char* file, int line) {
  const GLenum err = glGetError();
  if (err == GL_NO_ERROR) {
    return;
  }
  std::printf("OpenGL error in file '%s' at line %d calling function '%s': '%s' '%d 0x%X'\n", file,
              line, callText, errorString(err), static_cast<int>(err), err);
  std::fflush(stdout);
}

const char* errorString(GLenum err) {
  switch (err) {
    case GL_INVALID_ENUM:
      return "Invalid enum";
    case GL_INVALID_VALUE:
      return "Invalid value";
    case GL_INVALID_OPERATION:
      return "Invalid operation";
    case GL_STACK_OVERFLOW:
      return "Stack overflow";
    case GL_STACK_UNDERFLOW:
      return "Stack underflow";
    case GL_OUT_OF_MEMORY:
      return "Out of memory";
    default:
      return "No error";
  }
}

void checkError(const char* label) {
  const GLenum err = glGetError();
  if (err == GL_NO_ERROR) {
    return;
  }
  if (label != nullptr) {
    std::printf("%s: ", label);
  }
  std::printf("GL_ERROR = %s.\n", errorString(err));
  std::fflush(stdout);
  assert(!"checkError found a pending GL error");
  std::abort();
}

namespace {

char* allocateInfoLog(GLint length) {
  auto* infoLog = static_cast<char*>(std::malloc(static_cast<size_t>(length)));
  if (infoLog == nullptr) {
    std::printf("ERROR: Could not allocate InfoLog buffer\n");
    std::exit(1);
  }
  return infoLog;
}

}  // namespace

void printShaderInfoLog(GLuint shader) {
  GLint infologLength = 0;
  GL_WRAP(glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &infologLength));
  if (infologLength <= 0) {
    return;
  }
  char* infoLog = allocateInfoLog(infologLength);
  GLsizei charsWritten = 0;
  GL_WRAP(glGetShaderInfoLog(shader, infologLength, &charsWritten, infoLog));
  std::printf("Shader InfoLog:\n%s\n\n", infoLog);
  std::free(infoLog);
}

void printProgramInfoLog(GLuint program) {
  GLint infologLength = 0;
  GL_WRAP(glGetProgramiv(program, GL_INFO_LOG_LENGTH, &infologLength));
  if (infologLength <= 0) {
    return;
  }
  char* infoLog = allocateInfoLog(infologLength);
  GLsizei charsWritten = 0;
  GL_WRAP(glGetProgramInfoLog(program, infologLength, &charsWritten, infoLog));
  std::printf("Program InfoLog:\n%s\n\n", infoLog);
  std::free(infoLog);
}

GLVersion parseGLVersion(const char* version) {
  GLVersion result;
  if (version != nullptr) {
    result.valid = std::sscanf(version, "%d.%d", &result.major, &result.minor) == 2;
  }
  return result;
}

void checkVersion() {
  const GLVersion version = parseGLVersion(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
  if (!version.valid) {
    std::printf("Invalid GL_VERSION format %d.%d\n", version.major, version.minor);
  }
  if (version.major < 2) {
    std::printf(
        "This shader example will not work due to the installed Opengl version, which is "
        "%d.%d.\n",
        version.major, version.minor);
    std::exit(0);
  }
}

void requireCompleteFramebuffer() {
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    std::cerr << "[ERROR] Framebuffer is not complete! Exiting..." << std::endl;
    std::exit(1);
  }
}

GLint getAttribLocation(GLuint program, const char* name, bool verbose) {
  const GLint location = glGetAttribLocation(program, name);
  if (location < 0 && verbose) {
    std::fprintf(stderr,
                 "WARN: %s cannot be bound (it either doesn't exist or has been optimized away). "
                 "safe_glAttrib calls will silently ignore it.\n\n",
                 name);
  }
  return location;
}

GLint getUniformLocation(GLuint program, const char* name, bool verbose) {
  const GLint location = glGetUniformLocation(program, name);
  if (location < 0 && verbose) {
    std::fprintf(stderr,
                 "WARN: %s cannot be bound (it either doesn't exist or has been optimized away). "
                 "safe_glUniform calls will silently ignore it.\n\n",
                 name);
  }
  return location;
}

void enableVertexAttribArray(GLint loc) {
  if (loc >= 0) {
    glEnableVertexAttribArray(static_cast<GLuint>(loc));
  }
}

void disableVertexAttribArray(GLint loc) {
  if (loc >= 0) {
    glDisableVertexAttribArray(static_cast<GLuint>(loc));
  }
}

void vertexAttribPointer(GLint loc, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                         const void* pointer) {
  if (loc >= 0) {
    glVertexAttribPointer(static_cast<GLuint>(loc), size, type, normalized, stride, pointer);
  }
}
