// An image file that is no usable picture ends the run with status 1 before
// the engine starts, with the graphics library's report and no crash,
// whichever of the 17 it is: a text file under the image's name, a picture
// too large for any texture, and a directory in the file's place.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>

#include "appProcess.h"
#include "blankPng.h"
#include "imagesCopy.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"

namespace {

namespace fs = std::filesystem;

enum class Substitute { textFile, hugePicture, directory };

// Beyond the largest texture of any GL implementation at hand (16384 for
// the software renderer under Xvfb).
constexpr unsigned kHugeSide = 20000;
const std::string kHugeReport = "Failed to create texture, its internal size is too high (20000x20000";
const std::string kText = "Zelquor board pictures\nsee the README for the list of files\n";

// Decoded, the huge picture needs 1.6 GB for its pixels alone. The program
// runs with less address space than that, so a picture decoded before its
// size is checked shows up as an "Out of memory" report instead of the
// texture's. A sanitized program reserves terabytes of shadow memory and
// cannot run under such a limit.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kLimitAddressSpace = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kLimitAddressSpace = false;
#else
constexpr bool kLimitAddressSpace = true;
#endif
#else
constexpr bool kLimitAddressSpace = true;
#endif
const std::string kAddressSpaceLimit = "--as=" + std::to_string(2ull << 30);

std::string nameOf(Substitute substitute) {
  switch (substitute) {
    case Substitute::textFile:
      return "TextFile";
    case Substitute::hugePicture:
      return "HugePicture";
    case Substitute::directory:
      return "Directory";
  }
  return "Unknown";
}

void PrintTo(Substitute substitute, std::ostream* out) { *out << nameOf(substitute); }

// One huge picture for the whole run, copied in place of each image.
class HugePicture {
 public:
  HugePicture() {
    char pattern[] = "/tmp/zelquorHugeXXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot create a scratch directory");
    folder_ = pattern;
    writeBlankPng(path(), kHugeSide, kHugeSide);
  }
  ~HugePicture() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string path() const { return folder_ + "/huge.png"; }

 private:
  std::string folder_;
};

const HugePicture& hugePicture() {
  static const HugePicture picture;
  return picture;
}

void substitute(const std::string& path, Substitute how) {
  fs::remove(path);
  switch (how) {
    case Substitute::textFile:
      std::ofstream(path) << kText;
      break;
    case Substitute::hugePicture:
      fs::copy_file(hugePicture().path(), path);
      break;
    case Substitute::directory:
      fs::create_directory(path);
      break;
  }
}

size_t occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

AppOptions runIn(const ImagesCopy& copy, const XServer& x) {
  AppOptions options;
  options.workingDirectory = copy.directory();
  options.environment = environmentWithoutJack(x);
  if (kLimitAddressSpace) {
    options.arguments = {kAddressSpaceLimit, "--", options.program};
    options.program = "prlimit";
  }
  return options;
}

// The report that the graphics library makes for this substitute.
void expectLibraryReport(const std::string& errors, const std::string& file, Substitute how) {
  if (how == Substitute::hugePicture) {
    EXPECT_EQ(occurrences(errors, kHugeReport), 1u) << errors;
    EXPECT_EQ(occurrences(errors, kImageFailure), 0u) << "decoded before its size was checked:\n" << errors;
  } else {
    EXPECT_NE(errors.find(kImageFailure + " \"./images/" + file + "\""), std::string::npos) << errors;
    EXPECT_EQ(occurrences(errors, kImageFailure), 1u) << errors;
  }
}

class SubstitutedImage : public testing::TestWithParam<Substitute> {};

TEST_P(SubstitutedImage, EndsTheRunWithStatusOneAndTheLibrarysReport) {
  XServer x;
  for (const auto& file : kImageFiles) {
    SCOPED_TRACE(file);
    ImagesCopy copy;
    substitute(copy.imagePath(file), GetParam());
    AppProcess app(runIn(copy, x));
    const auto status = app.waitForExit();
    ASSERT_TRUE(status) << "still running";
    EXPECT_TRUE(status->exitedWith(1)) << *status << "\n" << app.stderrText();
    EXPECT_TRUE(linesStartingWith(app.stdoutLines(), kRunningPrefix).empty()) << "the engine was started";
    expectLibraryReport(app.stderrText(), file, GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(EachImage, SubstitutedImage,
                         testing::Values(Substitute::textFile, Substitute::hugePicture, Substitute::directory),
                         [](const testing::TestParamInfo<Substitute>& info) { return nameOf(info.param); });

}  // namespace
