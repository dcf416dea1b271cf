#include "outsideCommands.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace {

struct commandPackage {
  const char* command;
  const char* package;
};

// Written at configure time from the scripts' table, for the release the
// tree is built on.
constexpr commandPackage kCommandPackages[] = {
#include "commandPackages.inc"
};

}  // namespace

bool commandInstalled(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string folders = path != nullptr ? path : "";
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t end = std::min(folders.find(':', start), folders.size());
    const std::string candidate = folders.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

std::string missingCommandReason(const std::string& name) {
  for (const commandPackage& known : kCommandPackages)
    if (name == known.command)
      return "the command " + name + " is missing: it comes with the Debian package " + known.package +
             " (scripts/installDependencies installs it)";
  return "the command " + name + " is missing";
}

void requireCommand(const std::string& name) {
  if (!commandInstalled(name)) throw std::runtime_error(missingCommandReason(name));
}
