#version 330 core
// Storm mood over the finished frame: a cold grade in the shadows, a soft vignette and a fine
// moving film grain. One texel read per pixel, filtered only while a slow renderer draws the scene
// smaller than the window (the texture's own filter says which); highlights and the screen's
// centre keep their colour.
in vec2 screenUV;

uniform sampler2D screenTexture;
uniform vec2 iResolution;
uniform float iTime;

out vec4 color;

const vec3 ColdShadowTint = vec3(0.86, 0.95, 1.10);
const float GrainStrength = 0.035;

float hash(vec2 p) {
  vec3 q = fract(vec3(p.xyx) * 0.1031);
  q += dot(q, q.yzx + 33.33);
  return fract((q.x + q.y) * q.z);
}

void main() {
  vec3 scene = texture(screenTexture, screenUV).rgb;
  float luma = dot(scene, vec3(0.2126, 0.7152, 0.0722));

  vec3 graded = mix(scene * ColdShadowTint, scene, smoothstep(0.35, 0.9, luma));

  vec2 fromCentre = screenUV - 0.5;
  fromCentre.x *= iResolution.x / max(iResolution.y, 1.0);
  float vignette = mix(0.62, 1.0, smoothstep(0.95, 0.38, length(fromCentre)));
  graded *= vignette;

  // A new grain pattern about 24 times a second, strongest in the dark parts of the frame.
  float frame = floor(iTime * 24.0);
  float grain = hash(gl_FragCoord.xy + vec2(frame * 37.0, frame * 91.0)) - 0.5;
  graded += grain * GrainStrength * (1.0 - luma);

  color = vec4(clamp(graded, 0.0, 1.0), 1.0);
}
