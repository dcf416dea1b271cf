// Installing into a fresh prefix gives a program that starts from its
// desktop entry: the entry's command in the entry's working directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "appProcess.h"
#include "xServer.h"
#include "xWindow.h"

namespace fs = std::filesystem;

namespace {

// The Key=Value lines of a desktop entry.
std::map<std::string, std::string> readDesktopEntry(const fs::path& file) {
  std::map<std::string, std::string> entry;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    const auto equals = line.find('=');
    if (equals != std::string::npos) entry[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return entry;
}

class InstalledProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/zelquorInstallXXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    prefix = folder;
    const std::string command = "cmake --install '" ZELQUOR_BUILD_DIR "' --prefix '" + prefix.string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  void TearDown() override { fs::remove_all(prefix); }
  fs::path prefix;
};

}  // namespace

TEST_F(InstalledProgram, PutsEveryFileInItsStandardPlace) {
  EXPECT_TRUE(fs::exists(prefix / "bin/zelquor"));
  EXPECT_TRUE(fs::exists(prefix / "share/applications/zelquor.desktop"));
  EXPECT_TRUE(fs::exists(prefix / "share/pixmaps/zelquor.png"));
  EXPECT_TRUE(fs::exists(prefix / "share/man/man1/zelquor.1"));
  int images = 0;
  for (const auto& file : fs::directory_iterator(prefix / "share/zelquor/images"))
    images += file.path().extension() == ".png";
  EXPECT_EQ(images, 17);
}

TEST_F(InstalledProgram, StartsFromItsDesktopEntryAndClosesCleanly) {
  const auto entry = readDesktopEntry(prefix / "share/applications/zelquor.desktop");
  ASSERT_EQ(entry.at("Exec"), (prefix / "bin/zelquor").string());
  ASSERT_EQ(entry.at("Path"), (prefix / "share/zelquor").string());
  EXPECT_EQ(entry.at("Icon"), "zelquor");

  XServer x;
  AppOptions options;
  options.program = entry.at("Exec");
  options.workingDirectory = entry.at("Path");
  options.environment = absentJackServerEntries();
  options.environment.push_back(x.displayEntry());
  AppProcess app(options);
  ASSERT_TRUE(app.waitForLine("Faust is Running =0")) << app.stderrText();
  auto window = XWindow::find(x.displayName(), "Zelquor");
  ASSERT_TRUE(window);
  window->requestClose();
  const auto status = app.waitForExit();
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(status->exitedWith(0)) << app.stderrText();
}
