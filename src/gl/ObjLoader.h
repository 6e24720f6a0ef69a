#pragma once

// The adapter between OBJ files and the game's meshes.

#include <string>
#include <vector>

#include <tiny_obj_loader.h>

// One OBJ sub-object as the game's meshes take it: flat per-vertex arrays and one index list.
// Each distinct (position, normal, texture coordinate) corner of the file becomes one vertex.
struct ObjMesh {
  std::vector<float> positions;
  std::vector<float> normals;    // empty unless every corner names a normal
  std::vector<float> texcoords;  // empty unless every corner names a texture coordinate
  std::vector<unsigned int> indices;
};

struct ObjShape {
  std::string name;
  ObjMesh mesh;
};

// Loads every sub-object of an OBJ file, triangulated. On failure returns false with the
// loader's message in errStr; materials are read (and otherwise unused) from mtlBasePath.
bool loadObj(std::vector<ObjShape>& shapes, std::vector<tinyobj::material_t>& materials,
             std::string& errStr, const std::string& path, const char* mtlBasePath);
