// A process of the harness that runs JACK programs has a /dev/shm of its
// own: what JACK keeps there (and what its servers remove as they end) is
// shared with the process's children, and never with the process that
// started it, another test or a user's session.
#include "ownShm.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string mountNamespaceOf(const std::string& process) {
  return std::filesystem::read_symlink("/proc/" + process + "/ns/mnt").string();
}

TEST(OwnShm, TakenAsTheProcessStartsSharedWithChildrenAndNotWithTheParent) {
  if (geteuid() != 0 || std::getenv("JACK_DEFAULT_SERVER") != nullptr)
    GTEST_SKIP() << "only root, and only without a server named for it, takes a /dev/shm of its own";
  // Taken before the test ran, by the harness's own start.
  EXPECT_NE(mountNamespaceOf("self"), mountNamespaceOf(std::to_string(getppid())));
  ASSERT_TRUE(takeOwnShm());

  const std::string name = "zelquorOwnShm" + std::to_string(getpid());
  const std::string here = "/dev/shm/" + name;
  std::ofstream(here) << "made here\n";
  ASSERT_TRUE(std::filesystem::exists(here));

  EXPECT_EQ(std::system(("test -e " + here).c_str()), 0) << "a child does not see it";
  // The parent's root, as the parent's mount namespace shows it.
  const std::string inParent = "/proc/" + std::to_string(getppid()) + "/root" + here;
  EXPECT_FALSE(std::filesystem::exists(inParent)) << "the parent sees it";
  std::filesystem::remove(here);
}

}  // namespace
