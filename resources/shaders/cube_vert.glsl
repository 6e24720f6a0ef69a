#version 330 core
// The sky box: a large cube around the boat, looked up by direction from its centre.
in vec3 vertPos;
in vec3 vertNor;

uniform mat4 P;
uniform mat4 V;
uniform mat4 M;

out vec3 skyDirection;
out vec3 faceNormal;

void main() {
  skyDirection = vertPos;
  faceNormal = vertNor;
  vec4 position = P * V * M * vec4(vertPos, 1.0);
  // Depth at the far plane, so the sky lies behind everything (drawn with GL_LEQUAL).
  gl_Position = position.xyww;
}
