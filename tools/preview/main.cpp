// Renders every generated model and the sky box into PNG files for a quick look: each model
// from two sides with a plain lit shader (back faces in red, so wrong winding stands out), the
// sky faces as an unfolded cross and as a panorama sampled through a GL cube map the way the
// game uploads it.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <glad/gl.h>
#include <GLFW/glfw3.h>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <stb_image.h>
#include <stb_image_write.h>

#include "CubeFaces.h"
#include "Models.h"
#include "ResourceNames.h"
#include "gl/ObjLoader.h"
#include "gl/Program.h"
#include "gl/Texture.h"

namespace fs = std::filesystem;

namespace {

constexpr int ViewSize = 640;

// A program of the game's kind, built from two of the preview's own shader files.
std::shared_ptr<Program> buildProgram(const char* vertexFile, const char* fragmentFile,
                                      std::initializer_list<const char*> uniforms) {
  auto program = std::make_shared<Program>();
  program->setShaderNames(std::string(GALESKERRY_PREVIEW_SHADERS "/") + vertexFile,
                          std::string(GALESKERRY_PREVIEW_SHADERS "/") + fragmentFile, " ");
  program->init();
  for (const char* name : uniforms) {
    program->addUniform(name);
  }
  return program;
}

// A colour framebuffer with depth, multisampled, resolved into a plain one for reading back.
class Canvas {
 public:
  Canvas(int canvasWidth, int canvasHeight) : width(canvasWidth), height(canvasHeight) {
    glGenFramebuffers(1, &multisampled);
    glBindFramebuffer(GL_FRAMEBUFFER, multisampled);
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, 4, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, 4, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    glGenFramebuffers(1, &resolved);
    glBindFramebuffer(GL_FRAMEBUFFER, resolved);
    glGenRenderbuffers(1, &resolvedColour);
    glBindRenderbuffer(GL_RENDERBUFFER, resolvedColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              resolvedColour);
    glBindFramebuffer(GL_FRAMEBUFFER, multisampled);
  }
  ~Canvas() {
    glDeleteFramebuffers(1, &multisampled);
    glDeleteFramebuffers(1, &resolved);
    glDeleteRenderbuffers(2, buffers);
    glDeleteRenderbuffers(1, &resolvedColour);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool complete() const {
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }

  bool save(const fs::path& file) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, multisampled);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, resolved);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_FRAMEBUFFER, multisampled);
    stbi_flip_vertically_on_write(1);
    const bool ok = stbi_write_png(file.string().c_str(), width, height, 4, pixels.data(),
                                   width * 4) != 0;
    std::cout << (ok ? "  wrote " : "  could not write ") << file.string() << '\n';
    return ok;
  }

  const int width;
  const int height;

 private:
  GLuint multisampled = 0;
  GLuint resolved = 0;
  GLuint buffers[2] = {0, 0};
  GLuint resolvedColour = 0;
};

struct GpuMesh {
  GLuint vertexArray = 0;
  GLuint buffers[4] = {0, 0, 0, 0};
  GLsizei count = 0;
  bool textured = false;
};

GpuMesh upload(const ObjMesh& mesh) {
  GpuMesh gpu;
  glGenVertexArrays(1, &gpu.vertexArray);
  glBindVertexArray(gpu.vertexArray);
  glGenBuffers(4, gpu.buffers);
  const auto attribute = [&](GLuint index, const std::vector<float>& data, GLint size) {
    if (data.empty()) {
      return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, gpu.buffers[index]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)),
                 data.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(index);
    glVertexAttribPointer(index, size, GL_FLOAT, GL_FALSE, 0, nullptr);
  };
  attribute(0, mesh.positions, 3);
  attribute(1, mesh.normals, 3);
  attribute(2, mesh.texcoords, 2);
  gpu.textured = !mesh.texcoords.empty();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.buffers[3]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER,
               static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(unsigned int)),
               mesh.indices.data(), GL_STATIC_DRAW);
  gpu.count = static_cast<GLsizei>(mesh.indices.size());
  glBindVertexArray(0);
  return gpu;
}

void release(GpuMesh& gpu) {
  glDeleteBuffers(4, gpu.buffers);
  glDeleteVertexArrays(1, &gpu.vertexArray);
}

// Lines of the y = 0 plane (the sea level), spaced to suit the model's size.
std::vector<float> seaLevelGrid(glm::vec3 centre, float reach) {
  const float step = std::pow(10.0f, std::floor(std::log10(reach))) / 2.0f;
  const int count = static_cast<int>(std::ceil(reach / step));
  std::vector<float> lines;
  for (int i = -count; i <= count; ++i) {
    const float offset = static_cast<float>(i) * step;
    const float x = std::round(centre.x / step) * step + offset;
    const float z = std::round(centre.z / step) * step + offset;
    const float extent = static_cast<float>(count) * step;
    lines.insert(lines.end(), {x, 0.0f, centre.z - extent, x, 0.0f, centre.z + extent});
    lines.insert(lines.end(), {centre.x - extent, 0.0f, z, centre.x + extent, 0.0f, z});
  }
  return lines;
}

