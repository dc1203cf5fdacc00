// lapwick.ico: the stopwatch icon, 32 x 32, 16 colours.
#pragma once

#include "little_endian.h"

byte_buffer make_stopwatch_icon();
