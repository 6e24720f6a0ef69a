#pragma once

// Every model file the generator writes, with its builder.

#include <string>
#include <vector>

#include "Mesh.h"

namespace assetgen {

// Each builder returns the sub-objects of one model file, in file order.
std::vector<NamedMesh> buildCube();
std::vector<NamedMesh> buildWaterPlane();
std::vector<NamedMesh> buildRock();
std::vector<NamedMesh> buildTentacle();
std::vector<NamedMesh> buildLighthouse();
std::vector<NamedMesh> buildArrow();
std::vector<NamedMesh> buildWhirlpoolStandIn();
std::vector<NamedMesh> buildBoat();

struct ModelFile {
  std::string path;  // relative to the resource directory
  std::vector<NamedMesh> (*build)();
};

// Every model file of the game with its builder.
const std::vector<ModelFile>& modelFiles();

}  // namespace assetgen
