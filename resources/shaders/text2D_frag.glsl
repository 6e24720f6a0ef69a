#version 330 core
// The glyph's coverage becomes the alpha of the text colour.
in vec2 glyphUV;

uniform sampler2D text;
uniform vec3 textColor;

out vec4 color;

void main() {
  color = vec4(textColor, texture(text, glyphUV).r);
}
