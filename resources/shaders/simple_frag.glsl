#version 330 core
// Blinn-Phong under the point light above the camera and the straight-down storm light.
in vec3 worldPos;
in vec3 worldNormal;

uniform vec3 lightPos;
uniform vec3 lightDirection;
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;

out vec4 color;

void main() {
  vec3 n = normalize(worldNormal);
  vec3 toLight = normalize(lightPos - worldPos);
  vec3 fromAbove = normalize(-lightDirection);
  // The point light hangs above the camera, so it stands in for the eye.
  vec3 toEye = toLight;
  float diffuse = max(dot(n, toLight), 0.0) + 0.4 * max(dot(n, fromAbove), 0.0);
  float facing = max(dot(n, normalize(toLight + toEye)), 0.0);
  // A shine of 0 means no highlight; pow(0, 0) is undefined.
  float specular = shine > 0.0 && facing > 0.0 ? pow(facing, shine) : 0.0;
  color = vec4(MatAmb + MatDif * diffuse + MatSpec * specular, 1.0);
}
