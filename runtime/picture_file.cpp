#include "picture_file.h"

#include <cstring>

namespace {

constexpr std::size_t DIRECTORY_HEADER_BYTES = 6;
constexpr std::size_t DIRECTORY_ENTRY_BYTES = 16;
constexpr std::size_t CHUNK_HEADER_BYTES = 8;  // four-letter id, then the size
constexpr std::size_t LIST_TYPE_BYTES = 4;     // a list's four-letter type

std::size_t read_u16(const unsigned char* at) {
  return static_cast<std::size_t>(at[0]) | static_cast<std::size_t>(at[1]) << 8;
}
std::size_t read_u32(const unsigned char* at) { return read_u16(at) | read_u16(at + 2) << 16; }

bool chunk_is(const unsigned char* at, const char* id) { return std::memcmp(at, id, 4) == 0; }

// An icon or cursor directory (a zero, then type 1 for icons or 2 for
// cursors) whose images all lie within its size bytes.
bool directory_is_whole(const unsigned char* data, std::size_t size) {
  if (size < DIRECTORY_HEADER_BYTES || read_u16(data) != 0) return false;
  const std::size_t type = read_u16(data + 2);
  if (type != 1 && type != 2) return false;
  const std::size_t count = read_u16(data + 4);
  if (DIRECTORY_HEADER_BYTES + DIRECTORY_ENTRY_BYTES * count > size) return false;
  for (std::size_t image = 0; image < count; ++image) {
    const unsigned char* entry = data + DIRECTORY_HEADER_BYTES + DIRECTORY_ENTRY_BYTES * image;
    const std::size_t bytes = read_u32(entry + 8);
    const std::size_t offset = read_u32(entry + 12);
    if (offset > size || bytes > size - offset) return false;
  }
  return true;
}

// The chunks of a RIFF form from begin to end. Each open list keeps where
// it ends and where its parent goes on after it; a list is walked in place
// of the call a recursive reading would make.
bool chunks_are_whole(const unsigned char* data, std::size_t begin, std::size_t end) {
  struct open_list {
    std::size_t end;
    std::size_t after;
  };
  open_list lists[PICTURE_MOST_NESTED_LISTS + 1];
  int depth = 0;
  lists[0] = {end, end};
  std::size_t at = begin;
  for (;;) {
    const std::size_t list_end = lists[depth].end;
    // Past the end only by the pad byte of a last chunk of odd size.
    if (at >= list_end) {
      if (depth == 0) return true;
      at = lists[depth].after;
      --depth;
      continue;
    }
    if (list_end - at < CHUNK_HEADER_BYTES) return false;  // a chunk header cut short
    const std::size_t size = read_u32(data + at + 4);
    const std::size_t body = at + CHUNK_HEADER_BYTES;
    if (size > list_end - body) return false;
    // Chunks of odd size are followed by a pad byte.
    const std::size_t next = body + size + (size & 1);
    if (chunk_is(data + at, "icon") && !directory_is_whole(data + body, size)) return false;
    if (chunk_is(data + at, "LIST")) {
      if (size < LIST_TYPE_BYTES || depth == PICTURE_MOST_NESTED_LISTS) return false;
      ++depth;
      lists[depth] = {body + size, next};
      at = body + LIST_TYPE_BYTES;
      continue;
    }
    at = next;
  }
}

}  // namespace

bool picture_file_is_whole(const unsigned char* data, std::size_t size) {
  if (data == nullptr) return false;
  // A RIFF file too short for its form's type is cut short.
  if (size >= 4 && chunk_is(data, "RIFF")) {
    const std::size_t form = size >= CHUNK_HEADER_BYTES ? read_u32(data + 4) : 0;
    return form >= LIST_TYPE_BYTES && form <= size - CHUNK_HEADER_BYTES &&
           chunks_are_whole(data, CHUNK_HEADER_BYTES + LIST_TYPE_BYTES, CHUNK_HEADER_BYTES + form);
  }
  return directory_is_whole(data, size);
}
