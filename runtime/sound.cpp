#include "sound.h"

#include <mmsystem.h>

#include "system_libraries.h"

namespace {

sound_observer observer = nullptr;

}  // namespace

void play_wav_resource(HMODULE module, LPCSTR resource_id) {
  if (observer != nullptr) observer(module, resource_id);
  HRSRC found = FindResourceA(module, resource_id, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (found == nullptr) return;
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return;
  const void* image = LockResource(loaded);
  if (image == nullptr) return;
  // Synchronous on purpose: the caller goes on only when the sound ends.
  // SND_MEMORY alone, as the programs always have: a sound the system
  // cannot play gives way to its default sound.
  system_play_sound(static_cast<LPCSTR>(image), SND_MEMORY);
}

void set_sound_observer(sound_observer new_observer) { observer = new_observer; }
