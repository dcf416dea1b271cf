// The Debian package, built by scripts/package from this tree's source
// package and checked as a user relies on it and as Debian checks it: its
// control data, its files and their modes, its -dbgsym package, lintian on
// the source and the binary packages, the desktop validators, the hardening
// of its build and its binaries, its command started from an unrelated
// folder once the package is unpacked into a scratch root, and once it is
// installed with apt. Built in a scratch folder, or where
// ZELQUOR_PACKAGE_DIR names, there only when that folder does not hold this
// commit's packages already (scripts/packageOnce, which keeps the build's
// log beside them), so that one build serves every check of a run.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "appProcess.h"
#include "installedRun.h"

namespace fs = std::filesystem;

namespace {

struct CommandResult {
  int status = -1;     // exit status, -1 when it did not exit
  std::string output;  // standard output and standard error
};

CommandResult run(const std::string& command) {
  CommandResult result;
  // Braces: every command of a pipeline writes to the result and reads nothing.
  FILE* pipe = popen(("{ " + command + "\n} 2>&1 </dev/null").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, got);
  const int status = pclose(pipe);
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  return result;
}

std::string shellWord(const std::string& path) { return "'" + path + "'"; }

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The package's version: debian/changelog's with this release's revision
// from the scripts' table; a tree with local changes says so.
std::string packageVersion() {
  const std::string base =
      run("dpkg-parsechangelog -l " + shellWord(projectRoot() + "/debian/changelog") + " -S Version").output;
  const std::string revision =
      run("bash -c 'source " + projectRoot() + "/scripts/releases.sh && releaseField \"$(thisRelease)\" revision'")
          .output;
  return firstLine(base) + firstLine(revision);
}
const std::string kVersion = packageVersion();
const std::string kLocalVersion = kVersion + "+local";

// The first match of the pattern's group in the file.
std::string firstMatch(const std::string& file, const std::string& pattern) {
  std::ifstream in(file);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::smatch match;
  return std::regex_search(text, match, std::regex(pattern)) ? match[1].str() : "";
}

// The upstream build owns the version; its change log, the AppStream
// releases and the Debian change log follow it.
TEST(Versions, UpstreamChangeLogMetainfoAndDebianChangeLogAgreeWithTheBuild) {
  const std::string root = projectRoot();
  EXPECT_EQ(firstMatch(root + "/NEWS", "\n([0-9][0-9.]*) \\("), ZELQUOR_UPSTREAM_VERSION);
  EXPECT_EQ(firstMatch(root + "/data/org.zelquor.Zelquor.metainfo.xml", "<release version=\"([^\"]+)\""),
            ZELQUOR_UPSTREAM_VERSION);
  const std::string debian =
      firstLine(run("dpkg-parsechangelog -l " + shellWord(root + "/debian/changelog") + " -S Version").output);
  EXPECT_EQ(debian.substr(0, debian.rfind('-')), ZELQUOR_UPSTREAM_VERSION) << debian;
}

class Package : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch = std::make_unique<ScratchFolder>("zelquorPackage");
    const char* shared = getenv("ZELQUOR_PACKAGE_DIR");
    output = shared != nullptr ? shared : scratch->path() + "/out";
    const char* buildRoot = getenv("ZELQUOR_BUILD_ROOT");
    if (shared != nullptr && output.front() != '/')
      output = (buildRoot != nullptr ? buildRoot : projectRoot()) + "/" + output;
    const CommandResult built = shared != nullptr
                                    ? run(shellWord(projectRoot() + "/scripts/packageOnce") + " " + shellWord(output))
                                    : run(shellWord(projectRoot() + "/scripts/package") + " " +
                                          shellWord(scratch->path() + "/work") + " " + shellWord(output));
    buildOutput = built.output;
    buildLog = shared != nullptr ? output + "/build.log" : scratch->path() + "/build.log";
    if (shared == nullptr) std::ofstream(buildLog) << buildOutput;
    architecture = firstLine(run("dpkg --print-architecture").output);
    for (const std::string& version : {kVersion, kLocalVersion}) {
      const std::string candidate = output + "/zelquor_" + version + "_" + architecture + ".deb";
      if (fs::exists(candidate)) deb = candidate;
    }
    root = scratch->path() + "/root";
    if (built.status == 0 && !deb.empty()) run("dpkg -x " + shellWord(deb) + " " + shellWord(root));
  }
  static void TearDownTestSuite() { scratch.reset(); }
  void SetUp() override {
    ASSERT_FALSE(deb.empty()) << "no zelquor_" << kVersion << "_" << architecture << ".deb\n" << buildOutput;
  }

  // The path of a binary's debug file in the -dbgsym package, by build id;
  // empty when the binary has none.
  static std::string debugFile(const std::string& binary) {
    const std::string notes = run("readelf -n " + shellWord(binary)).output;
    const size_t at = notes.find("Build ID: ");
    if (at == std::string::npos) return "";
    const std::string id = notes.substr(at + 10, 40);
    return "/usr/lib/debug/.build-id/" + id.substr(0, 2) + "/" + id.substr(2) + ".debug";
  }

  static std::string field(const std::string& name) {
    std::string value = run("dpkg-deb -f " + shellWord(deb) + " " + name).output;
    while (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
  }

  static inline std::unique_ptr<ScratchFolder> scratch;
  static inline std::string buildOutput, buildLog, output, deb, root, architecture;
};

