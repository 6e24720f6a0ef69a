// The boat model: hull, deck, keel, rudder, cabin, mast, boom, sail and rigging, built from code.
#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Models.h"

namespace assetgen {

namespace {

// The boat is modelled in centimetre-like units (the game draws it at 1/100): bow along +z,
// waterline at y = 0.
constexpr float SternZ = -160.0f;
constexpr float BowZ = 170.0f;
constexpr int Stations = 48;
constexpr int SectionPoints = 28;
constexpr float DeckCamber = 2.5f;
constexpr float MastZ = 40.0f;
constexpr float MastFoot = 22.0f;
// Low enough that the arrow the game floats 4 units above the boat (at 1/100 scale) clears the
// masthead.
constexpr float MastTop = 345.0f;
constexpr float SpreaderY = 230.0f;

float stationZ(float s) { return SternZ + (BowZ - SternZ) * s; }

float halfBeam(float s) {
  constexpr float Widest = 0.42f;
  constexpr float Beam = 56.0f;
  if (s < Widest) {
    const float t = (Widest - s) / Widest;
    return Beam * (1.0f - 0.28f * t * t);
  }
  const float t = (s - Widest) / (1.0f - Widest);
  return Beam * std::pow(std::max(0.0f, 1.0f - t * t), 0.9f);
}

float sheer(float s) {
  return s > 0.45f ? 22.0f + 14.0f * std::pow((s - 0.45f) / 0.55f, 2.0f)
                   : 22.0f + 5.0f * std::pow((0.45f - s) / 0.45f, 2.0f);
}

// Depth of the canoe body below the waterline; the stern and the forefoot ride above it.
float draft(float s) {
  const float rise = std::max(0.0f, std::sin(Pi * std::pow(s, 0.85f)));
  return -3.0f + 21.0f * std::pow(rise, 0.7f);
}

float signedPower(float v, float e) { return std::copysign(std::pow(std::abs(v), e), v); }

// Hull section at station s; column 0 is the port gunwale, the last the starboard gunwale.
glm::vec3 hullPoint(int column, float s) {
  const float a = Pi * (1.0f - static_cast<float>(column) / SectionPoints);
  const float w = halfBeam(s);
  const float top = sheer(s);
  const float bottom = -draft(s);
  const float down = std::pow(std::abs(std::sin(a)), 0.8f);
  const float flare = 1.0f + 0.06f * (1.0f - down);
  return {w * flare * signedPower(std::cos(a), 0.7f) / 1.06f, top + (bottom - top) * down,
          stationZ(s)};
}

float deckHeight(float across, float s) { return sheer(s) + DeckCamber * (1.0f - across * across); }

float stationOf(int row) { return static_cast<float>(row) / Stations; }

Mesh hull() {
  Mesh mesh = gridSurface(SectionPoints, Stations,
                          [](int column, int row) { return hullPoint(column, stationOf(row)); });
  // Transom: the stern section closed across the top by the deck's camber.
  std::vector<glm::vec3> outline;
  for (int column = 0; column <= SectionPoints; ++column) {
    outline.push_back(hullPoint(column, 0.0f));
  }
  const float w = halfBeam(0.0f);
  for (int i = 1; i < 8; ++i) {
    const float across = 1.0f - 2.0f * static_cast<float>(i) / 8.0f;
    outline.push_back({across * w, deckHeight(across, 0.0f), SternZ});
  }
  const glm::vec3 centre(0.0f, 0.5f * (sheer(0.0f) - draft(0.0f)), SternZ);
  addFan(mesh, centre, outline, {0, 0, -1}, true);
  // Rubbing strakes along both gunwales.
  for (const float side : {-1.0f, 1.0f}) {
    std::vector<glm::vec3> line;
    std::vector<float> radii;
    for (int row = 0; row <= Stations; ++row) {
      const float s = stationOf(row);
      line.push_back({side * (halfBeam(s) + 0.6f), sheer(s) + 0.4f, stationZ(s)});
      radii.push_back(1.8f);
    }
    Mesh strake = tube(line, radii, 8);
    const std::vector<glm::vec3> sternEnd(strake.positions.begin(), strake.positions.begin() + 8);
    const std::vector<glm::vec3> bowEnd(strake.positions.end() - 9, strake.positions.end() - 1);
    addFan(strake, line.front(), sternEnd, line.front() - line[1], true);
    addFan(strake, line.back(), bowEnd, line.back() - line[line.size() - 2], true);
    mesh.append(strake);
  }
  return mesh;
}

Mesh deck() {
  constexpr int Across = 12;
  const auto point = [](int column, int row) {
    const float s = stationOf(row);
    const float across = 1.0f - 2.0f * static_cast<float>(column) / Across;
    return glm::vec3(across * halfBeam(s), deckHeight(across, s), stationZ(s));
  };
  return gridSurface(Across, Stations, point);
}

// A closed symmetric foil standing in the y direction: sections from tipY (row 0) up to rootY,
// leading edge forward (+z).
Mesh foil(float rootY, float tipY, float rootLeadZ, float tipLeadZ, float rootChord,
          float tipChord, float thickness) {
  constexpr int Around = 20;
  constexpr int Span = 6;
  const auto section = [=](int column, int row) {
    const float t = static_cast<float>(row) / Span;
    const float y = tipY + (rootY - tipY) * t;
    const float lead = tipLeadZ + (rootLeadZ - tipLeadZ) * t;
    const float chord = tipChord + (rootChord - tipChord) * t;
    const float a = 2.0f * Pi * static_cast<float>(column) / Around;
    const float along = 0.5f * (1.0f - std::cos(a));
    return glm::vec3(thickness * chord * std::sin(a) * std::sqrt(1.0f - along) * 0.77f, y,
                     lead - along * chord);
  };
  Mesh mesh = gridSurface(Around, Span, section, {true, false});
  for (const int row : {0, Span}) {
    std::vector<glm::vec3> outline;
    for (int column = 0; column < Around; ++column) {
      outline.push_back(section(column, row));
    }
    const glm::vec3 middle = 0.5f * (outline[0] + outline[Around / 2]);
    addFan(mesh, middle, outline, {0, row == 0 ? -1 : 1, 0}, true);
  }
  return mesh;
}

Mesh ellipsoid(glm::vec3 centre, glm::vec3 radii, int segments) {
  std::vector<ProfilePoint> profile;
  for (int i = 0; i <= segments / 2; ++i) {
    const float a = Pi * (static_cast<float>(i) / static_cast<float>(segments / 2) - 0.5f);
    profile.push_back({i == 0 || i == segments / 2 ? 0.0f : std::cos(a), std::sin(a)});
  }
  Mesh mesh;
  mesh.append(lathe(profile, segments),
              glm::scale(glm::translate(glm::mat4(1.0f), centre), radii));
  return mesh;
}

Mesh keel() {
  Mesh mesh = foil(-8.0f, -80.0f, 22.0f, 6.0f, 62.0f, 44.0f, 0.14f);
  // Ballast bulb: an ellipsoid lying along the boat.
  Mesh bulb = ellipsoid({0.0f, -80.0f, -16.0f}, {9.0f, 8.0f, 36.0f}, 20);
  mesh.append(bulb);
  return mesh;
}

Mesh rudder() {
  Mesh mesh = foil(8.0f, -54.0f, -126.0f, -134.0f, 28.0f, 18.0f, 0.16f);
  mesh.append(rod({0.0f, 3.0f, -132.0f}, {0.0f, 31.0f, -132.0f}, 2.2f, 10));
  mesh.append(rod({0.0f, 30.0f, -132.0f}, {0.0f, 35.0f, -88.0f}, 1.6f, 8));
  return mesh;
}

// Flat-faced solid between a bottom and a top quadrilateral, each given in the order port
// stern, port bow, starboard bow, starboard stern.
Mesh frustum(const glm::vec3 (&bottom)[4], const glm::vec3 (&top)[4]) {
  Mesh mesh;
  const auto face = [&mesh](glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d) {
    const glm::vec3 n = glm::normalize(glm::cross(b - a, c - a));
    mesh.addQuad(mesh.addVertex(a, n), mesh.addVertex(b, n), mesh.addVertex(c, n),
                 mesh.addVertex(d, n));
  };
  face(top[0], top[1], top[2], top[3]);
  face(bottom[3], bottom[2], bottom[1], bottom[0]);
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    face(bottom[i], bottom[j], top[j], top[i]);
  }
  return mesh;
}

Mesh cabin() {
  // The foot sits below the deck so that no gap opens where the deck arches.
  const glm::vec3 bottom[4] = {
      {-30.0f, 18.0f, -74.0f}, {-30.0f, 18.0f, 26.0f}, {30.0f, 18.0f, 26.0f}, {30.0f, 18.0f, -74.0f}};
  const glm::vec3 top[4] = {
      {-24.0f, 44.0f, -68.0f}, {-24.0f, 44.0f, 8.0f}, {24.0f, 44.0f, 8.0f}, {24.0f, 44.0f, -68.0f}};
  Mesh mesh = frustum(bottom, top);
  // Port lights along both sides, leaning with the cabin sides, and two in the sloped front.
  const float lean = std::atan2(6.0f, 26.0f);
  for (const float side : {-1.0f, 1.0f}) {
    for (int i = 0; i < 3; ++i) {
      const float z = -56.0f + 22.0f * static_cast<float>(i);
      glm::mat4 place = glm::translate(glm::mat4(1.0f), {side * 27.0f, 33.0f, z});
      place = glm::rotate(place, side * lean, glm::vec3(0, 0, 1));
      mesh.append(box({-1.2f, -3.5f, -7.0f}, {1.2f, 3.5f, 7.0f}), place);
    }
  }
  const float slope = std::atan2(18.0f, 26.0f);
  for (const float side : {-1.0f, 1.0f}) {
    glm::mat4 place = glm::translate(glm::mat4(1.0f), {side * 11.0f, 32.0f, 16.5f});
    place = glm::rotate(place, -slope, glm::vec3(1, 0, 0));
    mesh.append(box({-8.0f, -4.0f, -1.2f}, {8.0f, 4.0f, 1.2f}), place);
  }
  mesh.append(box({-12.0f, 43.0f, -40.0f}, {12.0f, 47.0f, -16.0f}));
  for (const float side : {-1.0f, 1.0f}) {
    mesh.append(rod({side * 18.0f, 44.0f, -60.0f}, {side * 18.0f, 47.5f, -58.0f}, 0.9f, 6));
    mesh.append(rod({side * 18.0f, 47.5f, -58.0f}, {side * 18.0f, 47.5f, -2.0f}, 0.9f, 6));
    mesh.append(rod({side * 18.0f, 47.5f, -2.0f}, {side * 18.0f, 44.0f, 0.0f}, 0.9f, 6));
  }
  return mesh;
}

Mesh mast() {
  Mesh mesh;
  mesh.append(lathe({{0.0f, MastFoot},
                     {4.4f, MastFoot, true},
                     {4.2f, 200.0f},
                     {2.7f, MastTop, true},
                     {0.0f, MastTop + 1.5f}},
                    16),
              glm::translate(glm::mat4(1.0f), {0.0f, 0.0f, MastZ}));
  mesh.append(rod({-42.0f, SpreaderY, MastZ}, {42.0f, SpreaderY, MastZ}, 1.8f, 8));
  mesh.append(box({-3.0f, MastTop - 4.0f, MastZ - 8.0f}, {3.0f, MastTop + 1.0f, MastZ + 4.0f}));
  return mesh;
}

Mesh boom() {
  Mesh mesh = rod({0.0f, 68.0f, MastZ - 4.0f}, {0.0f, 68.0f, -120.0f}, 3.2f, 12);
  mesh.append(box({-3.0f, 62.0f, MastZ - 7.0f}, {3.0f, 72.0f, MastZ - 2.0f}));
  return mesh;
}

// A cloth triangle with belly, as two thin skins facing away from each other so that it
// shades correctly from either side. Columns run from the luff (tack to head) to the leech
// (clew to head), rows from the foot up; `roach` bows the leech outward in the sail's plane.
Mesh sailCloth(glm::vec3 tack, glm::vec3 head, glm::vec3 clew, float belly, float roach) {
  constexpr int Columns = 12;
  constexpr int Rows = 24;
  constexpr float Thickness = 1.2f;
  const glm::vec3 facing = glm::normalize(glm::cross(clew - tack, head - tack));
  const glm::vec3 leechOut = glm::normalize(glm::cross(head - clew, facing));
  const auto surface = [=](float u, float v) {
    if (v >= 1.0f) {
      return head;
    }
    const glm::vec3 luff = tack + v * (head - tack);
    const glm::vec3 leech = clew + v * (head - clew) + leechOut * (roach * std::sin(Pi * v));
    // The belly shrinks with the chord towards the head.
    const float depth =
        belly * std::pow(1.0f - v, 0.8f) * 4.0f * u * (1.0f - u) * (1.0f - 0.3f * u);
    return luff + u * (leech - luff) + facing * depth;
  };
  const auto u = [](int column) { return static_cast<float>(column) / Columns; };
  const auto v = [](int row) { return static_cast<float>(row) / Rows; };
  const glm::vec3 halfThickness = facing * (0.5f * Thickness);
  Mesh mesh = gridSurface(Columns, Rows, [&](int column, int row) {
    return surface(u(column), v(row)) + halfThickness;
  });
  mesh.append(gridSurface(Columns, Rows, [&](int column, int row) {
    return surface(u(Columns - column), v(row)) - halfThickness;
  }));
  // Narrow strips close the three edges between the skins.
  const glm::vec3 middle = (tack + head + clew) / 3.0f;
  const auto edge = [&](int steps, const auto& along) {
    for (int i = 0; i < steps; ++i) {
      const glm::vec3 a = along(i);
      const glm::vec3 b = along(i + 1);
      const glm::vec3 outward = 0.5f * (a + b) - middle;
      const glm::vec3 normal = glm::normalize(glm::cross(b - a, halfThickness));
      const bool flip = glm::dot(normal, outward) < 0.0f;
      const glm::vec3 n = flip ? -normal : normal;
      const uint32_t a0 = mesh.addVertex(a - halfThickness, n);
      const uint32_t b0 = mesh.addVertex(b - halfThickness, n);
      const uint32_t b1 = mesh.addVertex(b + halfThickness, n);
      const uint32_t a1 = mesh.addVertex(a + halfThickness, n);
      if (flip) {
        mesh.addQuad(a0, a1, b1, b0);
      } else {
        mesh.addQuad(a0, b0, b1, a1);
      }
    }
  };
  edge(Rows, [&](int row) { return surface(0.0f, v(row)); });
  edge(Rows, [&](int row) { return surface(1.0f, v(row)); });
  edge(Columns, [&](int column) { return surface(u(column), 0.0f); });
  return mesh;
}

Mesh rigging() {
  constexpr float Wire = 1.1f;
  constexpr int Sides = 6;
  Mesh mesh;
  mesh.append(rod({0.0f, MastTop - 2.0f, MastZ + 2.0f}, {0.0f, sheer(1.0f) + 1.0f, BowZ - 3.0f},
                  Wire, Sides));
  mesh.append(rod({0.0f, MastTop - 2.0f, MastZ - 3.0f}, {0.0f, sheer(0.0f) + 2.0f, SternZ + 3.0f},
                  Wire, Sides));
  for (const float side : {-1.0f, 1.0f}) {
    const glm::vec3 spreaderTip(side * 42.0f, SpreaderY, MastZ);
    const float chainS = (MastZ - SternZ) / (BowZ - SternZ);
    const glm::vec3 chainPlate(side * (halfBeam(chainS) - 2.0f), sheer(chainS) + 1.0f, MastZ);
    mesh.append(rod({0.0f, MastTop - 6.0f, MastZ}, spreaderTip, Wire, Sides));
    mesh.append(rod(spreaderTip, chainPlate, Wire, Sides));
    mesh.append(rod({side * 3.0f, SpreaderY - 2.0f, MastZ}, chainPlate, Wire, Sides));
    // Stanchions and the lifeline they carry.
    std::vector<glm::vec3> lifeline;
    for (const float s : {0.06f, 0.2f, 0.34f, 0.62f, 0.76f}) {
      const glm::vec3 foot(side * (halfBeam(s) - 3.0f), sheer(s), stationZ(s));
      const glm::vec3 top = foot + glm::vec3(0.0f, 24.0f, 0.0f);
      mesh.append(rod(foot, top, 1.3f, Sides));
      lifeline.push_back(top);
    }
    for (size_t i = 0; i + 1 < lifeline.size(); ++i) {
      mesh.append(rod(lifeline[i], lifeline[i + 1], 0.8f, Sides));
    }
  }
  return mesh;
}

}  // namespace

std::vector<NamedMesh> buildBoat() {
  const float tackS = 0.97f;
  return {
      {"hull", hull()},
      {"deck", deck()},
      {"cabin", cabin()},
      {"keel", keel()},
      {"rudder", rudder()},
      {"mast", mast()},
      {"boom", boom()},
      {"sail", sailCloth({0.0f, 72.0f, MastZ - 5.0f}, {0.0f, MastTop - 8.0f, MastZ - 5.0f},
                         {0.0f, 72.0f, -114.0f}, 16.0f, 12.0f)},
      {"jib", sailCloth({0.0f, sheer(tackS) + 4.0f, stationZ(tackS)},
                        {0.0f, MastTop - 40.0f, MastZ + 4.0f}, {22.0f, 44.0f, 58.0f}, 12.0f,
                        0.0f)},
      {"rigging", rigging()},
  };
}

}  // namespace assetgen
