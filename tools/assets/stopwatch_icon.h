// lapwick.ico: the stopwatch icon, 16 colours, at every size of icon_sizes().
#pragma once

#include "little_endian.h"

byte_buffer make_stopwatch_icon();
