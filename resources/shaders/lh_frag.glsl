#version 330 core
// The lighthouse: Blinn-Phong, with its lamp room brightening as the beam sweeps past.
in vec3 worldPos;
in vec3 worldNormal;

uniform vec3 lightPos;
uniform vec3 lightDirection;
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;
uniform float time;

out vec4 color;

void main() {
  vec3 n = normalize(worldNormal);
  vec3 toLight = normalize(lightPos - worldPos);
  vec3 fromAbove = normalize(-lightDirection);
  float diffuse = max(dot(n, toLight), 0.0) + 0.4 * max(dot(n, fromAbove), 0.0);
  float facing = max(dot(n, normalize(toLight + fromAbove)), 0.0);
  float specular = shine > 0.0 && facing > 0.0 ? pow(facing, shine) : 0.0;
  float beam = pow(max(sin(time * 1.5), 0.0), 8.0) * smoothstep(20.0, 30.0, worldPos.y);
  color = vec4(MatAmb + MatDif * diffuse + MatSpec * specular + vec3(1.0, 0.9, 0.6) * beam, 1.0);
}
