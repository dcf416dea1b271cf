#include "imageRun.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <vector>

#include "pngFiles.h"
#include "runEnvironment.h"
#include "startupLines.h"

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Some 80 MB for a refused file, 200 MB with a 4096 by 4096 image: the
// decoded pixels, their copy in the image and the texture, 64 MiB each.
constexpr unsigned long long kMemoryBound = 512ull << 20;
constexpr unsigned long long kSanitizedMemoryBound = 2ull << 30;
// The program maps far more than it touches (the GL driver, thread stacks).
constexpr unsigned long long kAddressSpaceLimit = 2ull << 30;
// A refused file ends the run in well under a second; far more is a hang.
constexpr Timeout kRefusalBound = std::chrono::seconds(30);
constexpr unsigned long long kKibibyte = 1024;
const std::string kReasonSeparator = "\". Reason: ";

}  // namespace

std::string BlankPictures::of(unsigned side) {
  const std::string path = scratch_.directory() + "/blank" + std::to_string(side) + ".png";
  if (!std::filesystem::exists(path)) writeBlankPng(path, side, side);
  return path;
}

unsigned long long memoryBoundBytes() { return kSanitized ? kSanitizedMemoryBound : kMemoryBound; }

AppOptions runOnImages(const ImagesCopy& copy, const XServer& x) {
  AppOptions options;
  options.workingDirectory = copy.directory();
  options.environment = environmentWithoutJack(x);
  if (!kSanitized) {
    options.arguments = {"--as=" + std::to_string(kAddressSpaceLimit), "--", options.program};
    options.program = "prlimit";
  }
  return options;
}

void expectRefused(AppProcess& app, const std::string& file, const std::string& reasonPart) {
  const auto status = app.waitForExit(kRefusalBound);
  ASSERT_TRUE(status) << "still running";
  EXPECT_TRUE(status->exitedWith(1)) << *status << "\n" << app.stderrText();
  EXPECT_TRUE(linesStartingWith(app.stdoutLines(), kRunningPrefix).empty()) << "the engine was started";
  const auto reports = linesStartingWith(splitLines(app.stderrText()), "Failed");
  ASSERT_EQ(reports.size(), 1u) << app.stderrText();
  const std::string expectedStart = kImageFailure + " \"./images/" + file + kReasonSeparator;
  EXPECT_EQ(reports.front().rfind(expectedStart, 0), 0u) << reports.front();
  EXPECT_GT(reports.front().size(), expectedStart.size()) << "no reason given";
  EXPECT_NE(reports.front().find(reasonPart, expectedStart.size()), std::string::npos) << reports.front();
}

void expectWithinMemoryBound() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  EXPECT_LE(static_cast<unsigned long long>(usage.ru_maxrss) * kKibibyte, memoryBoundBytes());
}
