#include "outputCapture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

OutputCapture::OutputCapture(int fd) : fd_(fd) {
  char path[] = "/tmp/zelquorCaptureXXXXXX";
  file_ = mkstemp(path);
  if (file_ < 0) throw std::runtime_error("cannot create a capture file");
  unlink(path);
  flushStreams();
  saved_ = dup(fd_);
  dup2(file_, fd_);
}

OutputCapture::~OutputCapture() {
  flushStreams();
  dup2(saved_, fd_);
  close(saved_);
  close(file_);
}

void OutputCapture::flushStreams() const {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(stdout);
  std::fflush(stderr);
}

std::string OutputCapture::take() {
  flushStreams();
  std::string text;
  char chunk[4096];
  ssize_t got;
  while ((got = pread(file_, chunk, sizeof chunk, readSoFar_)) > 0) {
    text.append(chunk, static_cast<size_t>(got));
    readSoFar_ += got;
  }
  return text;
}
