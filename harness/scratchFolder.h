// A fresh folder under /tmp for one test's files, removed with what it holds
// when the object goes.
#ifndef ZELQUOR_HARNESS_SCRATCH_FOLDER_H
#define ZELQUOR_HARNESS_SCRATCH_FOLDER_H

#include <string>

class ScratchFolder {
 public:
  // The folder's name is the stem followed by six random characters; throws
  // when it cannot be made.
  explicit ScratchFolder(const std::string& stem);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

#endif
