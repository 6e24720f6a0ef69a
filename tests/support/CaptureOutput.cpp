#include "CaptureOutput.h"

#include <unistd.h>

#include <iostream>

CaptureStdout::CaptureStdout() {
  std::cout.flush();
  std::fflush(stdout);
  tempFile = std::tmpfile();
  savedFd = dup(fileno(stdout));
  dup2(fileno(tempFile), fileno(stdout));
}

CaptureStdout::~CaptureStdout() { stop(); }

std::string CaptureStdout::stop() {
  if (savedFd < 0) {
    return {};
  }
  std::cout.flush();
  std::fflush(stdout);
  dup2(savedFd, fileno(stdout));
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
