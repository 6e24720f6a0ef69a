#include "gl/Program.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "gl/GLSL.h"

namespace {
const std::string NoGeometryShader = " ";
}

std::string readFileToString(const std::string& fileName) {
  std::ifstream in(fileName);
  if (!in.is_open()) {
    std::cerr << "Could not open file: '" << fileName << "'" << std::endl;
    return {};
  }
  std::string result;
  in.seekg(0, std::ios::end);
  result.reserve(static_cast<size_t>(in.tellg()));
  in.seekg(0, std::ios::beg);
  result.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return result;
}

Program::Program() = default;

Program::~Program() {
  if (pid != 0) {
    glDeleteProgram(pid);
  }
}

void Program::setShaderNames(const std::string& v, const std::string& f, const std::string& g) {
  vShaderName = v;
  fShaderName = f;
  gShaderName = g;
}

bool Program::init() {
  GLint rc = 0;
  const GLuint VS = glCreateShader(GL_VERTEX_SHADER);
  const GLuint FS = glCreateShader(GL_FRAGMENT_SHADER);
  GLuint GS = 0;

  const std::string vShaderString = readFileToString(vShaderName);
  const std::string fShaderString = readFileToString(fShaderName);
  const char* vshader = vShaderString.c_str();
  const char* fshader = fShaderString.c_str();
  GL_WRAP(glShaderSource(VS, 1, &vshader, NULL));
  GL_WRAP(glShaderSource(FS, 1, &fshader, NULL));

  // The geometry stage is compiled first so that its failure is the first one reported.
  if (gShaderName != NoGeometryShader) {
    GS = glCreateShader(GL_GEOMETRY_SHADER);
    const std::string gShaderString = readFileToString(gShaderName);
    const char* gShader = gShaderString.c_str();
    GL_WRAP(glShaderSource(GS, 1, &gShader, NULL));
    GL_WRAP(glCompileShader(GS));
    GL_WRAP(glGetShaderiv(GS, GL_COMPILE_STATUS, &rc));
    if (!rc) {
      if (isVerbose()) {
        printShaderInfoLog(GS);
        std::cout << "Error compiling geometry shader " << gShaderName << std::endl;
      }
      return false;
    }
  }

  GL_WRAP(glCompileShader(VS));
  GL_WRAP(glGetShaderiv(VS, GL_COMPILE_STATUS, &rc));
  if (!rc) {
    if (isVerbose()) {
      printShaderInfoLog(VS);
      std::cout << "Error compiling vertex shader " << vShaderName << std::endl;
    }
    return false;
  }

  GL_WRAP(glCompileShader(FS));
  GL_WRAP(glGetShaderiv(FS, GL_COMPILE_STATUS, &rc));
  if (!rc) {
    if (isVerbose()) {
      printShaderInfoLog(FS);
      std::cout << "Error compiling fragment shader " << fShaderName << std::endl;
    }
    return false;
  }

  pid = glCreateProgram();
  GL_WRAP(glAttachShader(pid, VS));
  GL_WRAP(glAttachShader(pid, FS));
  if (GS != 0) {
    GL_WRAP(glAttachShader(pid, GS));
  }
  GL_WRAP(glLinkProgram(pid));
  GL_WRAP(glGetProgramiv(pid, GL_LINK_STATUS, &rc));
  if (!rc) {
    if (isVerbose()) {
      printProgramInfoLog(pid);
      std::cout << "Error linking shaders " << vShaderName << " and " << fShaderName << std::endl;
    }
    return false;
  }

  detachAndDeleteShaders(VS, FS, GS);
  return true;
}

void Program::detachAndDeleteShaders(GLuint VS, GLuint FS, GLuint GS) {
  GL_WRAP(glDetachShader(pid, VS));
  GL_WRAP(glDeleteShader(VS));
  GL_WRAP(glDetachShader(pid, FS));
  GL_WRAP(glDeleteShader(FS));
  if (GS != 0) {
    GL_WRAP(glDetachShader(pid, GS));
    GL_WRAP(glDeleteShader(GS));
  }
}

void Program::bind() { GL_WRAP(glUseProgram(pid)); }

void Program::unbind() { GL_WRAP(glUseProgram(0)); }

void Program::addAttribute(const std::string& name) {
  attributes[name] = getAttribLocation(pid, name.c_str(), isVerbose());
}

void Program::addUniform(const std::string& name) {
  uniforms[name] = getUniformLocation(pid, name.c_str(), isVerbose());
}

GLint Program::getAttribute(const std::string& name) const {
  const auto found = attributes.find(name);
  if (found == attributes.end()) {
    if (isVerbose()) {
      std::cout << name << " is not an attribute variable" << std::endl;
    }
    return -1;
  }
  return found->second;
}

GLint Program::getUniform(const std::string& name) const {
  const auto found = uniforms.find(name);
  if (found == uniforms.end()) {
    if (isVerbose()) {
      std::cout << name << " is not a uniform variable" << std::endl;
    }
    return -1;
  }
  return found->second;
}