TEST_F(Package, ControlDataNamesThePackageAndTheLibrariesItNeeds) {
  EXPECT_EQ(field("Package"), "zelquor");
  const std::string version = field("Version");
  EXPECT_TRUE(version == kVersion || version == kLocalVersion) << version;
  EXPECT_EQ(field("Architecture"), architecture);
  EXPECT_EQ(field("Section"), "sound");
  const std::string depends = field("Depends");
  for (const char* library : {"libsfml-graphics", "libsfml-window", "libsfml-system", "libjack", "libsndfile1"})
    EXPECT_NE(depends.find(library), std::string::npos) << library << " not in: " << depends;
  // PipeWire's JACK layer first: apt takes the first alternative, and a
  // jackd of its own would take the sound card from the desktop's PipeWire.
  EXPECT_EQ(field("Recommends"), "pipewire-jack | jackd2, libnotify-bin");
  // No maintainer scripts and no configuration files: nothing is made at
  // install time, so a removal takes every file of the package.
  const std::string control = run("dpkg-deb -I " + shellWord(deb)).output;
  for (const char* member : {"preinst", "postinst", "prerm", "postrm", "conffiles"})
    EXPECT_EQ(control.find(member), std::string::npos) << member << " in:\n" << control;
}

TEST_F(Package, HoldsTheLauncherProgramImagesAndDesktopFiles) {
  for (const char* file :
       {"usr/bin/zelquor", "usr/libexec/zelquor/zelquor", "usr/lib/zelquor/libzelquorEngine.so",
        "usr/libexec/zelquor/serverProbe", "usr/share/zelquor/serverChoice.sh",
        "usr/share/applications/zelquor.desktop", "usr/share/icons/hicolor/48x48/apps/zelquor.png",
        "usr/share/icons/hicolor/128x128/apps/zelquor.png", "usr/share/icons/hicolor/256x256/apps/zelquor.png",
        "usr/share/icons/hicolor/scalable/apps/zelquor.svg", "usr/share/metainfo/org.zelquor.Zelquor.metainfo.xml",
        "usr/share/man/man1/zelquor.1.gz", "usr/share/doc/zelquor/copyright",
        "usr/share/doc/zelquor/changelog.Debian.gz", "usr/share/doc/zelquor/changelog.gz",
        "usr/share/zelquor/images/mute3.png"})
    EXPECT_TRUE(fs::is_regular_file(fs::path(root) / file)) << file;
  // Programs only in the private folder of programs.
  for (const auto& file : fs::directory_iterator(root + "/usr/libexec/zelquor"))
    EXPECT_NE(fs::status(file).permissions() & fs::perms::others_exec, fs::perms::none) << file.path();
}

