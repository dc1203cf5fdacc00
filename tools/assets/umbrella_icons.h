// about.ico (umbrella on a tile) and splash.ico (umbrella alone), at every
// size of icon_sizes(),
// 24-bit; and the 32-pixel umbrella that the animated cursor also starts
// from.
#pragma once

#include "little_endian.h"
#include "umbrella.h"

umbrella icon_umbrella();

byte_buffer make_about_icon();
byte_buffer make_splash_icon();
