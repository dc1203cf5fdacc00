#include "wine_trace.h"
#include "processes.h"
#include "waits.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "library_function.h"

std::vector<unsigned long> played_sound_sizes(const std::string& winmm_trace) {
  std::vector<unsigned long> sizes;
  const std::string marker = "ParentChunk ckid=RIFF fccType=WAVE cksize=";
  for (size_t at = winmm_trace.find(marker); at != std::string::npos;
       at = winmm_trace.find(marker, at + marker.size())) {
    sizes.push_back(std::strtoul(winmm_trace.c_str() + at + marker.size(), nullptr, 16));
  }
  return sizes;
}

namespace {

using unix_spawn_function = LONG(CDECL*)(char* const argv[], int wait);  // NTSTATUS
using unix_name_function = char*(CDECL*)(const WCHAR* dos_name);

// Ids of the running processes whose executable has the name.
std::vector<DWORD> processes_named(const char* exe_name) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, exe_name) == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

}  // namespace

std::string unix_path(const std::string& windows_path) {
  auto to_unix =
      loaded_library_function<unix_name_function>("kernel32.dll", "wine_get_unix_file_name");
  if (to_unix == nullptr) return "";
  WCHAR wide[MAX_PATH] = {0};
  MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, wide, MAX_PATH);
  char* unix_name = to_unix(wide);
  if (unix_name == nullptr) return "";
  std::string result = unix_name;
  HeapFree(GetProcessHeap(), 0, unix_name);
  return result;
}

launched_program launch_through_shell(const char* exe_name,
                                      const std::vector<std::string>& assignments,
                                      const std::string& error_file, DWORD timeout_ms,
                                      const std::string& folder, const std::string& tail) {
  launched_program program;
  auto spawn = loaded_library_function<unix_spawn_function>("ntdll.dll", "__wine_unix_spawnvp");
  const char* bin_dir = std::getenv("OMBREL_BIN_DIR");
  std::string dir = folder.empty() ? (bin_dir != nullptr ? bin_dir : "") : unix_path(folder);
  if (spawn == nullptr || dir.empty()) return program;

  const std::vector<DWORD> before = processes_named(exe_name);
  // The shell's own arguments carry the values, so nothing needs quoting;
  // the tail is split into words, unexpanded, and the assignments come
  // last, as "$@".
  std::string script =
      "set -f && cd \"$1\" && exe=$2 && error=$3 && tail=$4 && shift 4 && "
      "{ [ $# -eq 0 ] || export \"$@\"; } && ";
  script += error_file.empty() ? "exec \"$WINELOADER\" \"$exe\" $tail"
                               : "exec \"$WINELOADER\" \"$exe\" $tail 2>\"$error\"";
  std::vector<std::string> args = {"/bin/sh", "-c", script, "sh", dir, exe_name, error_file, tail};
  args.insert(args.end(), assignments.begin(), assignments.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  if (spawn(argv.data(), 0) != 0) return program;

  DWORD pid = 0;
  wait_until(
      [&] {
        for (DWORD id : processes_named(exe_name)) {
          if (std::find(before.begin(), before.end(), id) == before.end()) pid = id;
        }
        return pid != 0;
      },
      timeout_ms);
  if (pid == 0) return program;
  program.info.dwProcessId = pid;
  program.info.hProcess = OpenProcess(
      PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  program.started = program.info.hProcess != nullptr;
  return program;
}

launched_program launch_with_trace(const char* exe_name, const char* winedebug,
                                   const std::string& trace_file, const std::string& folder,
                                   const std::vector<std::string>& environment) {
  const std::string trace_unix = unix_path(trace_file);
  if (trace_unix.empty()) return launched_program();
  std::vector<std::string> assignments = environment;
  assignments.push_back(std::string("WINEDEBUG=") + winedebug);
  return launch_through_shell(exe_name, assignments, trace_unix, 10000, folder);
}
