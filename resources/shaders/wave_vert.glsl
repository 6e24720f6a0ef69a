#version 330 core
// The sea: the plane lifted by a travelling swell, with its position in the light's space for
// the shadow lookup.
in vec3 vertPos;
in vec3 vertNor;

uniform mat4 P;
uniform mat4 V;
uniform mat4 M;
uniform mat4 LS;
uniform float time;
uniform float waveAmp;
uniform float waveLen;

out vec3 worldPos;
out vec3 worldNormal;
out vec4 lightSpacePos;

void main() {
  vec4 world = M * vec4(vertPos, 1.0);
  float phase = (world.x + world.z) * waveLen + time;
  world.y += waveAmp * sin(phase);
  float slope = waveAmp * waveLen * cos(phase);
  worldNormal = normalize(mat3(M) * vertNor + vec3(-slope, 0.0, -slope));
  worldPos = world.xyz;
  lightSpacePos = LS * world;
  gl_Position = P * V * world;
}