const glm::vec3 Palette[] = {{0.62f, 0.42f, 0.26f}, {0.72f, 0.62f, 0.45f}, {0.78f, 0.78f, 0.74f},
                             {0.35f, 0.38f, 0.45f}, {0.55f, 0.3f, 0.2f},   {0.6f, 0.6f, 0.62f},
                             {0.5f, 0.42f, 0.3f},   {0.92f, 0.9f, 0.84f},  {0.88f, 0.86f, 0.8f},
                             {0.3f, 0.3f, 0.32f}};

bool renderModel(const fs::path& resources, const std::string& relative, const fs::path& outDir,
                 Program& meshProgram, Program& lineProgram, GLuint rockTexture) {
  std::vector<ObjShape> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string error;
  if (!loadObj(shapes, materials, error, (resources / relative).string(), nullptr)) {
    std::cerr << "preview: " << relative << ": " << error << '\n';
    return false;
  }
  glm::vec3 lo(1e30f);
  glm::vec3 hi(-1e30f);
  std::vector<GpuMesh> meshes;
  for (const ObjShape& shape : shapes) {
    for (size_t i = 0; i + 2 < shape.mesh.positions.size(); i += 3) {
      const glm::vec3 p(shape.mesh.positions[i], shape.mesh.positions[i + 1],
                        shape.mesh.positions[i + 2]);
      lo = glm::min(lo, p);
      hi = glm::max(hi, p);
    }
    meshes.push_back(upload(shape.mesh));
  }
  const glm::vec3 centre = 0.5f * (lo + hi);
  const float radius = std::max(0.5f * glm::length(hi - lo), 1e-3f);
  const float fov = glm::radians(34.0f);
  const float distance = radius / std::sin(fov / 2.0f) * 1.02f;
  const glm::mat4 projection = glm::perspective(fov, 1.0f, distance * 0.05f, distance * 4.0f);

  const std::vector<float> grid = seaLevelGrid(centre, radius * 1.3f);
  GLuint gridArray = 0;
  GLuint gridBuffer = 0;
  glGenVertexArrays(1, &gridArray);
  glBindVertexArray(gridArray);
  glGenBuffers(1, &gridBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, gridBuffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(grid.size() * sizeof(float)), grid.data(),
               GL_STATIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);

  Canvas canvas(2 * ViewSize, ViewSize);
  glClearColor(0.08f, 0.09f, 0.11f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const glm::vec3 viewDirections[2] = {glm::normalize(glm::vec3(0.8f, 0.55f, 1.0f)),
                                       glm::normalize(glm::vec3(-0.9f, 0.15f, -0.75f))};
  for (int view = 0; view < 2; ++view) {
    glViewport(view * ViewSize, 0, ViewSize, ViewSize);
    const glm::mat4 camera =
        glm::lookAt(centre + viewDirections[view] * distance, centre, glm::vec3(0, 1, 0));
    lineProgram.bind();
    glUniformMatrix4fv(lineProgram.getUniform("P"), 1, GL_FALSE, glm::value_ptr(projection));
    glUniformMatrix4fv(lineProgram.getUniform("V"), 1, GL_FALSE, glm::value_ptr(camera));
    glBindVertexArray(gridArray);
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(grid.size() / 3));
    meshProgram.bind();
    glUniformMatrix4fv(meshProgram.getUniform("P"), 1, GL_FALSE, glm::value_ptr(projection));
    glUniformMatrix4fv(meshProgram.getUniform("V"), 1, GL_FALSE, glm::value_ptr(camera));
    for (size_t i = 0; i < meshes.size(); ++i) {
      const glm::vec3 colour = meshes.size() == 1 ? glm::vec3(0.75f) : Palette[i % 10];
      glUniform3fv(meshProgram.getUniform("baseColour"), 1, glm::value_ptr(colour));
      const bool textured = meshes[i].textured && rockTexture != 0;
      glUniform1i(meshProgram.getUniform("textured"), textured ? 1 : 0);
      glBindTexture(GL_TEXTURE_2D, rockTexture);
      glBindVertexArray(meshes[i].vertexArray);
      glDrawElements(GL_TRIANGLES, meshes[i].count, GL_UNSIGNED_INT, nullptr);
    }
  }
  glBindVertexArray(0);
  glDeleteBuffers(1, &gridBuffer);
  glDeleteVertexArrays(1, &gridArray);
  for (GpuMesh& mesh : meshes) {
    release(mesh);
  }
  std::cout << relative << ": " << shapes.size() << " sub-object(s), bounds (" << lo.x << ", "
            << lo.y << ", " << lo.z << ") to (" << hi.x << ", " << hi.y << ", " << hi.z << ")\n";
  const std::string name = fs::path(relative).stem().string() + ".png";
  return canvas.save(outDir / name);
}

