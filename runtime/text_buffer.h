// Text buffers: every piece of program state that holds text is one fixed,
// zero-terminated buffer of this size with static lifetime.
#pragma once

constexpr int TEXT_BUFFER_SIZE = 2048;

// Copies the text into a text buffer, cutting it so that the terminator
// always fits. Temporary strings from the pool are kept this way, before
// the pool recycles them.
void copy_text(char* buffer, const char* text);
