// Printing each sound problem once.
#include "sound/SoundReport.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace sound {

void reportOnce(const std::string& line) noexcept {
  static std::mutex mutex;
  static std::set<std::string> reported;
  try {
    const std::lock_guard<std::mutex> lock(mutex);
    if (!reported.insert(line).second) {
      return;
    }
  } catch (...) {
    // Without memory to remember the line, printing it again beats losing it.
  }
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

}  // namespace sound