struct FaceImage {
  int size = 0;
  std::vector<unsigned char> rgb;
};

bool loadFaces(const fs::path& resources, std::array<FaceImage, 6>& faces) {
  stbi_set_flip_vertically_on_load(0);
  for (int face = 0; face < 6; ++face) {
    const fs::path file = resources / ::resources::inResourceDir(::resources::SkyBoxDirectory) /
                          ::resources::SkyBoxFaces[static_cast<size_t>(face)];
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* data = stbi_load(file.string().c_str(), &width, &height, &channels, 3);
    if (data == nullptr || width != height) {
      std::cerr << "preview: cannot use " << file.string() << '\n';
      stbi_image_free(data);
      return false;
    }
    FaceImage& image = faces[static_cast<size_t>(face)];
    image.size = width;
    image.rgb.assign(data, data + static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    stbi_image_free(data);
  }
  return true;
}

// Unfolded cross: +Y above +Z, the ring -X +Z +X -Z, and -Y below +Z; a quarter size each.
bool saveCross(const std::array<FaceImage, 6>& faces, const fs::path& file) {
  const int step = 4;
  const int cell = faces[0].size / step;
  const int width = 4 * cell;
  const int height = 3 * cell;
  std::vector<unsigned char> cross(static_cast<size_t>(width) * static_cast<size_t>(height) * 3,
                                   40);
  const int places[6][2] = {{2, 1}, {0, 1}, {1, 0}, {1, 2}, {1, 1}, {3, 1}};
  for (int face = 0; face < 6; ++face) {
    const FaceImage& image = faces[static_cast<size_t>(face)];
    for (int y = 0; y < cell; ++y) {
      for (int x = 0; x < cell; ++x) {
        for (int c = 0; c < 3; ++c) {
          int sum = 0;
          for (int dy = 0; dy < step; ++dy) {
            for (int dx = 0; dx < step; ++dx) {
              const size_t at = (static_cast<size_t>(y * step + dy) * static_cast<size_t>(image.size) +
                                 static_cast<size_t>(x * step + dx)) * 3 + static_cast<size_t>(c);
              sum += image.rgb[at];
            }
          }
          const int ox = places[face][0] * cell + x;
          const int oy = places[face][1] * cell + y;
          cross[(static_cast<size_t>(oy) * static_cast<size_t>(width) + static_cast<size_t>(ox)) * 3 +
                static_cast<size_t>(c)] = static_cast<unsigned char>(sum / (step * step));
        }
      }
    }
  }
  stbi_flip_vertically_on_write(0);
  const bool ok = stbi_write_png(file.string().c_str(), width, height, 3, cross.data(), width * 3) != 0;
  std::cout << (ok ? "  wrote " : "  could not write ") << file.string() << '\n';
  return ok;
}

bool renderSky(const std::array<FaceImage, 6>& faces, const fs::path& outDir, Program& program) {
  GLuint cubeMap = 0;
  glGenTextures(1, &cubeMap);
  glBindTexture(GL_TEXTURE_CUBE_MAP, cubeMap);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int face = 0; face < 6; ++face) {
    const FaceImage& image = faces[static_cast<size_t>(face)];
    glTexImage2D(static_cast<GLenum>(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face), 0, GL_RGB, image.size,
                 image.size, 0, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
  }
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  for (const GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R}) {
    glTexParameteri(GL_TEXTURE_CUBE_MAP, wrap, GL_CLAMP_TO_EDGE);
  }
  GLuint emptyArray = 0;
  glGenVertexArrays(1, &emptyArray);
  glBindVertexArray(emptyArray);
  program.bind();
  glDisable(GL_DEPTH_TEST);
  bool ok = true;
  const struct {
    int mode;
    int width;
    int height;
    const char* name;
  } views[] = {{0, 2048, 1024, "sky_panorama.png"}, {1, 1080, 810, "sky_view.png"}};
  for (const auto& view : views) {
    Canvas canvas(view.width, view.height);
    glViewport(0, 0, view.width, view.height);
    glUniform1i(program.getUniform("mode"), view.mode);
    glUniform1f(program.getUniform("aspect"),
                static_cast<float>(view.width) / static_cast<float>(view.height));
    glDrawArrays(GL_TRIANGLES, 0, 3);
    ok = canvas.save(outDir / view.name) && ok;
  }
  glEnable(GL_DEPTH_TEST);
  glDeleteVertexArrays(1, &emptyArray);
  glDeleteTextures(1, &cubeMap);
  return ok;
}