// Whatever the umask of the build: folders 0755, files 0644 or 0755, all
// root's. The program and its library are stripped; their debug
// information is in the -dbgsym package, found by build id.
TEST_F(Package, FilesAreRootsWithoutGroupWriteAndStrippedWithDebugInfoApart) {
  const CommandResult listing = run("dpkg-deb -c " + shellWord(deb));
  ASSERT_EQ(listing.status, 0) << listing.output;
  std::istringstream lines(listing.output);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_EQ(line.find(" root/root "), 10u) << line;
    const std::string mode = line.substr(0, 10);
    EXPECT_TRUE(mode == "drwxr-xr-x" || mode == "-rw-r--r--" || mode == "-rwxr-xr-x" || mode == "lrwxrwxrwx") << line;
  }
  const std::string dbgsym = output + "/zelquor-dbgsym_" + field("Version") + "_" + architecture + ".deb";
  ASSERT_TRUE(fs::exists(dbgsym)) << dbgsym;
  const std::string debugFiles = run("dpkg-deb -c " + shellWord(dbgsym)).output;
  for (const char* binary : {"usr/libexec/zelquor/zelquor", "usr/lib/zelquor/libzelquorEngine.so"}) {
    const std::string path = root + "/" + binary;
    EXPECT_EQ(run("readelf -S " + shellWord(path)).output.find(".debug_info"), std::string::npos) << binary;
    const std::string debug = debugFile(path);
    ASSERT_FALSE(debug.empty()) << binary << " has no build id";
    EXPECT_NE(debugFiles.find(debug), std::string::npos) << binary << " " << debug << " not in:\n" << debugFiles;
  }
}

// Errors and warnings; the informational and pedantic notes that stay are
// in docs/packaging.md.
bool saysNothingAboveInfo(const std::string& output) { return !std::regex_search(output, std::regex("(^|\n)[EW]: ")); }

TEST_F(Package, SourceAndBinaryPackagesPassLintian) {
  // unpack-message-for-orig: testing's lintian cannot read its own file
  // type index of the upstream tarball (docs/packaging.md).
  const CommandResult lintian =
      run("lintian --pedantic --suppress-tags unpack-message-for-orig " + shellWord(output) + "/zelquor_*.changes");
  EXPECT_EQ(lintian.status, 0) << lintian.output;
  EXPECT_TRUE(saysNothingAboveInfo(lintian.output)) << lintian.output;
}

TEST_F(Package, MetadataPassesThePedanticValidators) {
  const CommandResult metainfo = run("appstreamcli validate --pedantic --no-net " +
                                     shellWord(root + "/usr/share/metainfo/org.zelquor.Zelquor.metainfo.xml"));
  EXPECT_EQ(metainfo.status, 0) << metainfo.output;
  EXPECT_TRUE(saysNothingAboveInfo(metainfo.output)) << metainfo.output;
  const CommandResult entry =
      run("desktop-file-validate " + shellWord(root + "/usr/share/applications/zelquor.desktop"));
  EXPECT_EQ(entry.status, 0) << entry.output;
  EXPECT_EQ(entry.output, "");
}

