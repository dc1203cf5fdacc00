#include "paths.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

std::string wine_path(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string program_path(const char* exe_name) {
  const char* dir = std::getenv("OMBREL_BIN_DIR");
  return wine_path(std::string(dir != nullptr ? dir : ".") + "/" + exe_name);
}

std::string source_path(const char* relative) {
  const char* dir = std::getenv("OMBREL_SOURCE_DIR");
  return wine_path(std::string(dir != nullptr ? dir : ".") + "/" + relative);
}

std::string read_text_file(const std::string& windows_path) {
  std::string text;
  FILE* file = std::fopen(windows_path.c_str(), "rb");
  if (file == nullptr) return text;
  char chunk[4096];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  std::fclose(file);
  return text;
}

namespace {

// The temporary folder, then the stem, this process, a count and the ending.
std::string temp_name(const char* stem, const char* ending) {
  static int counter = 0;
  char dir[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, dir);
  char name[MAX_PATH + 64] = {0};
  std::snprintf(name, sizeof name, "%s%s-%lu-%d%s", dir, stem, GetCurrentProcessId(), ++counter,
                ending);
  return name;
}

}  // namespace

std::string temp_file(const char* stem) {
  const std::string name = temp_name(stem, ".txt");
  DeleteFileA(name.c_str());
  return name;
}

std::string fresh_folder(const char* stem) {
  // A new folder, never one an earlier test left: Wine gives process ids
  // anew with every wineserver, so an earlier test process may have had
  // this one's id and left its files (a planted DLL's mark) in a folder of
  // the same name.
  std::string name = temp_name(stem, "\\");
  for (int tries = 0; !CreateDirectoryA(name.c_str(), nullptr) && tries < 1000; ++tries) {
    name = temp_name(stem, "\\");
  }
  return name;
}
