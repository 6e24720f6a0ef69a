#version 330 core
// A rain or spray streak: bright at its head, fading along the trail.
in vec4 dropColour;

out vec4 color;

void main() { color = dropColour; }
