#version 330 core
// One glyph quad: xy in window pixels, zw the glyph texture's coordinates.
in vec4 vertex;

uniform mat4 projection;

out vec2 glyphUV;

void main() {
  gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
  glyphUV = vertex.zw;
}