// Every compiler and linker call of the build with Debian's flags, and
// every installed binary hardened. The stack protector is blhc's to check,
// on every compiler call: hardening-check finds it only in binaries with a
// function that needs a canary. Control-flow protection, where this
// release's flags offer it, is read from the compile units in the -dbgsym
// package: hardening-check looks for the IBT and SHSTK property,
// which the linker drops from every binary whose C library start files lack
// it, as Debian 13's do. Branch protection is another architecture's.
TEST_F(Package, EveryObjectAndBinaryIsHardened) {
  const CommandResult blhc = run("blhc --all " + shellWord(buildLog));
  EXPECT_EQ(blhc.status, 0) << blhc.output;
  EXPECT_EQ(blhc.output, "");
  const bool cfProtection =
      run("DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS").output.find("-fcf-protection") !=
      std::string::npos;
  std::string options = "--nostackprotector --nocfprotection ";
  if (run("hardening-check --help").output.find("--nobranchprotection") != std::string::npos)
    options += "--nobranchprotection ";
  const std::string debugRoot = scratch->path() + "/debug";
  run("dpkg -x " + shellWord(output + "/zelquor-dbgsym_" + field("Version") + "_" + architecture + ".deb") + " " +
      shellWord(debugRoot));
  int binaries = 0;
  for (const auto& file : fs::recursive_directory_iterator(root)) {
    if (!file.is_regular_file() || file.is_symlink()) continue;
    char magic[4] = {};
    std::ifstream(file.path(), std::ios::binary).read(magic, sizeof magic);
    if (std::string(magic, 4) !=
        "\x7f"
        "ELF")
      continue;
    ++binaries;
    const CommandResult check = run("hardening-check " + options + shellWord(file.path().string()));
    EXPECT_EQ(check.status, 0) << check.output;
  }
  EXPECT_EQ(binaries, 3);
  if (!cfProtection) return;
  // The compiler's options as each compile unit records them, in the
  // debug files and in the string table they share.
  const std::string producers = run("find " + shellWord(debugRoot) +
                                    " -type f -exec readelf -z -p .debug_str {} ';' 2>/dev/null | grep -a -o 'GNU C.*'")
                                    .output;
  EXPECT_NE(producers, "");
  std::istringstream lines(producers);
  for (std::string line; std::getline(lines, line);) EXPECT_NE(line.find("-fcf-protection"), std::string::npos) << line;
}

// The faust architecture code compiled into the engine library, by the
// source package and version this build used.
TEST_F(Package, DeclaresTheFaustArchitectureItIsBuiltWith) {
  const std::string owner = run("dpkg-query -S /usr/share/faust/api/DspFaust.cpp").output;
  const std::string faust =
      run("dpkg-query -W -f='${source:Package} (= ${source:Version})' " + owner.substr(0, owner.find(':'))).output;
  EXPECT_EQ(field("Built-Using"), faust);
}

TEST_F(Package, CommandUnpackedAnywhereStartsFromAnUnrelatedFolder) {
  ScratchFolder unrelated("zelquorElsewhere");
  expectFirstFrameAndCleanClose(root + "/usr/bin/zelquor", unrelated.path());
}

// Installed with apt as a user installs it, started, and purged again; only
// where this run may install packages and no zelquor package is there yet,
// which it would replace.
TEST_F(Package, InstallsWithAptAndStartsFromAnUnrelatedFolder) {
  const std::string asRoot = geteuid() == 0 ? "" : "sudo -n ";
  if (!asRoot.empty() && run("sudo -n true").status != 0)
    GTEST_SKIP() << "installing needs root or sudo without a password";
  if (run("dpkg-query -W -f='${Status}' zelquor").output == "install ok installed")
    GTEST_SKIP() << "a zelquor package is installed already";
  const CommandResult installed =
      run(asRoot +
          "env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y --no-install-recommends " +
          shellWord(deb));
  ASSERT_EQ(installed.status, 0) << installed.output;
  EXPECT_EQ(run("dpkg-query -W -f='${Version}' zelquor").output, field("Version"));
  ScratchFolder unrelated("zelquorElsewhere");
  expectFirstFrameAndCleanClose("/usr/bin/zelquor", unrelated.path());
  const CommandResult purged =
      run(asRoot + "env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 purge -y zelquor");
  EXPECT_EQ(purged.status, 0) << purged.output;
  EXPECT_FALSE(fs::exists("/usr/bin/zelquor"));
}

}  // namespace
