#version 330 core
// Wet dark stone under a storm sky: the rock texture, darkened and cooled, lit from above by the
// storm's glow and by a lamp over the camera, with a tight bright sheen where spray runs off.
// Texture0 gives the stone; texID, sampled far finer from the same unit, adds the grain that
// catches the sheen. The foot of the rock, where the sea washes it, is darker and wetter still.
in vec3 eyePos;
in vec3 eyeNormal;
in vec3 eyeLightPos;
in vec3 eyeLightDir;
in vec2 texCoord;
in float height;

uniform sampler2D Texture0;
uniform sampler2D texID;

out vec4 color;

const vec3 StormAmbient = vec3(0.05, 0.07, 0.10);
const vec3 SkyGlow = vec3(0.38, 0.44, 0.58);
const vec3 LampColour = vec3(0.85, 0.82, 0.74);
const float GrainScale = 6.0;

void main() {
  vec3 stone = texture(Texture0, texCoord).rgb;
  // The grain coordinate repeats across the rock; explicit gradients keep the mip level steady
  // where it wraps, so no seam shows.
  vec2 grainCoord = texCoord * GrainScale;
  float grain = textureGrad(texID, fract(grainCoord), dFdx(grainCoord), dFdy(grainCoord)).r;

  float waterline = smoothstep(-0.5, 2.5, height);
  float wetness = mix(1.0, 0.55, waterline);
  vec3 albedo = stone * vec3(0.55, 0.6, 0.68) * mix(0.5, 0.85, waterline) * (0.8 + 0.4 * grain);

  vec3 n = normalize(eyeNormal);
  if (!gl_FrontFacing) {
    n = -n;
  }
  vec3 toEye = normalize(-eyePos);

  vec3 toSky = normalize(-eyeLightDir);
  float skyDiffuse = max(dot(n, toSky), 0.0);

  vec3 toLampUnscaled = eyeLightPos - eyePos;
  float lampDistance = length(toLampUnscaled);
  vec3 toLamp = toLampUnscaled / lampDistance;
  float lampFalloff = 1.0 / (1.0 + 0.0004 * lampDistance * lampDistance);
  float lampDiffuse = max(dot(n, toLamp), 0.0) * lampFalloff;

  // Water on stone: a narrow, strong highlight, broken up by the grain.
  float shininess = mix(24.0, 90.0, wetness);
  float sheenStrength = wetness * (0.35 + 0.65 * grain);
  float skySheen = pow(max(dot(n, normalize(toSky + toEye)), 0.0), shininess);
  float lampSheen = pow(max(dot(n, normalize(toLamp + toEye)), 0.0), shininess) * lampFalloff;

  // Light grazing the silhouette off the wet surface.
  float rim = pow(1.0 - max(dot(n, toEye), 0.0), 4.0) * 0.25 * wetness;

  vec3 lit = albedo * (StormAmbient * 4.0 + SkyGlow * skyDiffuse * 0.6 + LampColour * lampDiffuse)
           + sheenStrength * (SkyGlow * skySheen + LampColour * lampSheen) + SkyGlow * rim;
  color = vec4(lit, 1.0);
}
