// Installing into a fresh prefix gives a program that starts from its
// desktop entry or its command in any folder, with every installed file
// listed in the install manifest, so that an uninstall can take them all.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "installedRun.h"

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
    const std::string command =
        "cmake --install '" ZELQUOR_BUILD_DIR "' --prefix '" + prefix.string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  ScratchFolder folder{"zelquorInstall"};
  const fs::path prefix = folder.path();
};

}  // namespace

TEST_F(InstalledProgram, PutsEveryFileInItsStandardPlaceAndInTheManifest) {
  for (const char* file :
       {"bin/zelquor", "libexec/zelquor/zelquor", "libexec/zelquor/serverProbe", "lib/zelquor/libzelquorEngine.so",
        "share/zelquor/serverChoice.sh", "share/applications/zelquor.desktop",
        "share/icons/hicolor/48x48/apps/zelquor.png", "share/icons/hicolor/128x128/apps/zelquor.png",
        "share/icons/hicolor/256x256/apps/zelquor.png", "share/icons/hicolor/scalable/apps/zelquor.svg",
        "share/metainfo/org.zelquor.Zelquor.metainfo.xml", "share/man/man1/zelquor.1"})
    EXPECT_TRUE(fs::exists(prefix / file)) << file;
  int images = 0;
  for (const auto& file : fs::directory_iterator(prefix / "share/zelquor/images"))
    images += file.path().extension() == ".png";
  EXPECT_EQ(images, 17);
  for (const auto& file : fs::directory_iterator(prefix / "libexec/zelquor"))
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_exec, fs::perms::none) << file.path() << " is no program";

  std::set<std::string> listed;
  std::ifstream manifest(ZELQUOR_BUILD_DIR "/install_manifest.txt");
  for (std::string line; std::getline(manifest, line);) listed.insert(line);
  for (const auto& file : fs::recursive_directory_iterator(prefix)) {
    if (file.is_directory()) continue;
    EXPECT_EQ(listed.count(file.path().string()), 1u) << file.path() << " not in the manifest";
  }
}

TEST_F(InstalledProgram, StartsFromItsDesktopEntryInAnyFolderAndClosesCleanly) {
  const auto entry = readDesktopEntry(prefix / "share/applications/zelquor.desktop");
  ASSERT_EQ(entry.at("Exec"), (prefix / "bin/zelquor").string());
  EXPECT_EQ(entry.count("Path"), 0u);
  EXPECT_EQ(entry.at("Icon"), "zelquor");
  expectFirstFrameAndCleanClose(entry.at("Exec"), "/");
}
