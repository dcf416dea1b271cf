// The program's images, and a scratch working directory holding a copy of
// them that a test may damage without touching the project's own.
#ifndef ZELQUOR_TESTS_IMAGES_COPY_H
#define ZELQUOR_TESTS_IMAGES_COPY_H

#include <string>
#include <vector>

#include "scratchFolder.h"

// The 17 files that the program reads from ./images/, in its loading order.
extern const std::vector<std::string> kImageFiles;

// The project's own copy of an image file.
std::string projectImagePath(const std::string& file);

// A fresh folder under /tmp, removed with the object.
class ImagesCopy {
 public:
  enum Content { withImages, empty };
  explicit ImagesCopy(Content content = withImages);
  const std::string& directory() const { return folder_.path(); }
  // Where the copy of the image file lies.
  std::string imagePath(const std::string& file) const;

 private:
  ScratchFolder folder_{"zelquorStartup"};
};

#endif
