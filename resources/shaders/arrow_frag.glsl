#version 330 core
// The arrow lit from a fixed direction above, so it reads the same anywhere on the sea.
in vec3 worldPos;
in vec3 worldNormal;

uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;

out vec4 color;

void main() {
  vec3 n = normalize(worldNormal);
  vec3 toLight = normalize(vec3(0.3, 1.0, 0.2));
  float diffuse = max(dot(n, toLight), 0.0);
  float facing = max(dot(n, normalize(toLight + vec3(0.0, 0.0, 1.0))), 0.0);
  float specular = shine > 0.0 && facing > 0.0 ? pow(facing, shine) : 0.0;
  color = vec4(MatAmb + MatDif * diffuse + MatSpec * specular, 1.0);
}
