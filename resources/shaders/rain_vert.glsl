#version 330 core
// Rain and bow spray without a vertex buffer: line number gl_VertexID / 2 picks a drop, and
// the two ends are its head and the short trail behind it. Rain drops are fixed in the world and
// fall with the wind through a box that wraps around the camera, so they stream past as the
// camera turns or sails on; spray droplets are thrown up from the bow in a new burst every
// SprayPeriod seconds and fall back under gravity.
uniform mat4 P;
uniform mat4 V;
uniform vec3 eyePos;
uniform float time;
uniform float flash;
uniform vec2 wind;
uniform vec3 bow;
uniform float spray;
// Lines up to this number are rain, the rest spray.
uniform int streakCount;

out vec4 dropColour;

const vec3 RainBox = vec3(18.0, 12.0, 18.0);
const float FallSpeed = 16.0;
// How long a trail is, as seconds of its travel: a camera's motion blur. Spray is slower than
// rain, and its droplets are drawn out longer so they read as flying water.
const float RainTrailSeconds = 0.05;
const float SprayTrailSeconds = 0.09;
const vec3 RainColour = vec3(0.70, 0.76, 0.86);
const vec3 FlashColour = vec3(0.85, 0.88, 1.0);
const float SprayPeriod = 1.1;
const float Gravity = 9.8;

// Three independent numbers in 0..1 for a drop: an integer hash, since sine-based hashes
// repeat themselves for the large arguments a thousand drops need.
vec3 hash3(int n) {
  uvec3 h = uvec3(n) * uvec3(747796405u, 2891336453u, 1181783497u) + uvec3(12345u, 67891u, 2468u);
  h = ((h >> 16u) ^ h) * 0x45d9f3bu;
  h = ((h >> 16u) ^ h) * 0x45d9f3bu;
  h = (h >> 16u) ^ h;
  return vec3(h & 0xffffu) / 65535.0;
}

void main() {
  int drop = gl_VertexID / 2;
  bool tail = (gl_VertexID & 1) == 1;
  vec3 r = hash3(drop);
  vec3 head;
  vec3 velocity;
  float alpha;
  vec3 colour;
  float trailSeconds = RainTrailSeconds;
  if (drop < streakCount) {
    velocity = vec3(wind.x, -FallSpeed * (0.85 + 0.3 * r.z), wind.y);
    // The drop's place in the world, wrapped into the box whose corner trails the camera.
    vec3 corner = eyePos - 0.5 * RainBox;
    corner.y = eyePos.y - 0.35 * RainBox.y;
    vec3 travelled = r * RainBox + velocity * time;
    head = corner + mod(travelled - corner, RainBox);
    float distance = length(head - eyePos);
    // Drops right at the lens would be smears; far ones fade into the murk.
    alpha = smoothstep(1.0, 2.5, distance) * (1.0 - smoothstep(7.0, 9.0, distance));
    alpha *= 0.45 + 0.45 * flash;
    colour = mix(RainColour, FlashColour, flash);
  } else {
    float age = fract(time / SprayPeriod + r.x) * SprayPeriod;
    float angle = 6.2831853 * r.y;
    vec3 outward = vec3(cos(angle), 0.0, sin(angle));
    velocity = outward * (1.5 + 2.5 * r.z) + vec3(0.0, 3.5 + 3.0 * r.x, 0.0);
    vec3 start = bow + outward * 0.6;
    head = start + velocity * age - vec3(0.0, 0.5 * Gravity * age * age, 0.0);
    velocity.y -= Gravity * age;
    alpha = spray * (1.0 - age / SprayPeriod);
    trailSeconds = SprayTrailSeconds;
    colour = mix(vec3(0.78, 0.84, 0.9), FlashColour, flash);
  }
  vec3 world = tail ? head - velocity * trailSeconds : head;
  dropColour = vec4(colour, tail ? 0.0 : alpha);
  gl_Position = P * V * vec4(world, 1.0);
}
