#pragma once

// Saving generated meshes in the format the game loads.

#include <string>
#include <vector>

#include "Mesh.h"

namespace assetgen {

// Writes the meshes as the named sub-objects ("o name") of one Wavefront OBJ file. Texture
// coordinates are written for a mesh that has them. Returns false with a message on failure.
bool writeObj(const std::string& path, const std::vector<NamedMesh>& objects, std::string& error);

}  // namespace assetgen
