// Rasterising the font's glyphs with FreeType and drawing text quads.
#include "render/TextRenderer.h"

#include <iostream>

#include <ft2build.h>
#include FT_FREETYPE_H
#include <glm/gtc/type_ptr.hpp>

#include "ResourceNames.h"
#include "gl/Program.h"

namespace {

constexpr FT_UInt GlyphPixelSize = 48;
constexpr int GlyphCount = 128;
// Glyphs are spaced a fifth wider than the font's own advance.
constexpr float AdvanceSpread = 1.2f;
constexpr GLsizeiptr QuadBytes = 6 * 4 * sizeof(float);

// Whole pixels of a 26.6 fixed-point advance.
float advancePixels(GLuint advance) { return static_cast<float>(advance >> 6); }

// Rasterises the first 128 character codes into one single-channel texture each.
void loadGlyphs(FT_Face face, std::map<char, TextRenderer::Character>& characters) {
  FT_Set_Pixel_Sizes(face, 0, GlyphPixelSize);
  for (int code = 0; code < GlyphCount; ++code) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
      std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
      continue;
    }
    const FT_GlyphSlot glyph = face->glyph;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(glyph->bitmap.width),
                 static_cast<GLsizei>(glyph->bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE,
                 glyph->bitmap.buffer);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const TextRenderer::Character character{
        texture,
        glm::ivec2(static_cast<int>(glyph->bitmap.width), static_cast<int>(glyph->bitmap.rows)),
        glm::ivec2(glyph->bitmap_left, glyph->bitmap_top), static_cast<GLuint>(glyph->advance.x)};
    characters.emplace(static_cast<char>(code), character);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace

TextRenderer::~TextRenderer() {
  for (const auto& entry : characters) {
    glDeleteTextures(1, &entry.second.textureID);
  }
  if (VBO != 0) {
    glDeleteBuffers(1, &VBO);
  }
  if (VAO != 0) {
    glDeleteVertexArrays(1, &VAO);
  }
}

void TextRenderer::init(const std::string& text, float scale) {
  // Later uploads (the sky box faces among them) rely on byte-aligned rows as well.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // A font that could not be read is not asked for again on every restart: the answer would
  // be the same, and the console would repeat it.
  if (characters.empty() && !fontTried) {
    fontTried = true;
    loadFont();
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (VAO == 0) {
    initQuadBuffer();
  }
  textWidth = measureText(text, 0.8f * scale);
}

void TextRenderer::loadFont() {
  FT_Library ft = nullptr;
  if (FT_Init_FreeType(&ft) != 0) {
    std::cout << "ERROR::FREETYTPE: library initialization failed" << std::endl;
    return;
  }
  FT_Face face = nullptr;
  if (FT_New_Face(ft, resources::Font, 0, &face) != 0) {
    std::cout << "ERROR::FREETYTPE: face initialization failed" << std::endl;
    std::cout << "Could not read the font " << resources::Font << "; the game runs without text."
              << std::endl;
  } else {
    loadGlyphs(face, characters);
    FT_Done_Face(face);
  }
  FT_Done_FreeType(ft);
}

void TextRenderer::initQuadBuffer() {
  glGenVertexArrays(1, &VAO);
  glGenBuffers(1, &VBO);
  glBindVertexArray(VAO);
  glBindBuffer(GL_ARRAY_BUFFER, VBO);
  glBufferData(GL_ARRAY_BUFFER, QuadBytes, nullptr, GL_DYNAMIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindVertexArray(0);
}

void TextRenderer::setTextWidth(const std::string& text, float scale) {
  textWidth = measureText(text, scale);
}

void TextRenderer::renderCentred(const std::shared_ptr<Program>& prog, const std::string& text,
                                 int width, float y, float scale, const glm::vec3& color) {
  setTextWidth(text, scale);
  renderText(prog, text, (static_cast<float>(width) - textWidth) / 2.0f, y, scale, color);
}

const TextRenderer::Character* TextRenderer::find(char c) const {
  const auto found = characters.find(c);
  return found == characters.end() ? nullptr : &found->second;
}

float TextRenderer::measureText(const std::string& text, float scale) const {
  float width = 0.0f;
  for (const char c : text) {
    if (const Character* ch = find(c)) {
      width += advancePixels(ch->advance) * scale * AdvanceSpread;
    }
  }
  return width;
}

void TextRenderer::renderText(const std::shared_ptr<Program>& prog, const std::string& text,
                              float x, float y, float scale, const glm::vec3& color) const {
  if (!prog || !prog->isLinked() || VAO == 0 || characters.empty()) {
    return;
  }
  prog->bind();
  glUniformMatrix4fv(prog->getUniform("projection"), 1, GL_FALSE, glm::value_ptr(projection));
  glUniform3f(prog->getUniform("textColor"), color.x, color.y, color.z);
  glActiveTexture(GL_TEXTURE0);
  glBindVertexArray(VAO);
  // Glyph quads overlap their neighbours; writing their depth would clip the next glyph.
  GLboolean depthWrites = GL_TRUE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  glDepthMask(GL_FALSE);

  for (const char c : text) {
    const Character* ch = find(c);
    if (ch == nullptr) {
      continue;
    }
    if (ch->size.x > 0 && ch->size.y > 0) {
      const float xpos = x + static_cast<float>(ch->bearing.x) * scale;
      const float ypos = y - static_cast<float>(ch->size.y - ch->bearing.y) * scale;
      const float w = static_cast<float>(ch->size.x) * scale;
      const float h = static_cast<float>(ch->size.y) * scale;
      // The bitmap's first row is its top, hence v = 0 along the upper edge.
      const float vertices[6][4] = {{xpos, ypos + h, 0.0f, 0.0f}, {xpos, ypos, 0.0f, 1.0f},
                                    {xpos + w, ypos, 1.0f, 1.0f}, {xpos, ypos + h, 0.0f, 0.0f},
                                    {xpos + w, ypos, 1.0f, 1.0f}, {xpos + w, ypos + h, 1.0f, 0.0f}};
      glBindTexture(GL_TEXTURE_2D, ch->textureID);
      glBindBuffer(GL_ARRAY_BUFFER, VBO);
      glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof vertices, vertices);
      glBindBuffer(GL_ARRAY_BUFFER, 0);
      glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    x += advancePixels(ch->advance) * scale * AdvanceSpread;
  }

  glDepthMask(depthWrites);
  glBindVertexArray(0);
  glBindTexture(GL_TEXTURE_2D, 0);
  prog->unbind();
}
