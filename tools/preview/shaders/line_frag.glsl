#version 330 core
// The sea-level grid under a model.
out vec4 colour;
void main() { colour = vec4(0.25, 0.45, 0.75, 1.0); }
