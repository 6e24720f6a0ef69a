#pragma once

// Damaged copies of valid files for the loader fuzz tests: a broken model, image or sound
// must give a message, never a crash.
#include <cstdint>
#include <random>
#include <string>

// Damages a valid file the way bad disks, bad downloads and bad tools do: flipped bits, bytes
// overwritten with extreme values, cut-off ends, lost and repeated stretches. Each case comes
// from its own fixed stream of random numbers, so a failure names a case that can be replayed.
class Mutator {
 public:
  explicit Mutator(std::uint32_t stream) : random(stream) {}

  std::string mutate(const std::string& original);

 private:
  std::size_t position(std::size_t size) {
    return std::uniform_int_distribution<std::size_t>(0, size == 0 ? 0 : size - 1)(random);
  }

  std::mt19937 random;
};

// How many damaged files each loader meets: a few seconds' worth in CI; set
// GALESKERRY_FUZZ_CASES for a long run.
int fuzzCaseCount(int ciDefault);
