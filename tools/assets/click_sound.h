// about_click.wav: the About window's typing click.
#pragma once

#include "little_endian.h"

byte_buffer make_click_sound();
