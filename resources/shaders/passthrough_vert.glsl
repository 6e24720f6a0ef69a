#version 330 core
// Full-screen quad: positions span -1..1 and double as the screen's texture coordinates.
layout(location = 0) in vec3 vertPos;

uniform vec2 iResolution;

out vec2 screenUV;
// The pixel's offset from the screen's centre with the width's share stretched to the window's
// aspect, so the vignette is round: linear across the quad, so worked out at its corners.
out vec2 fromCentre;

void main() {
  screenUV = vertPos.xy * 0.5 + 0.5;
  fromCentre = vec2(0.5 * vertPos.x * iResolution.x / max(iResolution.y, 1.0), 0.5 * vertPos.y);
  gl_Position = vec4(vertPos.xy, 0.0, 1.0);
}
