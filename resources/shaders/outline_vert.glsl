#version 330 core
// The outline pass: the same mesh pushed outwards along its normals by a couple of pixels on
// screen, so that only a thin rim shows around the stencil-marked silhouette.
in vec3 vertPos;
in vec3 vertNor;

uniform mat4 P;
uniform mat4 V;
uniform mat4 M;

// Half the rim's width in normalised device units (about two pixels of a 1080-pixel window).
const float RimWidth = 0.004;

void main() {
  vec4 clip = P * V * M * vec4(vertPos, 1.0);
  vec2 clipNormal = (P * V * M * vec4(vertNor, 0.0)).xy;
  if (dot(clipNormal, clipNormal) > 1e-12) {
    vec2 push = normalize(clipNormal) * RimWidth * clip.w;
    // Keep the rim equally wide across and up the screen.
    push.x *= P[0][0] / P[1][1];
    clip.xy += push;
  }
  gl_Position = clip;
}
