#include "planted_dlls.h"

#include <windows.h>

#include "paths.h"
#include "processes.h"
#include "waits.h"
#include "wine_trace.h"

const char PLANTED_LOAD_ORDER[] =
    "WINEDLLOVERRIDES=mscoree,mshtml=;winmm,comctl32,winealsa.drv=n,b";

static const char* const PLANTED_DLLS[] = {"winmm.dll", "comctl32.dll", "winealsa.drv"};

std::string planted_folder(const char* exe_name) {
  const std::string folder = fresh_folder("planted");
  CopyFileA(program_path(exe_name).c_str(), (folder + exe_name).c_str(), FALSE);
  for (const char* dll : PLANTED_DLLS) {
    CopyFileA(program_path("planted.dll").c_str(), (folder + dll).c_str(), FALSE);
  }
  return folder;
}

std::vector<std::string> planted_marks(const std::string& folder) {
  std::vector<std::string> marked;
  for (const char* dll : PLANTED_DLLS) {
    const std::string mark = folder + dll + ".loaded";
    if (GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES) marked.push_back(dll);
  }
  return marked;
}

bool planted_dlls_load_unrestricted(const std::string& folder) {
  const char* const loaded[] = {"winmm.dll", "comctl32.dll"};
  for (const char* dll : loaded) DeleteFileA((folder + dll + ".loaded").c_str());
  CopyFileA(program_path("planted_control.exe").c_str(), (folder + "planted_control.exe").c_str(),
            FALSE);
  // It ends as soon as it has loaded them, often before the search for its
  // process sees it: its marks tell.
  launched_program program =
      launch_through_shell("planted_control.exe", {PLANTED_LOAD_ORDER}, "", 2000, folder);
  return wait_until(
      [&] {
        for (const char* dll : loaded) {
          if (GetFileAttributesA((folder + dll + ".loaded").c_str()) == INVALID_FILE_ATTRIBUTES) {
            return false;
          }
        }
        return true;
      },
      10000);
}
