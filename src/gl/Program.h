#pragma once

// The shader program every draw uses, and the test that it can draw at all.

#include <map>
#include <memory>
#include <string>

#include <glad/gl.h>

// One GL program built from a vertex, a fragment and an optional geometry shader file. Locations
// are registered once by name so that drawing code never queries GL during a frame.
class Program {
 public:
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  void setShaderNames(const std::string& v, const std::string& f, const std::string& g);
  virtual bool init();
  virtual void bind();
  virtual void unbind();

  void addAttribute(const std::string& name);
  void addUniform(const std::string& name);
  GLint getAttribute(const std::string& name) const;
  GLint getUniform(const std::string& name) const;

  void setVerbose(bool v) { verbose = v; }
  bool isVerbose() const { return verbose; }
  const std::string& getGShaderName() const { return gShaderName; }
  GLuint getPID() const { return pid; }
  // False when the program could not be built; drawing code skips such a program.
  bool isLinked() const { return pid != 0; }

 protected:
  std::string vShaderName;
  std::string fShaderName;
  // A single blank means "no geometry shader"; an empty name is treated as a path.
  std::string gShaderName;

 private:
  void detachAndDeleteShaders(GLuint VS, GLuint FS, GLuint GS);
  // Releases every object a failed build created, so the program stays unbuilt (id 0); returns
  // false for the caller to pass on.
  bool abandon(GLuint VS, GLuint FS, GLuint GS);

  GLuint pid = 0;
  std::map<std::string, GLint> attributes;
  std::map<std::string, GLint> uniforms;
  bool verbose = true;
};

std::string readFileToString(const std::string& fileName);

// True for a program that exists and was built; drawing code skips any other.
inline bool usable(const std::shared_ptr<Program>& program) {
  return program != nullptr && program->isLinked();
}
