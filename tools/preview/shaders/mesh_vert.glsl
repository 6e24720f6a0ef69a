#version 330 core
// A model in its own coordinates, seen by the preview's camera; the mesh upload puts the
// attributes at these fixed locations.
layout(location = 0) in vec3 vertPos;
layout(location = 1) in vec3 vertNor;
layout(location = 2) in vec2 vertTex;
uniform mat4 P;
uniform mat4 V;
out vec3 normal;
out vec2 uv;
void main() {
  gl_Position = P * V * vec4(vertPos, 1.0);
  normal = vertNor;
  uv = vertTex;
}
