#include "ani_file.h"

#include <cstring>

#include "riff.h"

namespace {

constexpr std::uint32_t kAnimationHeaderBytes = 36;
constexpr std::uint32_t kFramesAreIcons = 1;  // AF_ICON: frames are .ico/.cur files
constexpr std::uint32_t kHasSequence = 2;     // AF_SEQUENCE: a "seq " chunk orders the frames

}  // namespace

byte_buffer ani_file(const char* title, const std::vector<byte_buffer>& cur_frames,
                     const std::vector<ani_step>& steps, std::uint32_t default_rate) {
  byte_buffer info;
  // The title with its terminating zero.
  put_chunk(info, "INAM", byte_buffer(title, title + std::strlen(title) + 1));

  byte_buffer header;
  put_u32(header, kAnimationHeaderBytes);
  put_u32(header, static_cast<std::uint32_t>(cur_frames.size()));
  put_u32(header, static_cast<std::uint32_t>(steps.size()));
  for (int i = 0; i < 4; ++i) put_u32(header, 0);  // width, height, bits, planes: in the frames
  put_u32(header, default_rate);
  put_u32(header, kFramesAreIcons | kHasSequence);

  byte_buffer rates;
  byte_buffer sequence;
  for (const ani_step& step : steps) {
    put_u32(rates, step.rate);
    put_u32(sequence, step.frame);
  }

  byte_buffer frame_list;
  for (const byte_buffer& frame : cur_frames) put_chunk(frame_list, "icon", frame);

  byte_buffer body;
  put_bytes(body, riff_form("LIST", "INFO", info));
  put_chunk(body, "anih", header);
  put_chunk(body, "rate", rates);
  put_chunk(body, "seq ", sequence);
  put_bytes(body, riff_form("LIST", "fram", frame_list));
  return riff_form("RIFF", "ACON", body);
}
