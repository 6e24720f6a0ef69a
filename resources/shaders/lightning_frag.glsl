#version 330 core
// Lightning bolt, drawn with additive blending: a white-hot core while the bolt is fresh that
// cools to violet-blue and flickers as it fades, reaching nothing when lifetime reaches 0.
uniform float lifetime;

flat in float glow;

out vec4 color;

// How bright the glow copies are beside the core.
const float GlowStrength = 0.35;

void main() {
  float life = clamp(lifetime, 0.0, 1.0);
  vec3 core = vec3(1.0, 1.0, 1.0);
  vec3 afterglow = vec3(0.55, 0.6, 1.0);
  // A few quick pulses while the bolt dies away, as real strokes re-strike the same channel.
  float flicker = 0.8 + 0.2 * cos(life * 40.0);
  float intensity = life * mix(flicker, 1.0, life * life);
  vec3 tint = mix(afterglow, core, life * life * (1.0 - glow));
  color = vec4(tint, intensity * mix(1.0, GlowStrength, glow));
}
