// Rasterising the font's glyphs with FreeType and drawing text quads.
#include "render/TextRenderer.h"

#include <algorithm>
#include <iostream>
#include <vector>

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

// Whole pixels of a 26.6 fixed-point advance.
float advancePixels(GLuint advance) { return static_cast<float>(advance >> 6); }

// Glyph bitmaps sit this many pixels apart in the atlas, so filtering never reaches a neighbour.
constexpr int AtlasPadding = 2;
constexpr int AtlasWidth = 1024;

// Rasterises the first 128 character codes into one single-channel atlas texture, in rows, and
// returns it; each glyph records where in the atlas its bitmap lies.
GLuint loadGlyphs(FT_Face face, std::map<char, TextRenderer::Character>& characters) {
  struct Bitmap {
    int code;
    TextRenderer::Character character;
    std::vector<unsigned char> pixels;
    glm::ivec2 corner;
  };
  FT_Set_Pixel_Sizes(face, 0, GlyphPixelSize);
  std::vector<Bitmap> bitmaps;
  glm::ivec2 pen(AtlasPadding, AtlasPadding);
  int rowHeight = 0;
  for (int code = 0; code < GlyphCount; ++code) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
      std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
      continue;
    }
    const FT_GlyphSlot glyph = face->glyph;
    const glm::ivec2 size(static_cast<int>(glyph->bitmap.width),
                          static_cast<int>(glyph->bitmap.rows));
    Bitmap bitmap{code,
                  {0, size, glm::ivec2(glyph->bitmap_left, glyph->bitmap_top),
                   static_cast<GLuint>(glyph->advance.x)},
                  {},
                  {0, 0}};
    // Rows are copied one by one: FreeType's pitch may be wider than the bitmap.
    for (int row = 0; row < size.y; ++row) {
      const unsigned char* source = glyph->bitmap.buffer + row * glyph->bitmap.pitch;
      bitmap.pixels.insert(bitmap.pixels.end(), source, source + size.x);
    }
    if (pen.x + size.x + AtlasPadding > AtlasWidth) {
      pen = glm::ivec2(AtlasPadding, pen.y + rowHeight + AtlasPadding);
      rowHeight = 0;
    }
    bitmap.corner = pen;
    pen.x += size.x + AtlasPadding;
    rowHeight = std::max(rowHeight, size.y);
    bitmaps.push_back(std::move(bitmap));
  }
  const int atlasHeight = pen.y + rowHeight + AtlasPadding;
  std::vector<unsigned char> atlas(static_cast<size_t>(AtlasWidth) * atlasHeight, 0);
  for (const Bitmap& bitmap : bitmaps) {
    const glm::ivec2 size = bitmap.character.size;
    for (int row = 0; row < size.y; ++row) {
      std::copy_n(bitmap.pixels.begin() + static_cast<std::ptrdiff_t>(row) * size.x, size.x,
                  atlas.begin() + static_cast<std::ptrdiff_t>(bitmap.corner.y + row) * AtlasWidth +
                      bitmap.corner.x);
    }
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, AtlasWidth, atlasHeight, 0, GL_RED, GL_UNSIGNED_BYTE,
               atlas.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glBindTexture(GL_TEXTURE_2D, 0);
  const glm::vec2 atlasSize(static_cast<float>(AtlasWidth), static_cast<float>(atlasHeight));
  for (Bitmap& bitmap : bitmaps) {
    TextRenderer::Character& character = bitmap.character;
    character.textureID = texture;
    character.uvMin = glm::vec2(bitmap.corner) / atlasSize;
    character.uvMax = glm::vec2(bitmap.corner + character.size) / atlasSize;
    characters.emplace(static_cast<char>(bitmap.code), character);
  }
  return texture;
}

}  // namespace

TextRenderer::~TextRenderer() {
  if (atlasTexture != 0) {
    glDeleteTextures(1, &atlasTexture);
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
    atlasTexture = loadGlyphs(face, characters);
    FT_Done_Face(face);
  }
  FT_Done_FreeType(ft);
}

void TextRenderer::initQuadBuffer() {
  glGenVertexArrays(1, &VAO);
  glGenBuffers(1, &VBO);
  glBindVertexArray(VAO);
  glBindBuffer(GL_ARRAY_BUFFER, VBO);
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
  // The whole line is one draw from the glyph atlas.
  std::vector<float> vertices;
  vertices.reserve(text.size() * 6 * 4);
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
      // The bitmap's first row is its top, hence the smaller v along the upper edge.
      const glm::vec2 lo = ch->uvMin;
      const glm::vec2 hi = ch->uvMax;
      vertices.insert(vertices.end(),
                      {xpos, ypos + h, lo.x, lo.y, xpos, ypos, lo.x, hi.y, xpos + w, ypos, hi.x,
                       hi.y, xpos, ypos + h, lo.x, lo.y, xpos + w, ypos, hi.x, hi.y, xpos + w,
                       ypos + h, hi.x, lo.y});
    }
    x += advancePixels(ch->advance) * scale * AdvanceSpread;
  }
  if (vertices.empty()) {
    prog->unbind();
    return;
  }
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, atlasTexture);
  glBindVertexArray(VAO);
  // Glyph quads overlap their neighbours; writing their depth would clip the next glyph.
  GLboolean depthWrites = GL_TRUE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  glDepthMask(GL_FALSE);
  // Fresh storage for every line: a renderer still drawing the last line need not be waited for.
  glBindBuffer(GL_ARRAY_BUFFER, VBO);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
               vertices.data(), GL_STREAM_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  const auto vertexCount = static_cast<GLsizei>(vertices.size() / 4);
  glDrawArrays(GL_TRIANGLES, 0, vertexCount);

  glDepthMask(depthWrites);
  glBindVertexArray(0);
  glBindTexture(GL_TEXTURE_2D, 0);
  prog->unbind();
}
