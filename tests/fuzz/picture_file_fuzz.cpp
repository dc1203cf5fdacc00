// Any bytes in a block of their size: ASan sees a read past it.
#include <vector>
#include "picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::vector<unsigned char> file(data, data + size);
  picture_file_is_whole(file.data(), size);
  return 0;
}
