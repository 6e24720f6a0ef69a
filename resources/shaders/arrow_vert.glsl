#version 330 core
// The arrow above the boat that points at the lighthouse.
in vec3 vertPos;
in vec3 vertNor;

uniform mat4 P;
uniform mat4 V;
uniform mat4 M;

out vec3 worldPos;
out vec3 worldNormal;

void main() {
  vec4 world = M * vec4(vertPos, 1.0);
  worldPos = world.xyz;
  worldNormal = mat3(M) * vertNor;
  gl_Position = P * V * world;
}
