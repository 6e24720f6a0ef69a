#version 330 core
// The arrow must read at a glance in the dark: lit from the eye, with a glowing rim.
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;

in vec3 viewPos;
in vec3 viewNor;

out vec4 color;

void main() {
  vec3 n = normalize(viewNor);
  vec3 toEye = normalize(-viewPos);
  // A key light over the viewer's shoulder.
  vec3 toLight = normalize(vec3(0.3, 0.8, 0.5));
  float facing = abs(dot(n, toEye));
  float diffuse = max(dot(n, toLight), 0.0);
  float specular = pow(max(dot(n, normalize(toLight + toEye)), 0.0), shine);
  float rim = pow(1.0 - facing, 3.0);
  vec3 glow = MatDif * (0.35 + 0.9 * rim);
  color = vec4(MatAmb + MatDif * diffuse + MatSpec * specular + glow, 1.0);
}
