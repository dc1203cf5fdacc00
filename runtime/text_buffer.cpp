#include "text_buffer.h"

#include <cstring>

void copy_text(char* buffer, const char* text) {
  std::strncpy(buffer, text, TEXT_BUFFER_SIZE - 1);
  buffer[TEXT_BUFFER_SIZE - 1] = 0;
}
