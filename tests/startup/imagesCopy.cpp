#include "imagesCopy.h"

#include <filesystem>

namespace fs = std::filesystem;

const std::vector<std::string> kImageFiles = {
    "g4813.png", "g4894.png", "g6928.png",    "g5100.png",     "g5074.png",       "g4794.png",
    "g4906.png", "g4971.png", "path5020.png", "interface.png", "zelquorLogo.png", "mv1.png",
    "mv3.png",   "mvx.png",   "mute1.png",    "muteGrp.png",   "mute3.png"};

std::string projectImagePath(const std::string& file) { return std::string(ZELQUOR_PROJECT_IMAGES) + "/" + file; }

ImagesCopy::ImagesCopy(Content content) {
  if (content == withImages) fs::copy(ZELQUOR_PROJECT_IMAGES, fs::path(directory()) / "images");
}

std::string ImagesCopy::imagePath(const std::string& file) const { return directory() + "/images/" + file; }
