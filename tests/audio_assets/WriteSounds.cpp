#include <iostream>

#include "SoundGenerator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_test_sounds <directory>\n";
    return 2;
  }
  return generateSounds(argv[1], std::cout) ? 0 : 1;
}
