#version 330 core
// Shadow pass: positions seen from the light.
in vec3 vertPos;

uniform mat4 LP;
uniform mat4 LV;
uniform mat4 M;

void main() {
  gl_Position = LP * LV * M * vec4(vertPos, 1.0);
}
