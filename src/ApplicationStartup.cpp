// Start-up and restart: the order of the start-up steps, loading models and textures, placing
// the world, and resetting a run with its music.
#include <cstdio>
#include <cstring>
#include <iostream>

#include <glm/gtc/matrix_transform.hpp>

#include "Application.h"
#include "physics/BVHTree.h"
#include "render/SkyBox.h"
#include "gl/GLSL.h"
#include "gl/ObjLoader.h"
#include "gl/Program.h"
#include "gl/Shape.h"
#include "ResourceNames.h"
#include "Story.h"
#include "gl/Texture.h"

namespace {

std::shared_ptr<Shape> uploadShape(const ObjShape& objShape) {
  auto shape = std::make_shared<Shape>();
  shape->setFromObjShape(objShape);
  shape->computeBounds();
  shape->init();
  return shape;
}

// Reads the first sub-object of a single-part model into part; a failed load prints the loader's
// message and returns false.
bool readSinglePartModel(const std::string& path, ObjShape& part) {
  std::vector<ObjShape> TOshapes;
  std::vector<tinyobj::material_t> objMaterials;
  std::string errStr;
  if (!loadObj(TOshapes, objMaterials, errStr, path, nullptr)) {
    std::cerr << errStr << std::endl;
    return false;
  }
  if (TOshapes.empty()) {
    std::cerr << path << " holds no mesh" << std::endl;
    return false;
  }
  part = std::move(TOshapes[0]);
  return true;
}

// Loads the first sub-object of a single-part model; a failed load leaves the model out.
std::shared_ptr<Shape> loadSinglePartModel(const std::string& path) {
  ObjShape part;
  return readSinglePartModel(path, part) ? uploadShape(part) : nullptr;
}

// Tiles per side of the sea plane: small enough that the tiles behind the camera are most of
// the plane, large enough that a frame's visible tiles merge into a few runs.
constexpr int SeaTilesPerSide = 12;

}  // namespace

Application::Application() {
  musicEngine = sound::createSoundDevice();
  ambienceEngine = sound::createSoundDevice();
  effectsEngine = sound::createSoundDevice();
  lastLightningTime = glfwGetTime();
}

Application::~Application() {
  musicEngine->drop();
  ambienceEngine->drop();
  effectsEngine->drop();
  // Names that were never created are skipped: without a window there is no GL to call.
  if (postFBO != 0) {
    glDeleteFramebuffers(1, &postFBO);
  }
  if (postRBO != 0) {
    glDeleteRenderbuffers(1, &postRBO);
  }
  if (postTexture != 0) {
    glDeleteTextures(1, &postTexture);
  }
  if (quadVAO != 0) {
    glDeleteVertexArrays(1, &quadVAO);
  }
  if (quadVBO != 0) {
    glDeleteBuffers(1, &quadVBO);
  }
}

void Application::startUp(WindowManager* manager, const std::string& resourceDir) {
  manager->setEventCallbacks(this);
  windowManager = manager;
  initShadowMap();
  initQuad();
  initFramebuffer();
  // resetGame sets the camera that init places the boat from, so it comes first.
  resetGame(810, 1080);
  initGeom(resourceDir);
  init(resourceDir);
  initTex(resourceDir);
  warmUpDrawing();
}

