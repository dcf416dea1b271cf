// The private PipeWire session: it serves until its owner is gone and then
// leaves no server behind; a server that ends while the session comes up
// fails the start at once, with what it said, and leaves nothing either.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "pipewireServer.h"
#include "scratchFolder.h"

namespace {

// Processes started from this test inherit the mark: those still running.
const std::string kMark = "ZELQUOR_PIPEWIRE_TEST=" + std::to_string(getpid());

int markedProcesses() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos || name == std::to_string(getpid())) continue;
    std::ifstream environ(entry.path() / "environ");
    const std::string text((std::istreambuf_iterator<char>(environ)), std::istreambuf_iterator<char>());
    if (text.find(kMark + '\0') != std::string::npos) ++count;
  }
  return count;
}

class PipewireSession : public testing::Test {
 protected:
  void SetUp() override { putenv(const_cast<char*>(kMark.c_str())); }
};

TEST_F(PipewireSession, ServesUntilDestroyedAndLeavesNoServerBehind) {
  std::string socket;
  {
    PipewireServer pipewire;
    socket = pipewire.environment().front().substr(sizeof "XDG_RUNTIME_DIR=" - 1) + "/pipewire-0";
    EXPECT_TRUE(std::filesystem::exists(socket));
    EXPECT_NO_THROW(pipewire.forceQuantum(128));
    EXPECT_GE(markedProcesses(), 3) << "bus, daemon and session manager";
  }
  EXPECT_FALSE(std::filesystem::exists(socket));
  EXPECT_EQ(markedProcesses(), 0);
}

TEST_F(PipewireSession, AServerThatEndsFailsTheStartWithWhatItSaid) {
  // A session manager that cannot start, first on PATH.
  const ScratchFolder bin("zelquorFakeWireplumber.");
  std::ofstream(bin.path() + "/wireplumber") << "#!/bin/sh\necho 'no graph to manage' >&2\nexit 1\n";
  std::filesystem::permissions(bin.path() + "/wireplumber", std::filesystem::perms::owner_all);
  const std::string path = getenv("PATH");
  setenv("PATH", (bin.path() + ":" + path).c_str(), 1);
  try {
    PipewireServer pipewire;
    ADD_FAILURE() << "started without a session manager";
  } catch (const std::runtime_error& failure) {
    EXPECT_NE(std::string(failure.what()).find("no graph to manage"), std::string::npos) << failure.what();
    EXPECT_NE(std::string(failure.what()).find("private wireplumber ended"), std::string::npos) << failure.what();
  }
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(markedProcesses(), 0);
}

}  // namespace
