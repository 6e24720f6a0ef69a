// Redirects a standard stream to a temporary file and reads it back, so tests can check
// the game's messages.
#include "CaptureOutput.h"

#include <unistd.h>

#include <iostream>

namespace {
void flushEverything(std::FILE* stream) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(stream);
}
}  // namespace

CaptureOutput::CaptureOutput(std::FILE* stream_in) : stream(stream_in) {
  flushEverything(stream);
  tempFile = std::tmpfile();
  savedFd = dup(fileno(stream));
  dup2(fileno(tempFile), fileno(stream));
}

CaptureOutput::~CaptureOutput() { stop(); }

std::string CaptureOutput::stop() {
  if (savedFd < 0) {
    return {};
  }
  flushEverything(stream);
  dup2(savedFd, fileno(stream));
  close(savedFd);
  savedFd = -1;
  std::string text;
  std::rewind(tempFile);
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, tempFile)) > 0) {
    text.append(buffer, n);
  }
  std::fclose(tempFile);
  tempFile = nullptr;
  return text;
}
