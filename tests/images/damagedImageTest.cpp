// An image file that is missing, damaged or too large ends the run with
// status 1 before the engine starts, whichever of the 17 it is, with one
// report that names it and says why, within the memory bound.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <random>
#include <string>

#include "appProcess.h"
#include "imageRun.h"
#include "imagesCopy.h"
#include "pngFiles.h"
#include "runEnvironment.h"
#include "xServer.h"

namespace {

namespace fs = std::filesystem;

enum class Damage { missing, empty, randomBytes, truncated, textFile, hugePicture, directory };

constexpr size_t kRandomLength = 4096;
constexpr unsigned kRandomSeed = 20240611;
const std::string kText = "Zelquor board pictures\nsee the README for the list of files\n";

std::string nameOf(Damage damage) {
  switch (damage) {
    case Damage::missing: return "Missing";
    case Damage::empty: return "Empty";
    case Damage::randomBytes: return "RandomBytes";
    case Damage::truncated: return "TruncatedPng";
    case Damage::textFile: return "TextFile";
    case Damage::hugePicture: return "HugePicture";
    case Damage::directory: return "Directory";
  }
  return "Unknown";
}

void PrintTo(Damage damage, std::ostream* out) { *out << nameOf(damage); }

std::string randomBytes() {
  std::mt19937 generator(kRandomSeed);
  std::string bytes(kRandomLength, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator());
  return bytes;
}

// One huge blank picture for the whole run, copied in place of each image.
std::string hugePicture() {
  static BlankPictures blanks;
  return blanks.of(kHugeBlankSide);
}

// Damages the file and answers what the report's reason must hold.
std::string damage(const std::string& path, Damage how) {
  switch (how) {
    case Damage::missing: fs::remove(path); return kUnableToOpen;
    case Damage::empty: writeFile(path, ""); return kNotPng;
    case Damage::randomBytes: writeFile(path, randomBytes()); return kNotPng;
    case Damage::truncated: {
      const std::string whole = fileContent(path);
      writeFile(path, whole.substr(0, whole.size() / 2));
      return "";
    }
    case Damage::textFile: writeFile(path, kText); return kNotPng;
    case Damage::hugePicture:
      fs::copy_file(hugePicture(), path, fs::copy_options::overwrite_existing);
      return kTooLarge;
    case Damage::directory:
      fs::remove(path);
      fs::create_directory(path);
      return "";
  }
  return "";
}

class DamagedImage : public testing::TestWithParam<Damage> {};

TEST_P(DamagedImage, EndsTheRunWithStatusOneBeforeTheEngineStarts) {
  XServer x;
  for (const auto& file : kImageFiles) {
    SCOPED_TRACE(file);
    ImagesCopy copy;
    const std::string reason = damage(copy.imagePath(file), GetParam());
    AppProcess app(runOnImages(copy, x));
    expectRefused(app, file, reason);
    expectWithinMemoryBound();
  }
}

INSTANTIATE_TEST_SUITE_P(EachImage, DamagedImage,
                         testing::Values(Damage::missing, Damage::empty, Damage::randomBytes, Damage::truncated,
                                         Damage::textFile, Damage::hugePicture, Damage::directory),
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
  expectRefused(app, kImageFiles.front(), kUnableToOpen);
}

}  // namespace
