// The builders of every model file but the boat and the lighthouse, and the list of them all.
#include "Models.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Noise.h"
#include "ResourceNames.h"

namespace assetgen {

namespace {

// Minimum that rounds the corner where two surfaces meet, over a width of about k.
float softMin(float a, float b, float k) {
  const float h = std::clamp(0.5f + 0.5f * (b - a) / k, 0.0f, 1.0f);
  return b + (a - b) * h - k * h * (1.0f - h);
}

}  // namespace

std::vector<NamedMesh> buildCube() {
  return {{"cube", box(glm::vec3(-0.5f), glm::vec3(0.5f))}};
}

std::vector<NamedMesh> buildWaterPlane() {
  // 192 quads a side: once the sea is scaled by 300 a vertex falls every 3.125 units, and the
  // drawn surface stays within 0.05 of the swell's height between vertices. Every vertex is
  // displaced by the swell on each frame, so the plane is no denser than that.
  constexpr int Quads = 192;
  const auto point = [](int column, int row) {
    const float step = 2.0f / static_cast<float>(Quads);
    return glm::vec3(-1.0f + step * static_cast<float>(column), 0.0f,
                     1.0f - step * static_cast<float>(row));
  };
  return {{"plane", gridSurface(Quads, Quads, point)}};
}

std::vector<NamedMesh> buildRock() {
  // A boulder: an ellipsoid cut by a few tilted planes into rough facets, then roughened with
  // noise. Texture coordinates wrap once around and once from base to top, which suits the
  // tiling stone texture under clamped sampling.
  FixedRandom random(0x0B0D1E5u);
  struct Facet {
    glm::vec3 normal;
    float distance;
  };
  std::vector<Facet> facets;
  for (int i = 0; i < 16; ++i) {
    const float azimuth = random.uniform(0.0f, 2.0f * Pi);
    const float height = random.uniform(-0.35f, 0.95f);
    const float ring = std::sqrt(1.0f - height * height);
    facets.push_back({{ring * std::cos(azimuth), height, ring * std::sin(azimuth)},
                      random.uniform(0.72f, 0.9f)});
  }
  const glm::vec3 radii(5.3f, 5.0f, 4.9f);
  const glm::vec3 centre(0.0f, 0.8f, 0.0f);
  constexpr int Columns = 36;
  constexpr int Rows = 24;
  const auto point = [&](int column, int row) {
    glm::vec3 dir;
    if (row == 0 || row == Rows) {
      dir = glm::vec3(0.0f, row == 0 ? -1.0f : 1.0f, 0.0f);
    } else {
      const float polar = Pi * (1.0f - static_cast<float>(row) / static_cast<float>(Rows));
      const float azimuth = 2.0f * Pi * static_cast<float>(column) / static_cast<float>(Columns);
      dir = {std::sin(polar) * std::cos(azimuth), std::cos(polar),
             -std::sin(polar) * std::sin(azimuth)};
    }
    float reach = 1.0f;
    for (const Facet& facet : facets) {
      const float facing = glm::dot(dir, facet.normal);
      if (facing > 0.05f) {
        reach = softMin(reach, facet.distance / facing, 0.035f);
      }
    }
    const float lumps = 0.08f * fractalNoise(dir * 1.7f, 5, 101);
    const float ridges = 0.06f * (0.5f - std::abs(gradientNoise(dir * 4.3f, 211))) +
                         0.03f * (0.5f - std::abs(gradientNoise(dir * 9.1f, 223)));
    const float grain = 0.012f * gradientNoise(dir * 14.0f, 307);
    // The underside spreads a little, as a boulder settled into the sea bed would.
    const float spread = dir.y < -0.2f ? 1.0f + 0.12f * (-0.2f - dir.y) : 1.0f;
    glm::vec3 p = dir * reach * (1.0f + lumps + ridges + grain);
    p.x *= spread;
    p.z *= spread;
    return centre + p * radii;
  };
  return {{"rock", gridSurface(Columns, Rows, point, {true, true})}};
}

std::vector<NamedMesh> buildTentacle() {
  // The centre line leans back a little, rises, then curls over into a hook while its heading
  // slowly turns, so the tentacle reads as alive from every side. Two rows of suckers run up
  // the inside of the curl.
  constexpr int Rings = 45;
  constexpr int Sides = 12;
  constexpr float Length = 8.6f;
  std::vector<glm::vec3> line;
  std::vector<float> radii;
  std::vector<glm::vec3> inner;
  glm::vec3 p(0.0f);
  for (int i = 0; i <= Rings; ++i) {
    const float s = static_cast<float>(i) / static_cast<float>(Rings);
    const float bend = 4.6f * s * s * s - 0.28f * std::sin(Pi * s);
    const float heading = 0.9f * s;
    const glm::vec3 tangent(std::sin(bend) * std::cos(heading), std::cos(bend),
                            std::sin(bend) * std::sin(heading));
    line.push_back(p);
    radii.push_back(0.6f * std::pow(1.0f - s, 0.9f) + 0.025f * (1.0f - s));
    inner.emplace_back(std::cos(bend) * std::cos(heading), -std::sin(bend),
                       std::cos(bend) * std::sin(heading));
    p += tangent * (Length / static_cast<float>(Rings));
  }
  float top = 0.0f;
  for (const glm::vec3& q : line) {
    top = std::max(top, q.y);
  }
  for (glm::vec3& q : line) {
    q.y *= 5.0f / top;
  }
  const std::vector<LineFrame> frames = lineFrames(line);
  const auto point = [&](int column, int row) {
    const size_t r = static_cast<size_t>(row);
    const LineFrame& frame = frames[r];
    const float angle = 2.0f * Pi * static_cast<float>(column) / static_cast<float>(Sides);
    const glm::vec3 out = std::cos(angle) * frame.side + std::sin(angle) * frame.across;
    const glm::vec3 towardsCurl = glm::normalize(inner[r] - frame.tangent * glm::dot(inner[r], frame.tangent));
    // Suckers: small swellings either side of the inner line, alternating along the length.
    const float aside = std::acos(std::clamp(glm::dot(out, towardsCurl), -1.0f, 1.0f));
    const float rowPhase = static_cast<float>(r) / 3.0f;
    const float left = glm::dot(out, glm::cross(frame.tangent, towardsCurl)) > 0.0f ? 0.0f : 0.5f;
    const float along = 0.5f + 0.5f * std::cos(2.0f * Pi * (rowPhase + left));
    const float around = std::max(0.0f, 1.0f - std::abs(aside - 0.45f) / 0.35f);
    const float sucker = r > 1 && r + 3 < static_cast<size_t>(Rings) ? along * around : 0.0f;
    return line[r] + radii[r] * (1.0f + 0.16f * sucker) * out;
  };
  Mesh mesh = gridSurface(Sides, Rings, point, {true, false});
  std::vector<glm::vec3> base(mesh.positions.begin(), mesh.positions.begin() + Sides);
  addFan(mesh, glm::vec3(0.0f), base, glm::vec3(0, -1, 0), true);
  return {{"tentacle", mesh}};
}

std::vector<NamedMesh> buildArrow() {
  // Turned about y, then laid down so that it points along +z.
  const Mesh turned = lathe({{0.0f, -7.0f},
                             {1.1f, -7.0f, true},
                             {1.1f, 2.5f, true},
                             {2.9f, 2.5f, true},
                             {0.0f, 9.0f}},
                            32);
  Mesh arrow;
  arrow.append(turned, glm::rotate(glm::mat4(1.0f), Pi / 2.0f, glm::vec3(1, 0, 0)));
  return {{"arrow", arrow}};
}

std::vector<NamedMesh> buildWhirlpoolStandIn() {
  // A shallow funnel seen from above, its surface facing up and in.
  std::vector<ProfilePoint> profile;
  for (int i = 0; i <= 8; ++i) {
    const float t = static_cast<float>(i) / 8.0f;
    profile.push_back({6.0f * (1.0f - t), -3.5f * t * t * t});
  }
  return {{"whirlpool", lathe(profile, 32)}};
}

const std::vector<ModelFile>& modelFiles() {
  static const std::vector<ModelFile> files = {
      {resources::inResourceDir(resources::CubeModel), buildCube},
      {resources::inResourceDir(resources::WaterModel), buildWaterPlane},
      {resources::inResourceDir(resources::RockModel), buildRock},
      {resources::inResourceDir(resources::TentacleModel), buildTentacle},
      {resources::inResourceDir(resources::LighthouseModel), buildLighthouse},
      {resources::inResourceDir(resources::ArrowModel), buildArrow},
      {resources::inResourceDir(resources::WhirlpoolModel), buildWhirlpoolStandIn},
      {resources::inResourceDir(resources::BoatModel), buildBoat},
  };
  return files;
}

}  // namespace assetgen
