#version 330 core
// Blinn-Phong under the storm: a point light overhead and a cold directional fill from above,
// and a lightning flash from the bolt's side of the sky.
uniform vec3 lightPos;
uniform vec3 lightDirection;
uniform mat4 V;
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;
uniform float flash;
uniform vec3 flashDir;

in vec3 worldPos;
in vec3 worldNor;

out vec4 color;

void main() {
  vec3 n = normalize(worldNor);
  // The eye sits at the view matrix's origin.
  vec3 eye = -transpose(mat3(V)) * V[3].xyz;
  vec3 toEye = normalize(eye - worldPos);
  // Thin parts (sails, planks) are seen from both sides.
  if (dot(n, toEye) < 0.0) {
    n = -n;
  }
  vec3 toLight = normalize(lightPos - worldPos);
  vec3 toFill = normalize(-lightDirection);
  // Night light: the lamp above the camera carries most of it, the storm's glow from above a little.
  float diffuse = 0.7 * max(dot(n, toLight), 0.0) + 0.2 * max(dot(n, toFill), 0.0);
  // A shine of 0 is a matt material: no highlight at all (pow(0, 0) is undefined besides).
  float facing = max(dot(n, normalize(toLight + toEye)), 0.0);
  float specular = shine > 0.0 && facing > 0.0 ? pow(facing, shine) : 0.0;
  float struck = flash * (0.25 + 0.9 * max(dot(n, flashDir), 0.0));
  color = vec4(MatAmb + MatDif * (diffuse + struck) + MatSpec * specular, 1.0);
}
