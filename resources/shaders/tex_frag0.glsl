#version 330 core
// Wet dark stone under a storm sky: the rock texture, darkened and cooled, lit from above by the
// storm's glow and by a lamp over the camera, with a tight bright sheen where spray runs off.
// Texture0 gives the stone's detail; texID, read from the same unit at a coarse level of the
// mip chain, gives broad patches of wetter and drier stone. The foot of the rock, where the sea
// washes it, is darker and wetter still.
in vec3 eyePos;
in vec3 eyeNormal;
in vec3 eyeLightPos;
in vec3 eyeLightDir;
in vec2 texCoord;
in float height;

uniform sampler2D Texture0;
uniform sampler2D texID;
// The lightning's flash and the direction towards its bolt, in world space.
uniform float flash;
uniform vec3 flashDir;
uniform mat4 V;

out vec4 color;

const vec3 StormAmbient = vec3(0.10, 0.12, 0.16);
const vec3 SkyGlow = vec3(0.42, 0.48, 0.62);
const vec3 LampColour = vec3(0.95, 0.90, 0.80);
const float PatchLevel = 5.0;

void main() {
  vec3 stone = texture(Texture0, texCoord).rgb;
  float patches = dot(textureLod(texID, texCoord, PatchLevel).rgb, vec3(0.333));

  float waterline = smoothstep(-0.5, 2.5, height);
  float wetness = clamp(mix(1.0, 0.35, waterline) + 0.6 * (0.5 - patches), 0.0, 1.0);
  // Wet stone is darker and a little bluer than dry stone.
  vec3 albedo = stone * mix(vec3(0.95, 0.95, 0.98), vec3(0.45, 0.5, 0.6), wetness);

  vec3 n = normalize(eyeNormal);
  vec3 toEye = normalize(-eyePos);
  vec3 toSky = normalize(-eyeLightDir);
  float skyDiffuse = max(dot(n, toSky), 0.0);

  vec3 toLampUnscaled = eyeLightPos - eyePos;
  float lampDistance = length(toLampUnscaled);
  vec3 toLamp = toLampUnscaled / lampDistance;
  float lampFalloff = 1.0 / (1.0 + 0.0002 * lampDistance * lampDistance);
  float lampDiffuse = max(dot(n, toLamp), 0.0) * lampFalloff;

  // Water on stone: a narrow, strong highlight.
  float shininess = mix(16.0, 80.0, wetness);
  float skySheen = pow(max(dot(n, normalize(toSky + toEye)), 0.0), shininess);
  float lampSheen = pow(max(dot(n, normalize(toLamp + toEye)), 0.0), shininess) * lampFalloff;
  // Light grazing the silhouette off the wet surface.
  float rim = pow(1.0 - max(dot(n, toEye), 0.0), 3.0) * 0.3 * wetness;

  vec3 lit = albedo * (StormAmbient * 3.0 + SkyGlow * skyDiffuse + LampColour * lampDiffuse) +
             wetness * (SkyGlow * skySheen + LampColour * lampSheen) + SkyGlow * rim;
  // The flash lights the stone from the bolt's side of the sky.
  vec3 toBolt = mat3(V) * flashDir;
  lit += albedo * SkyGlow * flash * (0.3 + 1.2 * max(dot(n, toBolt), 0.0));
  color = vec4(lit, 1.0);
}
