// A stand-in command in a scratch folder is what a child runs by name once
// the folder leads its PATH, and it goes with the folder.
#include "scratchFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "appProcess.h"

namespace {

TEST(ScratchFolder, AStandInCommandIsFoundFirstAndGoesWithTheFolder) {
  std::string path;
  {
    const ScratchFolder folder("zelquorCommands");
    path = folder.path();
    EXPECT_EQ(folder.addCommand("ls", "echo stand-in \"$@\"\n"), path + "/ls");
    EXPECT_EQ(folder.searchPath(), path + ":" + getenv("PATH"));
    AppOptions options;
    options.program = "ls";
    options.arguments = {"-l"};
    options.environment = {folder.pathEntry()};
    AppProcess app(options);
    const auto status = app.waitForExit();
    ASSERT_TRUE(status && status->exitedWith(0)) << app.stderrText();
    EXPECT_EQ(app.stdoutLines(), std::vector<std::string>{"stand-in -l"});
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
