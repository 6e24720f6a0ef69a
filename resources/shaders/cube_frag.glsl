#version 330 core
// Samples the sky cube map (texture unit 0). The cube's floor, seen only through the troughs of
// the waves, is deep water rather than stars. A lightning flash lights the clouds from within:
// the whole sky lifts a little, the bolt's side of it much more.
in vec3 skyDirection;
in vec3 faceNormal;

uniform samplerCube skybox;
uniform float flash;
uniform vec3 flashDir;

out vec4 color;

const vec3 DeepWater = vec3(0.01, 0.025, 0.04);
const vec3 CloudFlash = vec3(0.50, 0.55, 0.72);

void main() {
  vec3 sky = texture(skybox, skyDirection).rgb;
  float floorFace = step(0.5, abs(faceNormal.y)) * step(skyDirection.y, 0.0);
  float towardsBolt = max(dot(normalize(skyDirection), flashDir), 0.0);
  float boltSide = towardsBolt * towardsBolt;
  // The clouds' own texture shapes the light, so the flash shows their folds, not a flat wash.
  vec3 lit = sky + flash * CloudFlash * (0.1 + 0.7 * boltSide * boltSide) * (0.4 + 2.5 * sky);
  color = vec4(mix(lit, DeepWater, floorFace), 1.0);
}
