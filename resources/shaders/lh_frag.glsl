#version 330 core
// The lighthouse: banded tower, lit like the other solids, with a lamp whose beam sweeps round.
uniform vec3 lightPos;
uniform vec3 lightDirection;
uniform mat4 V;
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;
uniform float time;

in vec3 worldPos;
in vec3 worldNor;
in vec3 modelPos;

out vec4 color;

// The tower's bands run from its base at 3 units to its top at 47, eight of them.
const float TowerBase = 3.0;
const float BandHeight = 5.5;
const float TowerTop = 47.0;
// The glazed lamp room, between the gallery and the dome.
const float LampBottom = 53.0;
const float LampTop = 58.2;
const float LampRadius = 3.8;
// Seconds for the beam to turn once.
const float TurnTime = 6.0;

void main() {
  vec3 n = normalize(worldNor);
  vec3 eye = -transpose(mat3(V)) * V[3].xyz;
  vec3 toEye = normalize(eye - worldPos);
  vec3 toLight = normalize(lightPos - worldPos);
  vec3 toFill = normalize(-lightDirection);

  vec3 diffuseColour = MatDif;
  float band = floor((modelPos.y - TowerBase) / BandHeight);
  if (modelPos.y > TowerBase && modelPos.y < TowerTop && mod(band, 2.0) > 0.5) {
    diffuseColour = vec3(0.55, 0.08, 0.06);
  }
  float diffuse = max(dot(n, toLight), 0.0) + 0.35 * max(dot(n, toFill), 0.0);
  float specular = pow(max(dot(n, normalize(toLight + toEye)), 0.0), max(shine, 1.0));
  vec3 lit = MatAmb * 0.5 + diffuseColour * diffuse + MatSpec * specular * 0.5;

  // The lamp glows warm; where the turning beam faces out the glass blazes.
  float radius = length(modelPos.xz);
  if (modelPos.y > LampBottom && modelPos.y < LampTop && radius < LampRadius) {
    float angle = atan(modelPos.z, modelPos.x) - 6.2831853 * time / TurnTime;
    float beam = pow(max(cos(angle), 0.0), 12.0);
    lit = vec3(1.0, 0.82, 0.45) * (0.7 + 2.0 * beam);
  }
  color = vec4(lit, 1.0);
}
