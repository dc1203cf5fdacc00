#include "import_seam.h"

#include <cstring>

void* replace_import(const char* module, const char* name, void* replacement) {
  auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), module) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* by_name =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), name) != 0) continue;
      DWORD protection = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
      void* previous = reinterpret_cast<void*>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
      return previous;
    }
  }
  return nullptr;
}

namespace {

using get_message_function = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
get_message_function system_get_message = nullptr;
int get_message_calls = 0;

BOOL WINAPI get_message_failing_first(LPMSG message, HWND window, UINT first, UINT last) {
  if (++get_message_calls == 1) return -1;
  return system_get_message(message, window, first, last);
}

}  // namespace

failing_get_message::failing_get_message() {
  get_message_calls = 0;
  system_get_message = reinterpret_cast<get_message_function>(replace_import(
      "user32.dll", "GetMessageA", reinterpret_cast<void*>(get_message_failing_first)));
}

failing_get_message::~failing_get_message() {
  if (system_get_message != nullptr) {
    replace_import("user32.dll", "GetMessageA", reinterpret_cast<void*>(system_get_message));
  }
}

int failing_get_message::calls() const { return get_message_calls; }

int refused_posts = 0;

namespace {

void* system_post = nullptr;

BOOL WINAPI refuse_post(HWND, UINT, WPARAM, LPARAM) {
  ++refused_posts;
  SetLastError(ERROR_NOT_ENOUGH_QUOTA);
  return FALSE;
}

}  // namespace

bool refuse_posts(bool on) {
  refused_posts = 0;
  if (on)
    system_post =
        replace_import("user32.dll", "PostMessageA", reinterpret_cast<void*>(refuse_post));
  if (!on && system_post != nullptr) replace_import("user32.dll", "PostMessageA", system_post);
  return system_post != nullptr;
}
