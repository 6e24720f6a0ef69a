#version 330 core
// One triangle over the whole view, built from the vertex index alone.
out vec2 screen;
void main() {
  vec2 corner = vec2(float((gl_VertexID & 1) << 2) - 1.0, float((gl_VertexID & 2) << 1) - 1.0);
  screen = corner;
  gl_Position = vec4(corner, 0.0, 1.0);
}
