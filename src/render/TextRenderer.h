#pragma once

// On-screen text: the intro's lines, the title, the HUD and the notices.

#include <map>
#include <memory>
#include <string>

#include <glad/gl.h>
#include <glm/glm.hpp>

class Program;

// Text is laid out for a window this many pixels wide and scaled with the real width.
constexpr float TextDesignWidth = 1080.0f;
inline float textScaleFor(int width) { return static_cast<float>(width) / TextDesignWidth; }

// Screen-space text in the game's font, measured and drawn in window pixels: the glyphs of the
// first 128 character codes in one atlas texture, a line drawn as its glyph quads in one call.
class TextRenderer {
 public:
  // One cached glyph: the atlas texture, bitmap size, offset from the pen to the bitmap's
  // top-left corner, the pen advance in 1/64 pixel, and the bitmap's corners in the atlas.
  struct Character {
    GLuint textureID = 0;
    glm::ivec2 size{0};
    glm::ivec2 bearing{0};
    GLuint advance = 0;
    glm::vec2 uvMin{0.0f};
    glm::vec2 uvMax{0.0f};
  };

  TextRenderer() = default;
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // Loads the font and builds the glyphs and the quad buffer the first time it succeeds, turns
  // on alpha blending, and measures text at 0.8 × scale. Runs again at every restart, reusing
  // what was built.
  void init(const std::string& text, float scale);
  void setTextWidth(const std::string& text, float scale);
  // The pen's travel while drawing text at scale; characters without a glyph add nothing.
  float measureText(const std::string& text, float scale) const;
  // Draws text with its baseline starting at pixel (x, y); draws nothing without a font or with
  // a program that failed to build.
  void renderText(const std::shared_ptr<Program>& prog, const std::string& text, float x, float y,
                  float scale, const glm::vec3& color) const;
  // Measures text (setting textWidth, as setTextWidth does) and draws it centred across a
  // window of the given width.
  void renderCentred(const std::shared_ptr<Program>& prog, const std::string& text, int width,
                     float y, float scale, const glm::vec3& color);

  bool hasGlyphs() const { return !characters.empty(); }

  std::map<char, Character> characters;
  glm::mat4 projection{1.0f};
  GLuint VAO = 0;
  GLuint VBO = 0;
  float textWidth = 0.0f;

 private:
  bool fontTried = false;
  GLuint atlasTexture = 0;

  void loadFont();
  void initQuadBuffer();
  const Character* find(char c) const;
};
