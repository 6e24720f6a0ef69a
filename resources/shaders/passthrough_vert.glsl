#version 330 core
// Full-screen quad: positions span -1..1 and double as the screen's texture coordinates.
layout(location = 0) in vec3 vertPos;

out vec2 screenUV;

void main() {
  screenUV = vertPos.xy * 0.5 + 0.5;
  gl_Position = vec4(vertPos.xy, 0.0, 1.0);
}
