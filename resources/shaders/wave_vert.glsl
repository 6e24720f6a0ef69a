#version 330 core
// The sea: the flat plane lifted into the same swell the boat rides, evaluated in world space.
// What changes slowly or linearly across the sea's small triangles (fog, fades, the shadow
// map's coordinates, the noise and chop phases) is worked out here, per vertex, and only
// interpolated per pixel: on a software rasteriser every pixel's instruction counts.
uniform mat4 P;
uniform mat4 V;
uniform mat4 M;
uniform mat4 LS;
uniform float time;
uniform float waveAmp;
uniform float waveLen;
uniform vec3 lightPos;
uniform vec3 eyePos;
uniform vec2 wind;

in vec3 vertPos;
in vec3 vertNor;

out vec3 worldPos;
out vec3 worldNor;
// Where the point falls in the shadow map: its texture coordinates and depth.
out vec3 shadowCoord;
// x: fog 0..1, y: surface detail (foam, chop) 1 near .. 0 far, z: the light's falloff,
// w: height on the swell, 0 in the troughs and 1 on the crests.
out vec4 distanceTerms;
// The foam noise's coordinates: stretched far along the wind, drifting with it.
out vec2 foamCoord;
// The phases of the three short chop trains, and the directions they run in.
out vec3 chopPhase;
flat out mat3x2 chopDirections;

// The swell is defined with this rounded pi and on a 300-unit scale; the boat's sea height uses
// the same numbers, so the hull sits on the drawn surface.
const float SwellPi = 3.141592;
const float SwellScale = 300.0;
// exp2(-(d / FogDistance)^2 / ln 2) for a fog distance of 190 units.
const float FogFalloff = 1.0 / (190.0 * 190.0 * 0.6931472);
// Surface detail fades out between these distances, before it could shimmer.
const float DetailNear = 36.0;
const float DetailFar = 90.0;
// The chop's wave trains: directions, and wave numbers and speeds along them.
const vec2 ChopDirection1 = vec2(0.8, 0.6);
const vec2 ChopDirection2 = vec2(-0.53, 0.85);
const vec2 ChopDirection3 = vec2(0.28, -0.96);
const vec3 ChopWaveNumber = vec3(0.9, 1.7, 3.1);
const vec3 ChopSpeed = vec3(1.7, 2.3, 3.3);

void main() {
  vec4 world = M * vec4(vertPos, 1.0);
  float a = world.x / SwellScale;
  float b = world.z / SwellScale + a;
  float alongB = 2.0 * SwellPi * (5.0 * b + 0.25 * time);
  float alongA = 2.0 * SwellPi * ((0.5 * a) / waveLen + 0.25 * time);
  float amplitude = 0.5 * waveAmp;
  float swell = amplitude * (sin(alongB) + cos(alongA));
  world.y += swell;

  // The slope of the swell per world unit along x and z tilts the plane's upward normal.
  float kB = 2.0 * SwellPi * 5.0 / SwellScale;
  float kA = 2.0 * SwellPi * 0.5 / (waveLen * SwellScale);
  float slopeX = amplitude * (kB * cos(alongB) - kA * sin(alongA));
  float slopeZ = amplitude * kB * cos(alongB);
  vec3 up = normalize(mat3(M) * vertNor);
  worldNor = up - vec3(slopeX, 0.0, slopeZ);
  worldPos = world.xyz;

  // The light's box is an orthographic projection: its coordinates are linear across a
  // triangle and need no division per pixel.
  vec4 lightClip = LS * world;
  shadowCoord = lightClip.xyz / lightClip.w * 0.5 + 0.5;

  vec3 toEye = eyePos - world.xyz;
  float eyeDistance2 = dot(toEye, toEye);
  vec3 toLight = lightPos - world.xyz;
  distanceTerms = vec4(1.0 - exp2(-eyeDistance2 * FogFalloff),
                       1.0 - smoothstep(DetailNear, DetailFar, sqrt(eyeDistance2)),
                       1.0 / (1.0 + 0.0004 * dot(toLight, toLight)),
                       clamp(swell / waveAmp + 0.5, 0.0, 1.0));

  // A calm (an unset wind) still needs a direction for the streaks to lie along.
  vec2 along = dot(wind, wind) > 0.0 ? normalize(wind) : vec2(1.0, 0.0);
  vec2 across = vec2(-along.y, along.x);
  float drift = time * length(wind) * 0.15;
  foamCoord = vec2((dot(world.xz, along) - drift) * 0.12, dot(world.xz, across) * 0.9);
  chopDirections = mat3x2(ChopDirection1, ChopDirection2, ChopDirection3);
  chopPhase = vec3(dot(ChopDirection1, world.xz), dot(ChopDirection2, world.xz),
                   dot(ChopDirection3, world.xz)) * ChopWaveNumber + time * ChopSpeed;

  gl_Position = P * V * world;
}
