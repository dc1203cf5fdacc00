// Sounds stored as RIFF WAVE images in raw-data resources.
#pragma once

#include <windows.h>

// Plays the sound synchronously from the resource memory of the module
// (null: the program's own executable). A missing resource plays nothing.
void play_wav_resource(HMODULE module, LPCSTR resource_id);

// Test seam: called with every request, before the resource is looked up.
using sound_observer = void (*)(HMODULE module, LPCSTR resource_id);
void set_sound_observer(sound_observer observer);
