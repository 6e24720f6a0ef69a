#version 330 core
// The lighthouse: world position and normal for lighting, model position for its lamp and bands.
uniform mat4 P;
uniform mat4 V;
uniform mat4 M;

in vec3 vertPos;
in vec3 vertNor;

out vec3 worldPos;
out vec3 worldNor;
out vec3 modelPos;

void main() {
  vec4 world = M * vec4(vertPos, 1.0);
  worldPos = world.xyz;
  worldNor = mat3(M) * vertNor;
  modelPos = vertPos;
  gl_Position = P * V * world;
}
