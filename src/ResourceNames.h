#pragma once

// Every file the game reads, named once. The game, the asset generator that writes these files
// and the tests that check them all take the names from here.
//
// Names that start with "/" are appended to the resource directory given on the command line.
// The fixed paths start with "../resources/": they are read relative to the working directory,
// which is why the game is started from its bin directory.

#include <array>

namespace resources {

// Models, relative to the resource directory.
constexpr const char* WaterModel = "/newPlane.obj";
constexpr const char* WhirlpoolModel = "/wpStandIn.obj";
constexpr const char* ArrowModel = "/arrow.obj";
constexpr const char* RockModel = "/rock.obj";
constexpr const char* TentacleModel = "/tentacleLP.obj";
constexpr const char* LighthouseModel = "/lightHouse5.obj";
constexpr const char* CubeModel = "/cube.obj";
constexpr const char* BoatModel = "/models/boat/Ship_free.obj";

// Images, relative to the resource directory.
constexpr const char* RockTexture = "/rock.jpg";
constexpr const char* SkyBoxDirectory = "/galaxy/";
// Sky box faces in GL cube-map target order: +X, -X, +Y, -Y, +Z, -Z.
constexpr std::array<const char*, 6> SkyBoxFaces{"galaxy+X.tga", "galaxy-X.tga", "galaxy+Y.tga",
                                                 "galaxy-Y.tga", "galaxy+Z.tga", "galaxy-Z.tga"};

// The font, at its fixed path.
constexpr const char* Font = "../resources/fonts/FeFCit2.ttf";

// Sounds, at their fixed paths.
constexpr const char* IntroMusic = "../resources/intro.ogg";
constexpr const char* TitleMusic = "../resources/title.ogg";
constexpr const char* RaceMusic = "../resources/winter-cold.ogg";
constexpr const char* StormAmbience = "../resources/OceanStorm.ogg";
constexpr const char* LossSting = "../resources/doom.ogg";
constexpr const char* WinMusic = "../resources/credits.ogg";
constexpr const char* Thunder = "../resources/Lightning.ogg";

// Shader sources of the application's programs, relative to the resource directory.
namespace shaders {
constexpr const char* SimpleVert = "/shaders/simple_vert.glsl";
constexpr const char* SimpleFrag = "/shaders/simple_frag.glsl";
constexpr const char* LighthouseVert = "/shaders/lh_vert.glsl";
constexpr const char* LighthouseFrag = "/shaders/lh_frag.glsl";
constexpr const char* WaveVert = "/shaders/wave_vert.glsl";
constexpr const char* WaveFrag = "/shaders/wave_frag.glsl";
constexpr const char* ArrowVert = "/shaders/arrow_vert.glsl";
constexpr const char* ArrowFrag = "/shaders/arrow_frag.glsl";
constexpr const char* CubeVert = "/shaders/cube_vert.glsl";
constexpr const char* CubeFrag = "/shaders/cube_frag.glsl";
constexpr const char* TexVert = "/shaders/tex_vert.glsl";
constexpr const char* TexFrag = "/shaders/tex_frag0.glsl";
constexpr const char* TextVert = "/shaders/text2D_vert.glsl";
constexpr const char* TextFrag = "/shaders/text2D_frag.glsl";
constexpr const char* PassthroughVert = "/shaders/passthrough_vert.glsl";
constexpr const char* PostProcessFrag = "/shaders/post_processing_frag.glsl";
constexpr const char* DepthDebugFrag = "/shaders/depth_debug_frag.glsl";
constexpr const char* OutlineVert = "/shaders/outline_vert.glsl";
constexpr const char* OutlineFrag = "/shaders/outline_frag.glsl";
constexpr const char* RainVert = "/shaders/rain_vert.glsl";
constexpr const char* RainFrag = "/shaders/rain_frag.glsl";

// The shadow map's and the bolts' programs, at their fixed paths.
constexpr const char* DepthVert = "../resources/shaders/depth_vert.glsl";
constexpr const char* DepthFrag = "../resources/shaders/depth_frag.glsl";
constexpr const char* LightningVert = "../resources/shaders/lightning_vert.glsl";
constexpr const char* LightningFrag = "../resources/shaders/lightning_frag.glsl";
}  // namespace shaders

// The path of a name inside the resource directory ("/rock.obj" and "../resources/intro.ogg" give
// "rock.obj" and "intro.ogg"), for the generator and the tests that write or read the files.
constexpr const char* inResourceDir(const char* name) {
  constexpr char fixedPrefix[] = "../resources/";
  for (int i = 0; fixedPrefix[i] != '\0'; ++i) {
    if (name[i] != fixedPrefix[i]) {
      return name[0] == '/' ? name + 1 : name;
    }
  }
  return name + sizeof fixedPrefix - 1;
}

}  // namespace resources
