#version 330 core
// Storm mood over the finished frame: a cold grade in the shadows, a soft vignette and a fine
// moving film grain. One texel read per pixel, filtered only while a slow renderer draws the scene
// smaller than the window (the texture's own filter says which); highlights and the screen's
// centre keep their colour.
in vec2 screenUV;
in vec2 fromCentre;

uniform sampler2D screenTexture;
uniform float iTime;

out vec4 color;

const vec3 ColdShadowTint = vec3(0.86, 0.95, 1.10);
const float GrainStrength = 0.035;

// A grain value 0..1 per pixel from one dot product and two fracts (interleaved gradient
// noise): the cheapest noise that does not show a pattern at this strength.
float grainNoise(vec2 pixel) { return fract(52.9829189 * fract(dot(pixel, vec2(0.06711056, 0.00583715)))); }

void main() {
  vec3 scene = texture(screenTexture, screenUV).rgb;
  float luma = dot(scene, vec3(0.2126, 0.7152, 0.0722));

  vec3 graded = scene * mix(ColdShadowTint, vec3(1.0), smoothstep(0.35, 0.9, luma));

  // Darker towards the corners: eased on the squared distance, which needs no square root.
  float vignette = mix(0.62, 1.0, smoothstep(0.9025, 0.1444, dot(fromCentre, fromCentre)));
  graded *= vignette;

  // A new grain pattern about 24 times a second, strongest in the dark parts of the frame.
  // The pattern's offset repeats every few seconds, so it stays small however long the game
  // runs and the noise keeps its precision.
  float frame = mod(floor(iTime * 24.0), 97.0);
  float grain = grainNoise(gl_FragCoord.xy + vec2(frame * 37.0, frame * 91.0)) - 0.5;
  graded += grain * GrainStrength * (1.0 - luma);

  // The window's 8-bit channels clamp what is written to 0..1.
  color = vec4(graded, 1.0);
}
