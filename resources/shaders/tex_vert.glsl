#version 330 core
// Textured obstacles: world position, normal and texture coordinates.
in vec3 vertPos;
in vec3 vertNor;
in vec2 vertTex;

uniform mat4 P;
uniform mat4 V;
uniform mat4 M;

out vec3 worldPos;
out vec3 worldNormal;
out vec2 texCoord;

void main() {
  vec4 world = M * vec4(vertPos, 1.0);
  worldPos = world.xyz;
  worldNormal = mat3(M) * vertNor;
  texCoord = vertTex;
  gl_Position = P * V * world;
}
