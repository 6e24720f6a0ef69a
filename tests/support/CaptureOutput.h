#pragma once

#include <cstdio>
#include <string>

// Captures everything written to stdout (C and C++ streams alike) until stop() is called.
class CaptureStdout {
 public:
  CaptureStdout();
  ~CaptureStdout();
  std::string stop();

 private:
  int savedFd = -1;
  std::FILE* tempFile = nullptr;
};
