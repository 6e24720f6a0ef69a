#version 330 core
// Shows the shadow map's depth on a full-screen quad, darkest nearest the light, with the light
// space's origin marked, for looking at the shadow pass by hand.
in vec2 screenUV;

uniform sampler2D depthTexture;
uniform mat4 LS;

out vec4 color;

void main() {
  float depth = texture(depthTexture, screenUV).r;
  vec4 origin = LS * vec4(0.0, 0.0, 0.0, 1.0);
  vec2 originUV = origin.xy / max(origin.w, 1e-4) * 0.5 + 0.5;
  float mark = 1.0 - smoothstep(0.004, 0.008, distance(screenUV, originUV));
  color = vec4(mix(vec3(depth), vec3(1.0, 0.2, 0.1), mark), 1.0);
}
