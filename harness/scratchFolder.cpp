#include "scratchFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

ScratchFolder::ScratchFolder(const std::string& stem) {
  std::string pattern = "/tmp/" + stem + "XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder under /tmp for " + stem);
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::addCommand(const std::string& name, const std::string& script) const {
  const std::string command = path_ + "/" + name;
  std::ofstream(command) << "#!/bin/sh\n" << script;
  std::error_code failed;
  std::filesystem::permissions(command, std::filesystem::perms::owner_all, failed);
  if (failed) throw std::runtime_error("cannot write the command " + command);
  return command;
}

std::string ScratchFolder::searchPath() const {
  const char* inherited = getenv("PATH");
  return path_ + ":" + (inherited != nullptr ? inherited : "");
}

std::string ScratchFolder::pathEntry() const { return "PATH=" + searchPath(); }
