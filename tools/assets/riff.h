// RIFF chunks, the container of both the WAVE sounds and the ACON animated
// cursor.
#pragma once

#include "little_endian.h"

// A chunk: tag, data size, data, and a pad byte after odd-sized data, so the
// next chunk starts on an even offset.
void put_chunk(byte_buffer& out, const char* tag, const byte_buffer& data);

// A RIFF file or LIST chunk: tag, size, form type, then the body (a run of
// chunks already laid out by the caller).
byte_buffer riff_form(const char* tag, const char* form, const byte_buffer& body);
