#version 330 core
// A dark, cold storm sea: the sky's haze reflected at grazing angles, glints from the light
// overhead and a far moon, shadows of the boat and lighthouse, and fog toward the horizon.
// Near the boat the swell shows its shape: troughs darker, crests lighter and breaking into
// foam, wind streaks laid along the wind. A lightning flash lights the sea and the haze from
// the bolt's side and leaves the bolt's glow mirrored on the water under it.
// Every pixel of the lower half of the screen runs this on a software rasteriser, so powers
// are written as products and exponentials, and what the vertices can give is taken from them.
uniform vec3 lightPos;
uniform vec3 eyePos;
uniform vec3 MatAmb;
uniform vec3 MatDif;
uniform vec3 MatSpec;
uniform float shine;
uniform sampler2D depthTexture;
uniform float flash;
uniform vec3 flashDir;

in vec3 worldPos;
in vec3 worldNor;
in vec3 shadowCoord;
in vec4 distanceTerms;
in vec2 foamCoord;
in vec3 chopPhase;
flat in mat3x2 chopDirections;

out vec4 color;

// The sky's colour low on the horizon and high overhead, as the sea reflects and fades into it.
const vec3 HorizonColour = vec3(0.15, 0.17, 0.22);
const vec3 ZenithColour = vec3(0.03, 0.035, 0.06);
const vec3 DeepColour = vec3(0.005, 0.02, 0.03);
// A moon low over the course, behind the clouds, draws a faint glitter path.
const vec3 MoonDirection = vec3(-0.2873, 0.3283, 0.8994);
// Depth bias of the shadow test, in the light's depth range.
const float ShadowBias = 0.004;
const vec3 FoamColour = vec3(0.36, 0.42, 0.46);
const vec3 MoonGlow = vec3(0.03, 0.06, 0.08);
const vec3 FlashColour = vec3(0.55, 0.6, 0.8);
// The chop's wave trains' slope amplitudes; their phases and directions come from the vertices.
const vec3 ChopSlope = vec3(0.11, 0.08, 0.06);

// A narrow highlight: pow(x, n) near x = 1, where it matters, as a single exponential.
float sharpPeak(float x, float n) { return exp2(n * 1.442695 * (x - 1.0)); }

// 1 where the light reaches the water, lower where a caster stands between. Outside the light's
// box the map's border reads as the far plane, so the sea there is lit; beyond the far plane
// the depth is held just inside it, which nothing drawn can lie behind.
float lightReaching() {
  float depth = min(shadowCoord.z, 1.0) - ShadowBias;
  return depth > texture(depthTexture, shadowCoord.xy).r ? 0.35 : 1.0;
}

// Wind-driven chop on the long swell: short wave trains that tilt the normal only, faded out
// with the surface detail before they could shimmer.
vec3 chop(vec3 n) {
  vec3 slopes = ChopSlope * cos(chopPhase) * distanceTerms.y;
  vec2 slope = chopDirections * slopes;
  return normalize(n - vec3(slope.x, 0.0, slope.y));
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
float foam(float crest) {
  float n = valueNoise(foamCoord);
  float streaks = smoothstep(0.72, 0.92, n);
  float breaking = crest * smoothstep(0.45, 0.8, n);
  return max(0.5 * streaks, breaking);
}

void main() {
  float fog = distanceTerms.x;
  float detail = distanceTerms.y;
  float falloff = distanceTerms.z;
  float height = distanceTerms.w;
  vec3 toEye = normalize(eyePos - worldPos);
  vec3 n = chop(normalize(worldNor));
  vec3 toLight = normalize(lightPos - worldPos);
  float shade = lightReaching();

  float grazing = 1.0 - max(dot(n, toEye), 0.0);
  float grazing2 = grazing * grazing;
  float fresnel = 0.02 + 0.98 * grazing2 * grazing2 * grazing;
  vec3 reflected = reflect(-toEye, n);
  vec3 sky = mix(HorizonColour, ZenithColour, clamp(reflected.y * 1.5, 0.0, 1.0));

  vec3 body = DeepColour + MatAmb * 0.3 + MatDif * 0.16 * max(dot(n, toLight), 0.0) * falloff;
  // Troughs fall into shadow.
  body *= 0.55 + 0.9 * height;
  // The low glow of the moon behind the clouds rakes across the chop, so the faces of the
  // small waves near the boat stand out from their backs.
  body += MoonGlow * max(dot(n, MoonDirection), 0.0);
  float crest = smoothstep(0.62, 0.95, height);
  float foamCover = foam(crest) * detail;

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

  // The storm's haze glows when lightning strikes, most towards the bolt.
  float hazeTowardsBolt = max(dot(-toEye, flashDir), 0.0);
  vec3 haze = HorizonColour + flashLight * (0.15 + 0.7 * hazeTowardsBolt * hazeTowardsBolt);
  color = vec4(mix(water, haze, fog), 1.0);
}
