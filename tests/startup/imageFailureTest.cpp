// An image that cannot be loaded ends the run with status 1 before the
// engine starts, whichever of the 17 it is and however it is damaged; the
// graphics library's own report names it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <string>

#include "appProcess.h"
#include "imagesCopy.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"

namespace {

namespace fs = std::filesystem;

enum class Damage { missing, empty, randomBytes, truncated };

constexpr size_t kRandomLength = 4096;
constexpr unsigned kRandomSeed = 20240611;

std::string nameOf(Damage damage) {
  switch (damage) {
    case Damage::missing:
      return "Missing";
    case Damage::empty:
      return "Empty";
    case Damage::randomBytes:
      return "RandomBytes";
    case Damage::truncated:
      return "TruncatedPng";
  }
  return "Unknown";
}

void PrintTo(Damage damage, std::ostream* out) { *out << nameOf(damage); }

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void overwrite(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

std::string randomBytes() {
  std::mt19937 generator(kRandomSeed);
  std::string bytes(kRandomLength, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator());
  return bytes;
}

void damage(const std::string& path, Damage how) {
  switch (how) {
    case Damage::missing:
      fs::remove(path);
      break;
    case Damage::empty:
      overwrite(path, "");
      break;
    case Damage::randomBytes:
      overwrite(path, randomBytes());
      break;
    case Damage::truncated: {
      const std::string whole = contentOf(path);
      overwrite(path, whole.substr(0, whole.size() / 2));
      break;
    }
  }
}

size_t occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The run stops at the first image that fails, reports that one only, and
// never reaches the engine's start.
void expectEndsAtImage(AppProcess& app, const std::string& file) {
  const auto status = app.waitForExit();
  ASSERT_TRUE(status) << "still running";
  EXPECT_TRUE(status->exitedWith(1)) << *status;
  EXPECT_TRUE(linesStartingWith(app.stdoutLines(), kRunningPrefix).empty()) << "the engine was started";
  const std::string errors = app.stderrText();
  EXPECT_NE(errors.find(kImageFailure + " \"./images/" + file + "\""), std::string::npos) << errors;
  EXPECT_EQ(occurrences(errors, kImageFailure), 1u) << errors;
}

class DamagedImage : public testing::TestWithParam<Damage> {};

TEST_P(DamagedImage, EndsTheRunWithStatusOneBeforeTheEngineStarts) {
  XServer x;
  for (const auto& file : kImageFiles) {
    SCOPED_TRACE(file);
    ImagesCopy copy;
    damage(copy.imagePath(file), GetParam());
    AppOptions options;
    options.workingDirectory = copy.directory();
    options.environment = environmentWithoutJack(x);
    AppProcess app(options);
    expectEndsAtImage(app, file);
  }
}

INSTANTIATE_TEST_SUITE_P(EachImage, DamagedImage,
                         testing::Values(Damage::missing, Damage::empty, Damage::randomBytes, Damage::truncated),
                         [](const testing::TestParamInfo<Damage>& info) { return nameOf(info.param); });

// Images are looked up in the working directory, not beside the program.
TEST(ImagesFolder, WorkingDirectoryWithoutImagesEndsTheRunEvenWithImagesBesideTheProgram) {
  XServer x;
  ImagesCopy programFolder;
  const fs::path program = fs::path(programFolder.directory()) / fs::path(zelquorExecutable()).filename();
  fs::copy_file(zelquorExecutable(), program);
  ImagesCopy workingDirectory(ImagesCopy::empty);
  AppOptions options;
  options.program = program.string();
  options.workingDirectory = workingDirectory.directory();
  options.environment = environmentWithoutJack(x);
  AppProcess app(options);
  expectEndsAtImage(app, kImageFiles.front());
}

}  // namespace
