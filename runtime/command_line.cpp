#include "command_line.h"

const char* command_line_tail(const char* command_line) {
  const char* p = command_line;
  if (*p == '"') {
    const char* q = p + 1;
    while (*q != 0 && *q != '"') ++q;
    if (*q == 0) return command_line;
    p = q + 1;  // characters right after the closing quote belong to the tail
  } else {
    while (*p != 0 && *p != ' ') ++p;
  }
  while (*p == ' ') ++p;
  return p;
}
