// Windows bitmap files: the splash picture is an 8-bit paletted .bmp, which
// the splash program loads from its resources as it is.
#pragma once

#include "little_endian.h"
#include "palette.h"

// A .bmp of width x height pixels (image.index row by row, top-down) with
// a full 256-entry colour table, 72.4 dots per inch.
byte_buffer bmp_file_8bit(int width, int height, const palette_image& image);
