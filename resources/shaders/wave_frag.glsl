#version 330 core
// A dark, cold storm sea: the sky's haze reflected at grazing angles, glints from the light
// overhead and a far moon, shadows of the boat and lighthouse, and fog toward the horizon.
// Near the boat the swell shows its shape: troughs darker, crests lighter and breaking into
// foam, wind streaks laid along the wind. A lightning flash lights the sea and the haze from
// the bolt's side and leaves the bolt's glow mirrored on the water under it.
// Every pixel of the lower half of the screen runs this on a software rasteriser, so powers
// are written as products and exponentials.
uniform vec3 lightPos;
uniform vec3 eyePos;
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;
uniform float waveAmp;
uniform float time;
uniform sampler2D depthTexture;
uniform float flash;
uniform vec3 flashDir;
uniform vec2 wind;

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
const vec3 MoonDirection = vec3(-0.2873, 0.3283, 0.8994);
// exp2(-(d / FogDistance)^2 / ln 2) for a fog distance of 190 units.
const float FogFalloff = 1.0 / (190.0 * 190.0 * 0.6931472);
// Depth bias of the shadow test, in the light's depth range.
const float ShadowBias = 0.004;
const vec3 FoamColour = vec3(0.36, 0.42, 0.46);
const vec3 MoonGlow = vec3(0.03, 0.06, 0.08);
const vec3 FlashColour = vec3(0.55, 0.6, 0.8);
// Surface detail (foam, streaks) fades out by this distance, before it could shimmer.
const float DetailDistance = 90.0;

// A narrow highlight: pow(x, n) near x = 1, where it matters, as a single exponential.
float sharpPeak(float x, float n) { return exp2(n * 1.442695 * (x - 1.0)); }

// 1 where the light reaches the water, lower where a caster stands between.
float lightReaching() {
  vec3 p = lightClip.xyz / lightClip.w * 0.5 + 0.5;
  // Outside the light's box (and beyond its far plane) nothing was drawn: the sea is lit.
  if (p.x < 0.0 || p.x > 1.0 || p.y < 0.0 || p.y > 1.0 || p.z > 1.0) {
    return 1.0;
  }
  // The map has some 36 texels to a unit of sea, fine enough for one look-up.
  return p.z - ShadowBias > texture(depthTexture, p.xy).r ? 0.35 : 1.0;
}

// Wind-driven chop on the long swell: short wave trains that tilt the normal only, fading out
// with distance before they could shimmer.
vec3 chop(vec3 n, float eyeDistance) {
  vec2 p = worldPos.xz;
  const vec2 d1 = vec2(0.8, 0.6);
  const vec2 d2 = vec2(-0.53, 0.85);
  const vec2 d3 = vec2(0.28, -0.96);
  vec2 slope = d1 * (0.11 * cos(dot(d1, p) * 0.9 + time * 1.7)) +
               d2 * (0.08 * cos(dot(d2, p) * 1.7 + time * 2.3)) +
               d3 * (0.06 * cos(dot(d3, p) * 3.1 + time * 3.3));
  float fade = clamp(1.4 - eyeDistance * (1.0 / 80.0), 0.0, 1.0);
  return normalize(n - vec3(slope.x, 0.0, slope.y) * fade);
}

// A pseudo-random value per lattice point from multiplies and fract alone: a sine per corner is
// costly on a software rasteriser, and the foam asks for four of them per pixel.
float hash(vec2 p) {
  vec3 q = fract(vec3(p.xyx) * 0.1031);
  q += dot(q, q.yzx + 33.33);
  return fract((q.x + q.y) * q.z);
}

// Smooth value noise, 0..1, one lattice cell per unit.
float valueNoise(vec2 p) {
  vec2 cell = floor(p);
  vec2 f = p - cell;
  vec2 s = f * f * (3.0 - 2.0 * f);
  float bottom = mix(hash(cell), hash(cell + vec2(1.0, 0.0)), s.x);
  float top = mix(hash(cell + vec2(0.0, 1.0)), hash(cell + vec2(1.0, 1.0)), s.x);
  return mix(bottom, top, s.y);
}