void Application::initGeom(const std::string& resourceDir) {
  ObjShape water;
  if (readSinglePartModel(resourceDir + resources::WaterModel, water)) {
    // The triangles are sorted tile by tile before upload, so each tile is one run of indices.
    seaTiles.build(water.mesh.positions, water.mesh.indices, SeaTilesPerSide);
    waterShape = uploadShape(water);
  }
  whirlpoolShape = loadSinglePartModel(resourceDir + resources::WhirlpoolModel);
  arrowShape = loadSinglePartModel(resourceDir + resources::ArrowModel);
  rockShape = loadSinglePartModel(resourceDir + resources::RockModel);
  tentacleShape = loadSinglePartModel(resourceDir + resources::TentacleModel);
  lighthouseShape = loadSinglePartModel(resourceDir + resources::LighthouseModel);
  cubeMapTexture = buildSkyCubeMap(resourceDir + resources::SkyBoxDirectory, skyboxFaces);
  cubeShape = loadSinglePartModel(resourceDir + resources::CubeModel);
  initFarShapes(resourceDir);

  std::vector<ObjShape> TOshapes;
  std::vector<tinyobj::material_t> objMaterials;
  std::string errStr;
  const bool loaded =
      loadObj(TOshapes, objMaterials, errStr, resourceDir + resources::BoatModel, nullptr);
  std::printf("Number of parts of boat obj: %zi\n", TOshapes.size());
  if (!loaded) {
    std::cerr << errStr << std::endl;
  } else if (TOshapes.empty()) {
    std::cerr << resourceDir + resources::BoatModel << " holds no mesh" << std::endl;
  }
  for (const ObjShape& part : TOshapes) {
    boatParts.push_back(uploadShape(part));
  }

  lighthouseCell = glm::vec3(50.0f, 0.0f, 95.0f);
  lighthousePos = lighthouseWorldPosition(lighthouseCell);
}

void Application::init(const std::string& resourceDir) {
  checkVersion();
  glClearColor(0.12f, 0.34f, 0.56f, 1.0f);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  initShaders(resourceDir);

  std::memset(grid, '-', sizeof grid);
  bvh = std::make_shared<BVHTree>();
  rockManager.setBVH(bvh);
  rockManager.spawnAll(rockShape);
  // A new tentacle's first box comes from the cube; its first drawing gives it the tentacle's.
  dummyManager.setBVH(bvh);
  dummyManager.spawnAll(cubeShape);
  lightning1.init();
  lightning2.init();
  rain.init(resourceDir + resources::shaders::RainVert, resourceDir + resources::shaders::RainFrag);
  placeBoat();
}

GLuint Application::buildSkyCubeMap(std::string dir, std::vector<std::string> faces) const {
  return loadCubeMap(dir, faces);
}

void Application::initTex(const std::string& resourceDir) {
  rockTexture = std::make_shared<Texture>();
  rockTexture->setFilename(resourceDir + resources::RockTexture);
  rockTexture->init();
  rockTexture->setUnit(0);
  rockTexture->setWrapModes(GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE);
}

void Application::placeBoat() {
  const glm::vec3 view = camera.getViewDir();
  boatDir = glm::normalize(glm::vec3(view.x, 0.0f, view.z));
  boatPos = glm::vec3(camera.getEye().x, 1.0f, camera.getEye().z);
}

void Application::startTitle() {
  musicEngine->stopAllSounds();
  gameState = Title;
  musicEngine->play2D(resources::TitleMusic, true);
  musicEngine->setSoundVolume(0.2f);
}

void Application::resetGame(int height, int width) {
  setPaused(false);
  effectsEngine->stopAllSounds();
  if (gameState == Playing) {
    musicEngine->stopAllSounds();
    ambienceEngine->stopAllSounds();
    musicEngine->play2D(resources::RaceMusic, true);
    musicEngine->setSoundVolume(musicVolume);
  }
  // The storm loops for the whole session; starting it again while it plays would layer a second
  // storm over the first with every X and R before a run.
  if (!ambienceEngine->isCurrentlyPlaying(resources::StormAmbience)) {
    ambienceEngine->play2D(resources::StormAmbience, true);
  }
  ambienceEngine->setSoundVolume(ambienceVolume);

  gameOver = false;
  won = false;
  camera.reset();
  keyD = keyA = keyS = keyW = false;

  boatRadius = 1.0f;
  boatSpeed = 0.0f;
  boatDir = glm::vec3(0.0f);
  boatPos = glm::vec3(0.0f);
  boatUp = glm::vec3(0.0f, 1.0f, 0.0f);
  boatAngle = 0.0f;
  boatAccel = 7.0f;
  firstMouse = true;
  placeBoat();

  timeLeft = timeLimit;
  // Rocks stay for the whole session; every run after the first gets new tentacles.
  if (!firstReset) {
    dummyManager.spawnAll(cubeShape);
  }
  firstReset = false;

  textRenderer.init(RacingTitle, textScaleFor(width));
  textRenderer.projection = glm::ortho(0.0f, static_cast<float>(width), 0.0f,
                                       static_cast<float>(height));
}
