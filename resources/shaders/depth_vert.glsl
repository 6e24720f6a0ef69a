#version 330 core
// Shadow casters seen from the light: only their depth matters.
uniform mat4 LP;
uniform mat4 LV;
uniform mat4 M;

in vec3 vertPos;

void main() { gl_Position = LP * LV * M * vec4(vertPos, 1.0); }
