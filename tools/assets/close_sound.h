// about_close.wav: the About window's closing chime.
#pragma once

#include "little_endian.h"

byte_buffer make_close_sound();
