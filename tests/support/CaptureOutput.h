#pragma once

// Captures what the game prints, so tests can check its messages and keep them out of
// the test output.
#include <cstdio>
#include <string>

// Captures everything written to one standard stream (C and C++ writes alike) until stop().
class CaptureOutput {
 public:
  explicit CaptureOutput(std::FILE* stream);
  ~CaptureOutput();
  CaptureOutput(const CaptureOutput&) = delete;
  CaptureOutput& operator=(const CaptureOutput&) = delete;

  std::string stop();

 private:
  std::FILE* stream;
  int savedFd = -1;
  std::FILE* tempFile = nullptr;
};

class CaptureStdout : public CaptureOutput {
 public:
  CaptureStdout() : CaptureOutput(stdout) {}
};

class CaptureStderr : public CaptureOutput {
 public:
  CaptureStderr() : CaptureOutput(stderr) {}
};
