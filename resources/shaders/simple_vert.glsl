#version 330 core
// Lit solid objects: world-space position and normal for the fragment stage.
uniform mat4 P;
uniform mat4 V;
uniform mat4 M;

in vec3 vertPos;
in vec3 vertNor;

out vec3 worldPos;
out vec3 worldNor;

void main() {
  vec4 world = M * vec4(vertPos, 1.0);
  worldPos = world.xyz;
  // The models are scaled uniformly, so the model matrix turns normals correctly.
  worldNor = mat3(M) * vertNor;
  gl_Position = P * V * world;
}
