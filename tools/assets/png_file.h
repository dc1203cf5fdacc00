// PNG images, as icon files hold their 256-pixel image from Windows Vista
// on: 8-bit RGBA, compressed. Stored as a bitmap that image alone would be
// about ten times the size of the rest of the program.
#pragma once

#include "little_endian.h"

// The zlib stream of the data: one deflate block with the fixed codes,
// matches found along chains of earlier places that begin alike.
byte_buffer zlib_compressed(const byte_buffer& data);

// A PNG file of 32-bit pixels with straight alpha (colour type 6), rows in
// order from the top, each filtered by its left neighbour ("Sub").
// rgba holds 4 bytes a pixel, red first.
byte_buffer png_file(int width, int height, const byte_buffer& rgba);
