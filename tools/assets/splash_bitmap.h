// splash.bmp: the splash picture, 186 x 159, 8 bits per pixel.
#pragma once

#include "little_endian.h"

byte_buffer make_splash_bitmap();
