#pragma once

// The game object: every resource and all game state of a session, and the operations the
// frame loop calls, spread over the Application*.cpp files one concern each.

#include <memory>
#include <string>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "Camera.h"
#include "Gamepad.h"
#include "ResourceNames.h"
#include "WindowManager.h"
#include "render/Lightning.h"
#include "render/Rain.h"
#include "render/SeaTiles.h"
#include "render/ShadowMap.h"
#include "render/TextRenderer.h"
#include "sound/SoundEngine.h"
#include "world/Obstacles.h"

class BVHTree;
class MatrixStack;
class Program;
class Shape;
class Texture;

// Game phases, in the order a session walks through them.
enum GameState : int { StartPrompt = 0, Intro = 1, Title = 2, Playing = 3 };

// The passes a scene object is drawn in: into the shadow map, lit into the scene (marking the
// stencil), and as an outline around what the lit pass marked.
enum class Pass { Shadow, Lit, Outline };

// World position of the lighthouse standing in a grid cell; its foot sits just below the sea.
inline glm::vec3 lighthouseWorldPosition(const glm::vec3& cell) {
  return glm::vec3((cell.x - 50.0f) * 5.0f, -1.0f, (cell.z - 50.0f) * 5.0f);
}

// The lightning's light on the scene this frame: how bright (0..1) and the unit direction from
// the eye towards the bolt.
struct StormLight {
  float flash = 0.0f;
  glm::vec3 direction{0.0f, 1.0f, 0.0f};
};

// Where the direction arrow floats for a camera with this projection and view: over the boat,
// on the way from the eye to it, at the height that shows it a little above the screen's
// middle, so that it stays whole and clear of the racing title and the timer whether the camera
// looks up or down.
glm::vec3 arrowPosition(const glm::mat4& projection, const glm::mat4& view,
                        const glm::vec3& boatPos);

// The one game object: owns every resource and all game state, and receives the window's events.
// Its operations are spread over several source files, one concern each.
class Application final : public EventCallbacks {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Registers for the window's events and runs every start-up step in order.
  void startUp(WindowManager* manager, const std::string& resourceDir);

  // The start-up steps, in the order startUp runs them.
  void initShadowMap();
  void initQuad();
  void initFramebuffer();
  void resetGame(int height, int width);
  void initGeom(const std::string& resourceDir);
  void init(const std::string& resourceDir);
  void initTex(const std::string& resourceDir);
  // Builds every shader program of the application; run by init.
  void initShaders(const std::string& resourceDir);
  // Builds the far obstacles' coarse meshes; run by initGeom.
  void initFarShapes(const std::string& resourceDir);
  GLuint buildSkyCubeMap(std::string dir, std::vector<std::string> faces) const;

  void startTitle();
  void placeBoat();

  // Once per frame.
  void renderDepthPass();
  void render();
  // The longest step the simulation takes: one frame at 60 frames a second.
  static constexpr float MaxSimulationStep = 1.0f / 60.0f;
  // Simulates dt seconds, in steps no longer than MaxSimulationStep.
  void update(float dt);
  // One step of the race: boat, camera, timer, obstacles and the win test.
  void simulateStep(float dt);
  // Strikes a pair of bolts once the interval has passed since the last pair.
  void scheduleLightning();
  void moveBoat(float dt);
  void checkWin(const glm::vec3& pos);
  // The ways a run is lost.
  enum class RunEnd { Collision, TimeUp, GaveUp };
  // Loses the run with the loss sting; each cause plays it on the engine and at the volume it
  // always has.
  void endRun(RunEnd cause);

  // Frame composition. render draws the scene into the off-screen target, then finishes the
  // frame: the post-processing pass to the window and the phase's text over it.
  void drawScene(int width, int height);
  void finishFrame(int width, int height);
  // Draws every race pass once into the off-screen target at loading, so that their first use
  // in a race costs no more than any other frame; the game's state is left as it was.
  void warmUpDrawing();
  void drawSkybox(std::shared_ptr<MatrixStack> Model, const glm::mat4& View,
                  std::shared_ptr<MatrixStack> Projection);
  void drawPostProcess(GLuint texture, const glm::vec2& resolution);
  // The phase's text, drawn over the finished frame at the window's own resolution.
  void drawScreenText(int width, int height);
  // Size of the off-screen scene target for a window of the given size.
  glm::ivec2 sceneSize(int width, int height) const;
  // Keeps races smooth on slow renderers: given each frame's working time (without any wait for
  // the display), lowers the resolution the scene is drawn at while race frames are slow and
  // raises it again once they are fast. Text is always drawn at the window's resolution.
  void adaptRenderScale(double frameSeconds);
  void drawWater(std::shared_ptr<MatrixStack> Model);
  // The frame's camera, light, clock and swell, uploaded once to every program that draws the
  // scene; the light stands above the eye.
  void uploadFrameUniforms(const glm::mat4& P, const glm::mat4& View, const glm::vec3& eye,
                           float seconds) const;

  // The storm as shown: the flash of the bolt in sight, its upload to the lit programs with the
  // wind, the spray at the bow (0..1, while the bow drives up a swell) and the rain with the
  // spray, which never crosses what the lit pass marked in the stencil.
  StormLight stormLight(const glm::vec3& eye) const;
  void uploadStormLight(const StormLight& light);
  float bowSpray() const;
  void drawRain(const glm::mat4& P, const glm::mat4& View, const StormLight& light);

