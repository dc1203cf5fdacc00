// The picture-file check over any bytes, in a block of exactly their size
// so that AddressSanitizer sees any read past the end. A RIFF form reads
// nothing past its own size: bytes after it never change the answer.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<unsigned char> file(data, data + size);
  const bool whole = picture_file_is_whole(file.data(), file.size());
  if (size >= 8 && std::memcmp(data, "RIFF", 4) == 0) {
    const std::size_t form =
        8 + (data[4] | data[5] << 8 | data[6] << 16 | std::size_t{data[7]} << 24);
    if (form <= size) {
      const std::vector<unsigned char> alone(data, data + form);
      FUZZ_CHECK(picture_file_is_whole(alone.data(), alone.size()) == whole,
                 "bytes after the RIFF form changed the answer");
    }
  }
  return 0;
}
