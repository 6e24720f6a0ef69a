#version 330 core
// A dark, slightly translucent rim; nothing uploads the colour, so it has its own value.
uniform vec3 outlineColor = vec3(0.02, 0.03, 0.06);

out vec4 color;

void main() {
  color = vec4(outlineColor, 0.85);
}
