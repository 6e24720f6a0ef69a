// The damage the fuzz tests do to valid resource files, and how many damaged files each
// loader meets in one run.
#include "Mutator.h"

#include <algorithm>
#include <cstdlib>

std::string Mutator::mutate(const std::string& original) {
  std::string data = original;
  const int edits = std::uniform_int_distribution<int>(1, 8)(random);
  for (int edit = 0; edit < edits && !data.empty(); ++edit) {
    switch (std::uniform_int_distribution<int>(0, 5)(random)) {
      case 0:  // flip one bit
        data[position(data.size())] ^= static_cast<char>(1 << (random() % 8));
        break;
      case 1: {  // overwrite a byte with a value parsers like to trip on
        static const char extremes[] = {'\0', '\xff', '\x7f', '\x80', '-', '9', '/', '\n', ' '};
        data[position(data.size())] = extremes[random() % sizeof extremes];
        break;
      }
      case 2:  // cut the file short
        data.resize(position(data.size()));
        break;
      case 3: {  // lose a stretch
        const std::size_t at = position(data.size());
        data.erase(at, std::min<std::size_t>(data.size() - at, 1 + random() % 64));
        break;
      }
      case 4: {  // repeat a stretch
        const std::size_t at = position(data.size());
        const std::string stretch = data.substr(at, 1 + random() % 64);
        data.insert(position(data.size()), stretch);
        break;
      }
      default: {  // a run of random bytes
        const std::size_t at = position(data.size());
        const std::size_t length = std::min<std::size_t>(data.size() - at, 1 + random() % 16);
        for (std::size_t i = 0; i < length; ++i) {
          data[at + i] = static_cast<char>(random());
        }
        break;
      }
    }
  }
  return data;
}

int fuzzCaseCount(int ciDefault) {
  const char* configured = std::getenv("GALESKERRY_FUZZ_CASES");
  if (configured == nullptr) {
    return ciDefault;
  }
  const int cases = std::atoi(configured);
  return cases > 0 ? cases : ciDefault;
}
