#pragma once

// The sea plane cut into square tiles, each a contiguous run of the plane's triangle list with a
// box around it, so that a frame submits only the tiles inside the view volume instead of the
// whole plane (most of which lies behind the camera). A plane that is a regular grid also gets a
// coarse version of each tile, at half the resolution inside but with its full-resolution edge,
// so far tiles cost less and any two neighbours meet without a crack whichever each is drawn as.

#include <vector>

#include <glm/glm.hpp>

#include "gl/Shape.h"
#include "render/Frustum.h"

class SeaTiles {
 public:
  using Range = Shape::IndexRange;

  // Sorts the plane's triangles into tilesPerSide × tilesPerSide tiles by where their centres
  // fall on the x–z plane; elements is reordered so that each tile's triangles are contiguous,
  // tile after tile in rows along x, and the coarse tiles' triangles, if any, are appended.
  // positions are x, y, z triples in the plane's own space.
  void build(const std::vector<float>& positions, std::vector<unsigned int>& elements,
             int tilesPerSide);

  // The index runs of the tiles that may show through the view volume, neighbouring runs merged.
  // model takes the plane to the world; rise widens each box up and down by the swell's height.
  // Tiles whose box lies further than fineWithin from the eye are drawn coarse where they can be.
  const std::vector<Range>& visibleRanges(const FrustumPlanes& planes, const glm::mat4& model,
                                          float rise, const glm::vec3& eye, float fineWithin);
  // Every tile, as one run.
  const std::vector<Range>& allRanges();

  int tileCount() const { return static_cast<int>(tiles.size()); }
  bool hasCoarseTiles() const { return !tiles.empty() && tiles.front().coarse.count > 0; }

 private:
  struct Tile {
    Range range;
    Range coarse;  // empty when the plane is not a regular grid
    glm::vec3 min{0.0f};
    glm::vec3 max{0.0f};
  };

  // Appends the coarse tiles to elements when the plane is a grid that the tiles divide evenly.
  void buildCoarseTiles(const std::vector<float>& positions, std::vector<unsigned int>& elements,
                        int tilesPerSide, const glm::vec3& low, const glm::vec3& high);

  std::vector<Tile> tiles;
  std::vector<Range> ranges;
};
