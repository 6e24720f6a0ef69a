#version 330 core
// The sea: the flat plane lifted into the same swell the boat rides, evaluated in world space.
uniform mat4 P;
uniform mat4 V;
uniform mat4 M;
uniform mat4 LS;
uniform float time;
uniform float waveAmp;
uniform float waveLen;

in vec3 vertPos;
in vec3 vertNor;

out vec3 worldPos;
out vec3 worldNor;
out vec4 lightClip;
out float swell;

// The swell is defined with this rounded pi and on a 300-unit scale; the boat's sea height uses
// the same numbers, so the hull sits on the drawn surface.
const float SwellPi = 3.141592;
const float SwellScale = 300.0;

void main() {
  vec4 world = M * vec4(vertPos, 1.0);
  float a = world.x / SwellScale;
  float b = world.z / SwellScale + a;
  float alongB = 2.0 * SwellPi * (5.0 * b + 0.25 * time);
  float alongA = 2.0 * SwellPi * ((0.5 * a) / waveLen + 0.25 * time);
  float amplitude = 0.5 * waveAmp;
  swell = amplitude * (sin(alongB) + cos(alongA));
  world.y += swell;

  // The slope of the swell per world unit along x and z tilts the plane's upward normal.
  float kB = 2.0 * SwellPi * 5.0 / SwellScale;
  float kA = 2.0 * SwellPi * 0.5 / (waveLen * SwellScale);
  float slopeX = amplitude * (kB * cos(alongB) - kA * sin(alongA));
  float slopeZ = amplitude * kB * cos(alongB);
  vec3 up = normalize(mat3(M) * vertNor);
  worldNor = up - vec3(slopeX, 0.0, slopeZ);

  worldPos = world.xyz;
  lightClip = LS * world;
  gl_Position = P * V * world;
}
