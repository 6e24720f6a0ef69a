#version 330 core
// Diffuse lighting of a textured surface; texID reads the same unit as Texture0.
in vec3 worldPos;
in vec3 worldNormal;
in vec2 texCoord;

uniform vec3 lightPos;
uniform vec3 lightDirection;
uniform sampler2D Texture0;
uniform sampler2D texID;

out vec4 color;

void main() {
  vec3 n = normalize(worldNormal);
  float diffuse = max(dot(n, normalize(lightPos - worldPos)), 0.0) +
                  0.4 * max(dot(n, normalize(-lightDirection)), 0.0);
  vec3 albedo = mix(texture(Texture0, texCoord).rgb, texture(texID, texCoord).rgb, 0.5);
  color = vec4(albedo * (0.15 + diffuse), 1.0);
}
