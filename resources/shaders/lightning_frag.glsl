#version 330 core
// A bolt glows white-blue and fades with its lifetime.
uniform float lifetime;

out vec4 color;

void main() {
  float glow = clamp(lifetime, 0.0, 1.0);
  color = vec4(vec3(0.85, 0.9, 1.0) * glow, glow);
}
