// The catalogue of the application's shader programs: which files each is built from and which
// uniforms and attributes its drawing code asks for, in registration order. The lit programs
// also take the lightning's flash (and the sea the wind) after their usual names.
#include <initializer_list>
#include <memory>
#include <string>

#include "Application.h"
#include "ResourceNames.h"
#include "gl/GLSL.h"
#include "gl/Program.h"

namespace {

// A name a program registers: a uniform, or an attribute fed by the mesh or the text quad.
struct Registration {
  enum Kind { Uniform, Attribute } kind;
  const char* name;
};

constexpr Registration U(const char* name) { return {Registration::Uniform, name}; }
constexpr Registration A(const char* name) { return {Registration::Attribute, name}; }

// Builds one program from two files of the resource directory; a failed build has printed its
// reasons and leaves a program that draws nothing.
std::shared_ptr<Program> buildProgram(const std::string& resourceDir, const char* vertex,
                                      const char* fragment, bool verbose,
                                      std::initializer_list<Registration> names) {
  auto program = std::make_shared<Program>();
  program->setVerbose(verbose);
  program->setShaderNames(resourceDir + vertex, resourceDir + fragment, " ");
  program->init();
  for (const Registration& registration : names) {
    if (registration.kind == Registration::Uniform) {
      program->addUniform(registration.name);
    } else {
      program->addAttribute(registration.name);
    }
  }
  return program;
}

}  // namespace

void Application::initShaders(const std::string& resourceDir) {
  namespace files = resources::shaders;
  checkVersion();
  glClearColor(0.12f, 0.34f, 0.56f, 1.0f);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);

  simpleShader =
      buildProgram(resourceDir, files::SimpleVert, files::SimpleFrag, true,
                   {U("P"), U("V"), U("M"), U("lightPos"), U("lightDirection"), A("vertPos"),
                    A("vertNor"), U("MatAmb"), U("MatDif"), U("MatSpec"), U("shine"), U("flash"),
                    U("flashDir")});
  lighthouseShader =
      buildProgram(resourceDir, files::LighthouseVert, files::LighthouseFrag, true,
                   {U("P"), U("V"), U("M"), U("lightPos"), U("lightDirection"), A("vertPos"),
                    A("vertNor"), U("MatAmb"), U("MatDif"), U("MatSpec"), U("shine"), U("time")});
  waveShader = buildProgram(resourceDir, files::WaveVert, files::WaveFrag, true,
                            {U("P"), U("V"), U("M"), U("lightPos"), U("MatAmb"), U("MatDif"),
                             U("MatSpec"), U("shine"), U("time"), U("waveAmp"), U("waveLen"),
                             U("depthTexture"), U("LS"), U("eyePos"), A("vertPos"), A("vertNor"),
                             U("flash"), U("flashDir"), U("wind")});
  arrowShader = buildProgram(resourceDir, files::ArrowVert, files::ArrowFrag, true,
                             {U("P"), U("V"), U("M"), A("vertPos"), A("vertNor"), U("MatAmb"),
                              U("MatDif"), U("MatSpec"), U("shine")});
  cubeShader = buildProgram(resourceDir, files::CubeVert, files::CubeFrag, true,
                            {U("P"), U("V"), U("M"), A("vertPos"), A("vertNor"), U("flash"),
                             U("flashDir")});
  texShader = buildProgram(resourceDir, files::TexVert, files::TexFrag, true,
                           {U("P"), U("V"), U("M"), A("vertPos"), A("vertNor"), A("vertTex"),
                            U("lightPos"), U("lightDirection"), U("Texture0"), U("texID"), U("flash"),
                            U("flashDir")});
  textShader = buildProgram(resourceDir, files::TextVert, files::TextFrag, true,
                            {U("projection"), U("text"), U("textColor"), A("vertex")});
  postProcessShader = buildProgram(resourceDir, files::PassthroughVert, files::PostProcessFrag,
                                   true, {U("screenTexture"), U("iResolution"), U("iTime")});
  depthDebugShader = buildProgram(resourceDir, files::PassthroughVert, files::DepthDebugFrag, true,
                                  {U("depthTexture"), U("LS"), A("vertPos")});
  outlineShader =
      buildProgram(resourceDir, files::OutlineVert, files::OutlineFrag, false,
                   {U("P"), U("V"), U("M"), U("outlineColor"), A("vertPos"), A("vertNor")});
}
