#include "picture_file.h"
#include <gtest/gtest.h>
#include <vector>
#include "picture_files.h"

// In a block of exactly its size: AddressSanitizer sees any read past it.
static bool whole(const std::string& bytes) {
  const std::vector<unsigned char> block(bytes.begin(), bytes.end());
  return picture_file_is_whole(block.data(), block.size());
}

// A cursor, and two as an animated cursor's frames: damaged by every cut
// (the form's size made what is left) and by nesting past the bound.
TEST(PictureFile, WholeFilesPassAndEveryCutAndDeepNestingFail) {
  const std::string cursor("\0\0\2\0\1\0\4\4\0\0\2\0\2\0\4\0\0\0\x16\0\0\0pict", 26);
  const std::string list = "fram" + riff_chunk("icon", cursor) + riff_chunk("icon", cursor);
  for (const std::string& file : {cursor, riff_chunk("RIFF", "ACON" + riff_chunk("LIST", list))}) {
    EXPECT_TRUE(whole(file));
    for (std::uint32_t cut = 0; cut < file.size(); ++cut) {
      std::string part = file.substr(0, cut);
      if (cut > 12 && file[0] == 'R') part.replace(4, 4, u32(cut - 8));
      EXPECT_FALSE(whole(part)) << "cut at " << cut;
    }
  }
  EXPECT_TRUE(whole(nested_lists(PICTURE_MOST_NESTED_LISTS)));
  EXPECT_FALSE(whole(nested_lists(PICTURE_MOST_NESTED_LISTS + 1)));
  EXPECT_FALSE(whole(nested_lists(60000)));
}
