#version 330 core
// Textured rocks: position, normal and the lights carried into eye space, where the eye sits at
// the origin, so the wet sheen needs no camera position.
in vec3 vertPos;
in vec3 vertNor;
in vec2 vertTex;

uniform mat4 P;
uniform mat4 V;
uniform mat4 M;
uniform vec3 lightPos;
uniform vec3 lightDirection;

out vec3 eyePos;
out vec3 eyeNormal;
out vec3 eyeLightPos;
out vec3 eyeLightDir;
out vec2 texCoord;
out float height;

void main() {
  vec4 world = M * vec4(vertPos, 1.0);
  vec4 eye = V * world;
  eyePos = eye.xyz;
  // Rocks are only turned and moved, so the model-view rotation carries normals unchanged.
  eyeNormal = mat3(V) * (mat3(M) * vertNor);
  eyeLightPos = (V * vec4(lightPos, 1.0)).xyz;
  eyeLightDir = mat3(V) * lightDirection;
  texCoord = vertTex;
  height = world.y;
  gl_Position = P * eye;
}