  // Props: materials, model matrices, the boat, its arrow and the lighthouse. The draws take a
  // copy of the frame's model stack and the pass they draw in; the arrow casts no shadow.
  void setMaterial(int i, const std::shared_ptr<Program>& prog) const;
  void setModel(const std::shared_ptr<Program>& p, const std::shared_ptr<MatrixStack>& M) const;
  void drawBoat(std::shared_ptr<MatrixStack> Model, Pass pass);
  void drawArrow(std::shared_ptr<MatrixStack> Model, const glm::mat4& View,
                 std::shared_ptr<MatrixStack> Projection, float angle, Pass pass);
  void drawLighthouse(float x, float z, std::shared_ptr<MatrixStack> Model, Pass pass);

  // Obstacles; cull skips those outside the camera's view volume.
  void drawTentacles(std::shared_ptr<MatrixStack> Model, bool cull, Pass pass);
  void drawRocks(std::shared_ptr<MatrixStack> Model, bool cull, Pass pass);

  // Story and HUD.
  void intro(int width, int height);
  void drawHUD(int width, int height);

  // Pausing a race (P, Start on a pad, or the window losing the focus): the boat, the
  // tentacles, the timer and the lightning schedule hold still while sea and sky move on, and
  // the music plays on more quietly. Only a race in progress can be paused.
  void setPaused(bool pause);
  void drawPauseNotice(int width, int height);
  // Reads the first connected gamepad and turns it into the keys it stands for; once a frame.
  void pollGamepad();

  void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods) override;
  void mouseCallback(GLFWwindow* window, int button, int action, int mods) override;
  void resizeCallback(GLFWwindow* window, int width, int height) override;
  void scrollCallback(GLFWwindow* window, double deltaX, double deltaY) override;
  void cursorCallback(GLFWwindow* window, double xpos, double ypos) override;
  void focusCallback(GLFWwindow* window, int focused) override;

  WindowManager* windowManager = nullptr;

  sound::SoundEngine* musicEngine = nullptr;
  sound::SoundEngine* ambienceEngine = nullptr;
  sound::SoundEngine* effectsEngine = nullptr;

  std::shared_ptr<Program> simpleShader;
  std::shared_ptr<Program> arrowShader;
  std::shared_ptr<Program> texShader;
  std::shared_ptr<Program> cubeShader;
  std::shared_ptr<Program> textShader;
  std::shared_ptr<Program> waveShader;
  std::shared_ptr<Program> lighthouseShader;
  std::shared_ptr<Program> postProcessShader;
  std::shared_ptr<Program> depthDebugShader;
  std::shared_ptr<Program> outlineShader;

  std::shared_ptr<Texture> rockTexture;

  std::shared_ptr<Shape> arrowShape;
  std::shared_ptr<Shape> waterShape;
  std::shared_ptr<Shape> whirlpoolShape;
  std::shared_ptr<Shape> cubeShape;
  std::shared_ptr<Shape> tentacleShape;
  std::shared_ptr<Shape> rockShape;
  std::shared_ptr<Shape> lighthouseShape;
  // Coarse stand-ins drawn for far obstacles; null when their model could not be read.
  std::shared_ptr<Shape> rockFarShape;
  std::shared_ptr<Shape> tentacleFarShape;

  std::vector<std::shared_ptr<Shape>> boatParts;

  // The sea plane's tiles; with seaCulling on, only those in view are drawn, and those further
  // than seaFineDistance from the eye at half resolution: the swell's 60-unit waves keep their
  // shape at either, and that far out the fog has taken most of the sea's detail.
  SeaTiles seaTiles;
  bool seaCulling = true;
  float seaFineDistance = 150.0f;

  GLuint postFBO = 0;
  GLuint postRBO = 0;
  GLuint postTexture = 0;
  GLuint quadVAO = 0;
  GLuint quadVBO = 0;

  std::shared_ptr<BVHTree> bvh;

  float boatRadius = 0.0f;
  float boatSpeed = 0.0f;
  glm::vec3 boatDir{0.0f};
  glm::vec3 boatPos{0.0f};
  glm::vec3 lighthouseCell{0.0f};
  glm::vec3 boatUp{0.0f};
  float boatAngle = 0.0f;
  glm::vec3 boatRight{0.0f};
  float boatAccel = 7.0f;
  bool showBoxes = false;
  glm::vec3 lighthousePos{0.0f};
  float lighthouseRadius = 20.0f;
  bool firstReset = true;
  bool firstMouse = true;
  float lastX = 0.0f;
  float lastY = 0.0f;
  bool keyW = false;
  bool keyS = false;
  bool keyA = false;
  bool keyD = false;

  Camera camera;
  GLuint cubeMapTexture = 0;

  DummyManager dummyManager{grid, WorldGridSize};
  RockManager rockManager{grid, WorldGridSize};

  ShadowMap shadowMap;
  Lightning lightning1;
  Lightning lightning2;
  Rain rain;
  double lastLightningTime = 0.0;

  std::vector<std::string> skyboxFaces{resources::SkyBoxFaces.begin(),
                                       resources::SkyBoxFaces.end()};

  float musicVolume = 0.4f;
  float ambienceVolume = 0.1f;
  bool gameOver = false;
  bool won = false;
  bool fastMode = false;
  double timeLimit = 90.0;
  double timeLeft = 0.0;
  int gameState = StartPrompt;
  double introTime = 0.0;

  TextRenderer textRenderer;

  float renderScale = 1.0f;
  // The race frames since the scale last changed or was last judged to stay.
  std::vector<double> recentFrameSeconds;
  double secondsSinceScaleChange = 0.0;

  bool paused = false;
  float musicVolumeBeforePause = 0.0f;
  PadHeld padWasHeld;
  GamepadButtons gamepadButtons;
};