// Foam, 0..1, from one noise look-up stretched far along the wind: its rare high ridges are the
// thin streaks the wind draws over the whole sea, and on the crests a lower threshold turns it
// into broken white water.
float foam(vec2 p, float crest) {
  // A calm (an unset wind) still needs a direction for the streaks to lie along.
  vec2 along = dot(wind, wind) > 0.0 ? normalize(wind) : vec2(1.0, 0.0);
  vec2 across = vec2(-along.y, along.x);
  float drift = time * length(wind) * 0.15;
  float n = valueNoise(vec2((dot(p, along) - drift) * 0.12, dot(p, across) * 0.9));
  float streaks = smoothstep(0.72, 0.92, n);
  float breaking = crest * smoothstep(0.45, 0.8, n);
  return max(0.5 * streaks, breaking);
}

void main() {
  vec3 toEyeFull = eyePos - worldPos;
  float eyeDistance2 = dot(toEyeFull, toEyeFull);
  float inverseEyeDistance = inversesqrt(eyeDistance2);
  vec3 toEye = toEyeFull * inverseEyeDistance;
  vec3 n = chop(normalize(worldNor), eyeDistance2 * inverseEyeDistance);
  vec3 toLightFull = lightPos - worldPos;
  float lightDistance2 = dot(toLightFull, toLightFull);
  vec3 toLight = toLightFull * inversesqrt(lightDistance2);
  float falloff = 1.0 / (1.0 + 0.0004 * lightDistance2);
  float shade = lightReaching();

  float grazing = 1.0 - max(dot(n, toEye), 0.0);
  float grazing2 = grazing * grazing;
  float fresnel = 0.02 + 0.98 * grazing2 * grazing2 * grazing;
  vec3 reflected = reflect(-toEye, n);
  vec3 sky = mix(HorizonColour, ZenithColour, clamp(reflected.y * 1.5, 0.0, 1.0));

  vec3 body = DeepColour + MatAmb * 0.3 + MatDif * 0.16 * max(dot(n, toLight), 0.0) * falloff;
  // Height on the swell, 0 in the troughs and 1 on the crests: troughs fall into shadow.
  float height = clamp(swell / waveAmp + 0.5, 0.0, 1.0);
  body *= 0.55 + 0.9 * height;
  // The low glow of the moon behind the clouds rakes across the chop, so the faces of the
  // small waves near the boat stand out from their backs.
  body += MoonGlow * max(dot(n, MoonDirection), 0.0);
  float eyeDistance = eyeDistance2 * inverseEyeDistance;
  float detail = 1.0 - smoothstep(0.4 * DetailDistance, DetailDistance, eyeDistance);
  float crest = smoothstep(0.62, 0.95, height);
  // Far off the foam has faded out: skipped there, as it costs most of the sea's pixels.
  float foamCover = detail > 0.0 ? foam(worldPos.xz, crest) * detail : 0.0;

  // The flash: the sea lit from the bolt's side, and the bright sky mirrored in it.
  vec3 flashLight = FlashColour * flash;
  float boltSide = max(dot(reflected, flashDir), 0.0);
  float boltSide2 = boltSide * boltSide;
  sky += flashLight * (0.2 + 1.0 * boltSide2 * boltSide2);
  body += flashLight * (0.03 + 0.15 * max(dot(n, flashDir), 0.0));

  vec3 water = mix(body * shade, sky, fresnel);
  water = mix(water, FoamColour * (0.7 + 0.5 * shade) + flashLight * 0.5, foamCover * 0.75);
  // The bolt's own glow, mirrored on the water beneath it.
  water += flashLight * 0.9 * sharpPeak(boltSide, 90.0);

  float glint = sharpPeak(max(dot(n, normalize(toLight + toEye)), 0.0), shine * 12.0);
  float moon = sharpPeak(max(dot(reflected, MoonDirection), 0.0), 180.0);
  water += (MatSpec * glint * falloff + vec3(0.35, 0.38, 0.45) * moon) * shade;

  float fog = 1.0 - exp2(-eyeDistance2 * FogFalloff);
  // The storm's haze glows when lightning strikes, most towards the bolt.
  float hazeTowardsBolt = max(dot(-toEye, flashDir), 0.0);
  vec3 haze = HorizonColour + flashLight * (0.15 + 0.7 * hazeTowardsBolt * hazeTowardsBolt);
  color = vec4(mix(water, haze, fog), 1.0);
}
