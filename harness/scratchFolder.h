// A fresh folder under /tmp for one test's files, removed with what it holds
// when the object goes; it may hold stand-ins for outside commands, found
// before the real ones when the folder leads PATH.
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

  // A shell script of that name in the folder, executable, its lines after
  // "#!/bin/sh"; returns its path. Throws when it cannot be written.
  std::string addCommand(const std::string& name, const std::string& script) const;
  // The folder, then this process's PATH: for this process's own PATH, and
  // as "PATH=..." for a child's environment.
  std::string searchPath() const;
  std::string pathEntry() const;

 private:
  std::string path_;
};

#endif
