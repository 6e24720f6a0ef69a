#pragma once

// Coarse stand-ins for obstacles seen from afar: the mesh's vertices are gathered into cubic
// cells and each cell's vertices become one, so a far rock costs a fraction of its triangles.

#include "gl/ObjLoader.h"

// The mesh with every vertex moved to the mean of the vertices sharing its cell of the given
// size (texture coordinates averaged alike) and the triangles that collapsed dropped. Normals
// are left out, so the shape they are uploaded into computes them from the coarse surface.
ObjShape coarsenMesh(const ObjShape& shape, float cellSize);
