// lapwick_chime.wav: the stopwatch's chime.
#pragma once

#include "little_endian.h"

byte_buffer make_chime_sound();