// The rock texture repeated two by two, to show whether its edges meet without a seam.
bool saveTiledTexture(const fs::path& resources, const fs::path& file) {
  int width = 0;
  int height = 0;
  int channels = 0;
  stbi_set_flip_vertically_on_load(0);
  unsigned char* data =
      stbi_load((resources / ::resources::inResourceDir(::resources::RockTexture)).string().c_str(),
                &width, &height, &channels, 3);
  if (data == nullptr) {
    std::cerr << "preview: cannot read rock.jpg\n";
    return false;
  }
  std::vector<unsigned char> tiled(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int sx = (2 * x) % width;
      const int sy = (2 * y) % height;
      for (int c = 0; c < 3; ++c) {
        tiled[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3 +
              static_cast<size_t>(c)] =
            data[(static_cast<size_t>(sy) * static_cast<size_t>(width) + static_cast<size_t>(sx)) *
                     3 +
                 static_cast<size_t>(c)];
      }
    }
  }
  stbi_image_free(data);
  stbi_flip_vertically_on_write(0);
  const bool ok =
      stbi_write_png(file.string().c_str(), width, height, 3, tiled.data(), width * 3) != 0;
  std::cout << (ok ? "  wrote " : "  could not write ") << file.string() << '\n';
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 3 || (argc > 1 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
    std::cerr << "usage: galeskerry_preview [output directory] [resource directory]\n"
                 "defaults: " GALESKERRY_PREVIEW_DIR " and " GALESKERRY_RESOURCE_DIR "\n";
    return 2;
  }
  const fs::path outDir = argc > 1 ? fs::path(argv[1]) : fs::path(GALESKERRY_PREVIEW_DIR);
  const fs::path resources = argc > 2 ? fs::path(argv[2]) : fs::path(GALESKERRY_RESOURCE_DIR);
  std::error_code code;
  fs::create_directories(outDir, code);
  if (code || !fs::is_directory(outDir)) {
    std::cerr << "preview: cannot use " << outDir.string() << " as output directory\n";
    return 1;
  }
  if (!fs::is_directory(resources)) {
    std::cerr << "preview: no resource directory at " << resources.string()
              << " (build the galeskerry_assets target first)\n";
    return 1;
  }

  if (glfwInit() == GLFW_FALSE) {
    std::cerr << "preview: GLFW could not start; is DISPLAY set to a running X server?\n";
    return 1;
  }
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GL_TRUE);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  GLFWwindow* window = glfwCreateWindow(64, 64, "Galeskerry preview", nullptr, nullptr);
  if (window == nullptr) {
    std::cerr << "preview: no OpenGL 3.3 core context available\n";
    glfwTerminate();
    return 1;
  }
  glfwMakeContextCurrent(window);
  if (gladLoaderLoadGL() == 0) {
    std::cerr << "preview: cannot load the GL entry points\n";
    glfwTerminate();
    return 1;
  }

  bool ok = true;
  {
    const std::shared_ptr<Program> meshProgram =
        buildProgram("mesh_vert.glsl", "mesh_frag.glsl", {"P", "V", "baseColour", "textured"});
    const std::shared_ptr<Program> lineProgram =
        buildProgram("mesh_vert.glsl", "line_frag.glsl", {"P", "V"});
    const std::shared_ptr<Program> skyProgram =
        buildProgram("panorama_vert.glsl", "panorama_frag.glsl", {"mode", "aspect"});
    glEnable(GL_DEPTH_TEST);
    Texture rockTexture;
    rockTexture.setFilename((resources / ::resources::inResourceDir(::resources::RockTexture)).string());
    rockTexture.init();
    for (const assetgen::ModelFile& model : assetgen::modelFiles()) {
      ok = renderModel(resources, model.path, outDir, *meshProgram, *lineProgram,
                       rockTexture.getID()) &&
           ok;
    }
    std::array<FaceImage, 6> faces;
    if (loadFaces(resources, faces)) {
      ok = saveCross(faces, outDir / "sky_cross.png") && ok;
      ok = renderSky(faces, outDir, *skyProgram) && ok;
    } else {
      ok = false;
    }
    ok = saveTiledTexture(resources, outDir / "rock_tiled.png") && ok;
    const GLuint rockTextureName = rockTexture.getID();
    glDeleteTextures(1, &rockTextureName);
  }
  glfwDestroyWindow(window);
  glfwTerminate();
  return ok ? 0 : 1;
}
