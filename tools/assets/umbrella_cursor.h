// ombrel.ani: the animated cursor, an umbrella opening and turning.
#pragma once

#include "little_endian.h"

byte_buffer make_umbrella_cursor();
