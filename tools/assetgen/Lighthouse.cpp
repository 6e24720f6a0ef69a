// The lighthouse model: tower, gallery and lamp room, built from code.
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "Models.h"

namespace assetgen {

namespace {

constexpr int Segments = 48;

constexpr float TowerBase = 3.0f;
constexpr float TowerTop = 47.0f;
constexpr float BaseRadius = 7.0f;
constexpr float TopRadius = 4.6f;

float towerRadius(float y) {
  return BaseRadius + (TopRadius - BaseRadius) * (y - TowerBase) / (TowerTop - TowerBase);
}

// A ring of rectangular section, for rails and bands.
Mesh ring(float inner, float outer, float bottom, float top) {
  return lathe({{inner, bottom},
                {outer, bottom, true},
                {outer, top, true},
                {inner, top, true},
                {inner, bottom, true}},
               Segments);
}

// Body of the lighthouse from the sea-worn plinth to the tip of the dome. The tower's stripes
// stand slightly proud of the wall, so light and outline pick them out.
Mesh body() {
  std::vector<ProfilePoint> profile = {
      {0.0f, -4.0f},         {10.6f, -4.0f, true}, {10.6f, 1.2f, true},
      {9.4f, 3.0f, true},    {BaseRadius, TowerBase, true},
  };
  constexpr int Bands = 8;
  constexpr float Proud = 0.32f;
  const float bandHeight = (TowerTop - TowerBase) / Bands;
  for (int band = 0; band < Bands; ++band) {
    const float bottom = TowerBase + bandHeight * static_cast<float>(band);
    const float top = bottom + bandHeight;
    const float offset = band % 2 == 1 ? Proud : 0.0f;
    if (band > 0) {
      profile.push_back({towerRadius(bottom) + offset, bottom, true});
    }
    profile.push_back({towerRadius(top) + offset, top, true});
  }
  profile.push_back({TopRadius, TowerTop, true});
  // Corbel flaring out under the gallery, the gallery floor, the lamp room and its dome.
  for (int i = 1; i <= 4; ++i) {
    const float t = static_cast<float>(i) / 4.0f;
    profile.push_back({TopRadius + 2.9f * t * t, TowerTop + 3.0f * t, i == 4});
  }
  const std::vector<ProfilePoint> top = {
      {7.5f, 51.0f, true}, {3.9f, 51.0f, true}, {3.9f, 53.0f, true}, {3.45f, 53.0f, true},
      {3.45f, 58.2f, true}, {4.0f, 58.2f, true}, {4.0f, 59.2f, true}, {5.0f, 59.2f, true},
      {5.0f, 59.8f, true},
  };
  profile.insert(profile.end(), top.begin(), top.end());
  for (int i = 1; i <= 10; ++i) {
    const float a = 0.5f * Pi * static_cast<float>(i) / 10.0f;
    profile.push_back({i == 10 ? 0.0f : 4.7f * std::cos(a), 59.8f + 4.8f * std::sin(a)});
  }
  return lathe(profile, Segments);
}

Mesh ballAndSpire() {
  std::vector<ProfilePoint> ball;
  for (int i = 0; i <= 10; ++i) {
    const float a = Pi * (static_cast<float>(i) / 10.0f - 0.5f);
    ball.push_back({i == 0 || i == 10 ? 0.0f : 1.05f * std::cos(a), 65.6f + 1.05f * std::sin(a)});
  }
  Mesh mesh = lathe(ball, 20);
  mesh.append(rod({0.0f, 66.4f, 0.0f}, {0.0f, 72.0f, 0.0f}, 0.2f, 10));
  return mesh;
}

Mesh railing() {
  Mesh mesh = ring(6.95f, 7.3f, 53.9f, 54.25f);
  mesh.append(ring(6.98f, 7.27f, 52.5f, 52.72f));
  constexpr int Posts = 24;
  for (int i = 0; i < Posts; ++i) {
    const float angle = 2.0f * Pi * static_cast<float>(i) / Posts;
    const glm::mat4 place = glm::rotate(glm::mat4(1.0f), angle, glm::vec3(0, 1, 0));
    mesh.append(box({6.99f, 51.0f, -0.12f}, {7.26f, 53.95f, 0.12f}), place);
  }
  return mesh;
}

Mesh lampRoomFrames() {
  Mesh mesh;
  constexpr int Panes = 12;
  for (int i = 0; i < Panes; ++i) {
    const float angle = 2.0f * Pi * (static_cast<float>(i) + 0.5f) / Panes;
    const glm::mat4 place = glm::rotate(glm::mat4(1.0f), angle, glm::vec3(0, 1, 0));
    mesh.append(box({3.35f, 53.0f, -0.14f}, {3.7f, 58.2f, 0.14f}), place);
  }
  mesh.append(ring(3.4f, 3.62f, 55.5f, 55.7f));
  return mesh;
}

// Door at the foot and windows up the +z side of the tower.
Mesh openings() {
  Mesh mesh;
  const float doorFront = towerRadius(TowerBase) + 0.5f;
  mesh.append(box({-1.6f, TowerBase, doorFront - 1.2f}, {1.6f, 8.6f, doorFront}));
  mesh.append(box({-2.0f, 8.6f, doorFront - 1.2f}, {2.0f, 9.3f, doorFront + 0.3f}));
  const float windowHeights[] = {14.0f, 25.0f, 36.0f};
  for (int i = 0; i < 3; ++i) {
    const float y = windowHeights[i];
    const float front = towerRadius(y + 1.5f) + 0.45f;
    const float side = i % 2 == 0 ? 0.0f : 0.5f;
    const glm::mat4 place = glm::rotate(glm::mat4(1.0f), side, glm::vec3(0, 1, 0));
    mesh.append(box({-0.9f, y, front - 1.0f}, {0.9f, y + 3.0f, front}), place);
    mesh.append(box({-1.2f, y + 3.0f, front - 1.0f}, {1.2f, y + 3.5f, front + 0.25f}), place);
    mesh.append(box({-1.1f, y - 0.4f, front - 1.0f}, {1.1f, y, front + 0.2f}), place);
  }
  return mesh;
}

}  // namespace

std::vector<NamedMesh> buildLighthouse() {
  // The game loads only the first sub-object of this file, so the whole tower is one mesh.
  Mesh lighthouse = body();
  lighthouse.append(ballAndSpire());
  lighthouse.append(railing());
  lighthouse.append(lampRoomFrames());
  lighthouse.append(openings());
  return {{"lighthouse", lighthouse}};
}

}  // namespace assetgen
