#include <gtest/gtest.h>

#include <vector>

#include "picture_file.h"
#include "picture_files.h"

namespace {

// In a block of exactly its size: AddressSanitizer sees any read past it.
bool whole(const std::string& bytes) {
  const std::vector<unsigned char> block(bytes.begin(), bytes.end());
  return picture_file_is_whole(block.data(), block.size());
}

std::string plus_one(std::string file, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(file[at + i]);
  std::string field;
  put_u32(field, value + 1);
  return file.replace(at, 4, field);
}

TEST(PictureFile, WholeFilesPassAndEveryCutAndEverySizePastItsEndFails) {
  const std::string cursor = cursor_file(40), animated = animated_cursor(40, 2);
  // A size or an image's offset one past what it has: the form's, the
  // list's, the last frame's, and the last frame's image's.
  const std::size_t list = animated.find("LIST"), frame = animated.rfind("icon");
  const struct {
    const std::string& file;
    std::vector<std::size_t> sizes;
  } files[] = {{cursor, {14, 18}}, {animated, {4, list + 4, frame + 4, frame + 22, frame + 26}}};
  for (const auto& f : files) {
    EXPECT_TRUE(whole(f.file));
    for (std::size_t cut = 0; cut < f.file.size(); ++cut) {
      ASSERT_FALSE(whole(f.file.substr(0, cut))) << "cut at " << cut;
    }
    for (std::size_t at : f.sizes) EXPECT_FALSE(whole(plus_one(f.file, at))) << "size at " << at;
  }
}

TEST(PictureFile, ListsNestedUpToTheBoundPassAndDeeperOnesFail) {
  EXPECT_TRUE(whole(nested_lists(PICTURE_MOST_NESTED_LISTS)));
  EXPECT_FALSE(whole(nested_lists(PICTURE_MOST_NESTED_LISTS + 1)));
  const std::string crafted = nested_lists(60000);  // the 720 KB file
  EXPECT_EQ(crafted.size(), 720012u);
  EXPECT_FALSE(whole(crafted));
}

}  // namespace
