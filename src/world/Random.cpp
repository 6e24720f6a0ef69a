// The random numbers behind obstacle placement and bolt shapes.
#include "world/Random.h"

#include <random>

namespace {

std::mt19937& generator() {
  static std::mt19937 instance{std::random_device{}()};
  return instance;
}

}  // namespace

void replayRandomSequence(unsigned int sequenceStart) { generator().seed(sequenceStart); }

int randomInt(int a, int b) { return std::uniform_int_distribution<int>(a, b)(generator()); }

float randomFloat(float a, float b) {
  return static_cast<float>(std::uniform_real_distribution<double>(a, b)(generator()));
}
