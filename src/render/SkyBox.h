#pragma once

// The sky box's cube-map texture.

#include <string>
#include <vector>

#include <glad/gl.h>

// Builds a cube-map texture from the image files dir + faces[i], one per face in GL target
// order (+X, -X, +Y, -Y, +Z, -Z), and returns its name; the cube map stays bound. A face that is
// missing, unreadable or of another size than the others is drawn black, so the rest of the sky
// still shows; the printed error count tells how many faces (and GL errors) went wrong.
GLuint loadCubeMap(const std::string& dir, const std::vector<std::string>& faces);
