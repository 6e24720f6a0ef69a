#version 330 core
// The sky cube map seen as an equirectangular panorama (mode 0) or as a perspective view towards
// +z, slightly raised (mode 1).
in vec2 screen;
uniform samplerCube sky;
uniform int mode;
uniform float aspect;
out vec4 colour;
void main() {
  vec3 dir;
  if (mode == 0) {
    float lon = screen.x * 3.14159265;
    float lat = screen.y * 1.57079633;
    dir = vec3(cos(lat) * sin(lon), sin(lat), cos(lat) * cos(lon));
  } else {
    float tanHalf = tan(radians(30.0));
    vec3 forward = normalize(vec3(0.0, 0.25, 1.0));
    vec3 right = normalize(cross(forward, vec3(0.0, 1.0, 0.0)));
    vec3 up = cross(right, forward);
    dir = forward + right * screen.x * tanHalf * aspect + up * screen.y * tanHalf;
  }
  colour = vec4(texture(sky, dir).rgb, 1.0);
}
