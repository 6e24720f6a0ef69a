#version 330 core
// The arrow above the boat: view-space position and normal for its own lighting.
uniform mat4 P;
uniform mat4 V;
uniform mat4 M;

in vec3 vertPos;
in vec3 vertNor;

out vec3 viewPos;
out vec3 viewNor;

void main() {
  vec4 view = V * M * vec4(vertPos, 1.0);
  viewPos = view.xyz;
  viewNor = mat3(V * M) * vertNor;
  gl_Position = P * view;
}
