#version 330 core
// Lightning bolt: the vertices are already world positions, so there is no model matrix. Lines
// are one pixel wide in the core profile, so the bolt is drawn five times: once as its core and
// four times a pixel or so aside as a dimmer glow around it.
layout(location = 0) in vec3 vertPos;

uniform mat4 P;
uniform mat4 V;

flat out float glow;

// The four glow copies' offsets in normalised device coordinates, about a pixel and a half in
// the game's window.
const vec2 GlowOffsets[4] = vec2[4](vec2(0.003, 0.0), vec2(-0.003, 0.0), vec2(0.0, 0.004),
                                    vec2(0.0, -0.004));

void main() {
  gl_Position = P * V * vec4(vertPos, 1.0);
  glow = gl_InstanceID == 0 ? 0.0 : 1.0;
  if (gl_InstanceID > 0) {
    gl_Position.xy += GlowOffsets[gl_InstanceID - 1] * gl_Position.w;
  }
}
