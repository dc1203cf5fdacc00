// Fixed text buffers: every piece of the stopwatch's state that holds text
// is one 2048-byte, zero-terminated buffer with static lifetime.
#pragma once

constexpr int STOPWATCH_TEXT_SIZE = 2048;

// Copies the text into the buffer, cutting it so that the terminator
// always fits. Temporary strings from the pool are copied in this way
// before the pool recycles them.
void copy_text(char* buffer, const char* text);
