#version 330 core
// Samples the sky cube map (texture unit 0). The cube's floor, seen only through the troughs of
// the waves, is deep water rather than stars.
in vec3 skyDirection;
in vec3 faceNormal;

uniform samplerCube skybox;

out vec4 color;

const vec3 DeepWater = vec3(0.01, 0.025, 0.04);

void main() {
  vec3 sky = texture(skybox, skyDirection).rgb;
  float floorFace = step(0.5, abs(faceNormal.y)) * step(skyDirection.y, 0.0);
  color = vec4(mix(sky, DeepWater, floorFace), 1.0);
}
