#version 330 core
// A plain key, fill and sky light; back faces in red, so wrong winding stands out.
in vec3 normal;
in vec2 uv;
uniform vec3 baseColour;
uniform int textured;
uniform sampler2D image;
out vec4 colour;
void main() {
  if (!gl_FrontFacing) {
    colour = vec4(0.85, 0.1, 0.1, 1.0);
    return;
  }
  vec3 n = normalize(normal);
  vec3 albedo = textured == 1 ? texture(image, uv).rgb * 1.6 : baseColour;
  float key = max(dot(n, normalize(vec3(0.5, 0.8, 0.45))), 0.0);
  float fill = max(dot(n, normalize(vec3(-0.6, 0.2, -0.5))), 0.0);
  float sky = 0.5 + 0.5 * n.y;
  vec3 lit = albedo * (0.85 * key + 0.25 * fill + 0.22 * sky);
  colour = vec4(pow(lit, vec3(1.0 / 2.2)), 1.0);
}
