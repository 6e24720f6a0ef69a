#version 330 core
// A dark, cold storm sea: the sky's haze reflected at grazing angles, glints from the light
// overhead and a far moon, shadows of the boat and lighthouse, and fog toward the horizon.
uniform vec3 lightPos;
uniform vec3 eyePos;
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;
uniform float waveAmp;
uniform float time;
uniform sampler2D depthTexture;

in vec3 worldPos;
in vec3 worldNor;
in vec4 lightClip;
in float swell;

out vec4 color;

// The sky's colour low on the horizon and high overhead, as the sea reflects and fades into it.
const vec3 HorizonColour = vec3(0.15, 0.17, 0.22);
const vec3 ZenithColour = vec3(0.03, 0.035, 0.06);
const vec3 DeepColour = vec3(0.005, 0.02, 0.03);
// A moon low over the course, behind the clouds, draws a faint glitter path.
const vec3 MoonDirection = vec3(-0.28, 0.32, 0.9);
const float FogDistance = 190.0;
// Depth bias of the shadow test, in the light's depth range.
const float ShadowBias = 0.004;

// 1 where the light reaches the water, lower where a caster stands between.
float lightReaching() {
  vec3 p = lightClip.xyz / lightClip.w * 0.5 + 0.5;
  // Outside the light's box (and beyond its far plane) nothing was drawn: the sea is lit.
  if (p.x < 0.0 || p.x > 1.0 || p.y < 0.0 || p.y > 1.0 || p.z > 1.0) {
    return 1.0;
  }
  vec2 texel = 1.0 / vec2(textureSize(depthTexture, 0));
  float lit = 0.0;
  for (int i = 0; i < 4; ++i) {
    vec2 offset = (vec2(i % 2, i / 2) - 0.5) * texel;
    lit += p.z - ShadowBias > texture(depthTexture, p.xy + offset).r ? 0.0 : 1.0;
  }
  return mix(0.35, 1.0, lit * 0.25);
}

// Wind-driven chop on the long swell: a few short wave trains that tilt the normal only, fading
// out with distance before they could shimmer.
vec3 chop(vec3 n, float eyeDistance) {
  vec2 p = worldPos.xz;
  const vec2 d1 = vec2(0.8, 0.6);
  const vec2 d2 = vec2(-0.53, 0.85);
  const vec2 d3 = vec2(0.28, -0.96);
  const vec2 d4 = vec2(-0.94, -0.34);
  vec2 slope = d1 * (0.10 * cos(dot(d1, p) * 0.9 + time * 1.7)) +
               d2 * (0.08 * cos(dot(d2, p) * 1.7 + time * 2.3)) +
               d3 * (0.06 * cos(dot(d3, p) * 2.9 + time * 3.1)) +
               d4 * (0.04 * cos(dot(d4, p) * 4.3 + time * 3.9));
  float fade = 1.0 - smoothstep(30.0, 110.0, eyeDistance);
  return normalize(n - vec3(slope.x, 0.0, slope.y) * fade);
}

void main() {
  vec3 toEyeFull = eyePos - worldPos;
  float eyeDistance = length(toEyeFull);
  vec3 n = chop(normalize(worldNor), eyeDistance);
  vec3 toEye = toEyeFull / eyeDistance;
  vec3 toLightFull = lightPos - worldPos;
  float lightDistance = length(toLightFull);
  vec3 toLight = toLightFull / lightDistance;
  float falloff = 1.0 / (1.0 + 0.0004 * lightDistance * lightDistance);
  float shade = lightReaching();

  float facing = max(dot(n, toEye), 0.0);
  float fresnel = 0.02 + 0.98 * pow(1.0 - facing, 5.0);
  vec3 reflected = reflect(-toEye, n);
  vec3 sky = mix(HorizonColour, ZenithColour, clamp(reflected.y * 1.5, 0.0, 1.0));

  vec3 body = DeepColour + MatAmb * 0.3 + MatDif * 0.16 * max(dot(n, toLight), 0.0) * falloff;
  // Crests catch a little grey-white where the swell peaks.
  body += vec3(0.05, 0.06, 0.065) * smoothstep(0.55, 0.95, swell / waveAmp);
  vec3 water = mix(body * shade, sky, fresnel);

  float glint = pow(max(dot(n, normalize(toLight + toEye)), 0.0), shine * 12.0);
  float moon = pow(max(dot(reflected, normalize(MoonDirection)), 0.0), 180.0);
  water += (MatSpec * glint * falloff + vec3(0.35, 0.38, 0.45) * moon) * shade;

  float fog = 1.0 - exp(-(eyeDistance * eyeDistance) / (FogDistance * FogDistance));
  color = vec4(mix(water, HorizonColour, fog), 1.0);
}
