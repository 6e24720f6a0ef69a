// Building a GL program from its shader files and looking up its names.
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
      return abandon(VS, FS, GS);
    }
  }

  GL_WRAP(glCompileShader(VS));
  GL_WRAP(glGetShaderiv(VS, GL_COMPILE_STATUS, &rc));
  if (!rc) {
    if (isVerbose()) {
      printShaderInfoLog(VS);
      std::cout << "Error compiling vertex shader " << vShaderName << std::endl;
    }
    return abandon(VS, FS, GS);
  }

  GL_WRAP(glCompileShader(FS));
  GL_WRAP(glGetShaderiv(FS, GL_COMPILE_STATUS, &rc));
  if (!rc) {
    if (isVerbose()) {
      printShaderInfoLog(FS);
      std::cout << "Error compiling fragment shader " << fShaderName << std::endl;
    }
    return abandon(VS, FS, GS);
  }

  pid = glCreateProgram();
  GL_WRAP(glAttachShader(pid, VS));
  GL_WRAP(glAttachShader(pid, FS));
  if (GS != 0) {
    GL_WRAP(glAttachShader(pid, GS));
  }
  GL_WRAP(glBindAttribLocation(pid, VertPosLocation, "vertPos"));
  GL_WRAP(glBindAttribLocation(pid, VertNorLocation, "vertNor"));
  GL_WRAP(glBindAttribLocation(pid, VertTexLocation, "vertTex"));
  GL_WRAP(glLinkProgram(pid));
  GL_WRAP(glGetProgramiv(pid, GL_LINK_STATUS, &rc));
  if (!rc) {
    if (isVerbose()) {
      printProgramInfoLog(pid);
      std::cout << "Error linking shaders " << vShaderName << " and " << fShaderName << std::endl;
    }
    return abandon(VS, FS, GS);
  }

  detachAndDeleteShaders(VS, FS, GS);
  return true;
}

bool Program::abandon(GLuint VS, GLuint FS, GLuint GS) {
  // A quiet program still says once that it failed, unless a file it could not open has been
  // named already: otherwise an empty or damaged shader file would pass without a word.
  const bool filesOpen = std::ifstream(vShaderName).good() && std::ifstream(fShaderName).good() &&
                         (GS == 0 || std::ifstream(gShaderName).good());
  if (!isVerbose() && filesOpen) {
    std::cerr << "Could not build the shader program of " << vShaderName << " and " << fShaderName
              << "; what it draws is left out." << std::endl;
  }
  if (pid != 0) {
    detachAndDeleteShaders(VS, FS, GS);
    glDeleteProgram(pid);
    pid = 0;
    return false;
  }
  for (const GLuint shader : {VS, FS, GS}) {
    if (shader != 0) {
      GL_WRAP(glDeleteShader(shader));
    }
  }
  return false;
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

// A program that failed to build has already said why; its names are kept at -1 without asking
// GL, which would only add an invalid-value error for program 0.
void Program::addAttribute(const std::string& name) {
  attributes[name] = isLinked() ? getAttribLocation(pid, name.c_str(), isVerbose()) : -1;
}

void Program::addUniform(const std::string& name) {
  uniforms[name] = isLinked() ? getUniformLocation(pid, name.c_str(), isVerbose()) : -1;
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
