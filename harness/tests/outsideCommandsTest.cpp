// A fixture whose outside command is missing says which command and which
// package brings it, the package being the one that really owns the command
// on this system, as dpkg knows it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "appProcess.h"
#include "jackServer.h"
#include "scratchFolder.h"
#include "xServer.h"

namespace {

std::string firstLineOf(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  char line[512] = {};
  const bool read = pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr;
  if (pipe != nullptr) pclose(pipe);
  std::string text = read ? line : "";
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// "jack-example-tools" for "jack-example-tools: /usr/bin/jack_wait".
std::string owningPackage(const std::string& command) {
  const std::string owner = firstLineOf("dpkg -S \"$(readlink -f \"$(command -v " + command + ")\")\" 2>/dev/null");
  return owner.substr(0, owner.find(':'));
}

// PATH holds only a scratch folder with the commands kept, for the scope.
class NarrowPath {
 public:
  explicit NarrowPath(std::initializer_list<std::string> kept) : saved_(getenv("PATH")) {
    for (const std::string& name : kept)
      EXPECT_EQ(symlink(firstLineOf("command -v " + name).c_str(), (folder_.path() + "/" + name).c_str()), 0);
    setenv("PATH", folder_.path().c_str(), 1);
  }
  ~NarrowPath() { setenv("PATH", saved_.c_str(), 1); }

 private:
  std::string saved_;
  ScratchFolder folder_{"zelquorPath"};
};

std::string failureOf(const std::function<void()>& start) {
  try {
    start();
  } catch (const std::runtime_error& failure) {
    return failure.what();
  }
  return "no failure";
}

}  // namespace

TEST(OutsideCommands, AMissingCommandIsNamedWithThePackageThatBringsIt) {
  const struct {
    std::string command;
    std::initializer_list<std::string> kept;
    std::function<void()> start;
  } cases[] = {
      {"jack_wait", {"jackd"}, [] { JackServer server; }},
      {"Xvfb", {}, [] { XServer server; }},
      {"xdotool", {}, [] {
         AppOptions options;
         options.program = "xdotool";
         AppProcess tool(options);
       }},
  };
  for (const auto& missing : cases) {
    const std::string package = owningPackage(missing.command);
    ASSERT_FALSE(package.empty()) << missing.command << " is not installed here";
    NarrowPath path(missing.kept);
    EXPECT_EQ(failureOf(missing.start), "the command " + missing.command +
                                            " is missing: it comes with the Debian package " + package +
                                            " (scripts/installDependencies installs it)");
  }
}
