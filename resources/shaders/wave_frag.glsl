#version 330 core
// Blinn-Phong water, darker where the shadow map says something stands between it and the light.
in vec3 worldPos;
in vec3 worldNormal;
in vec4 lightSpacePos;

uniform vec3 lightPos;
uniform vec3 eyePos;
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;
uniform sampler2D depthTexture;

out vec4 color;

void main() {
  vec3 n = normalize(worldNormal);
  vec3 toLight = normalize(lightPos - worldPos);
  vec3 toEye = normalize(eyePos - worldPos);
  float diffuse = max(dot(n, toLight), 0.0);
  float facing = max(dot(n, normalize(toLight + toEye)), 0.0);
  float specular = shine > 0.0 && facing > 0.0 ? pow(facing, shine) : 0.0;
  vec3 shadowCoord = lightSpacePos.xyz / max(lightSpacePos.w, 1e-4) * 0.5 + 0.5;
  float lit = shadowCoord.z - 0.005 > texture(depthTexture, shadowCoord.xy).r ? 0.5 : 1.0;
  color = vec4(MatAmb + lit * (MatDif * diffuse + MatSpec * specular), 1.0);
}
