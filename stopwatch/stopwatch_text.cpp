#include "stopwatch_text.h"

#include <cstring>

void copy_text(char* buffer, const char* text) {
  std::strncpy(buffer, text, STOPWATCH_TEXT_SIZE - 1);
  buffer[STOPWATCH_TEXT_SIZE - 1] = 0;
}
