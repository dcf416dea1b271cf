// Captures what this process writes on a file descriptor (standard output
// or standard error), through the C streams and the C++ streams alike.
#ifndef ZELQUOR_HARNESS_OUTPUT_CAPTURE_H
#define ZELQUOR_HARNESS_OUTPUT_CAPTURE_H

#include <string>

class OutputCapture {
 public:
  explicit OutputCapture(int fd);
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  // Everything written since construction or the last take(); capture goes on.
  std::string take();

 private:
  void flushStreams() const;
  int fd_;
  int saved_;
  int file_;
  long readSoFar_ = 0;
};

#endif
