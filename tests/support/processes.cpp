#include "processes.h"

#include <algorithm>
#include <cstring>

#include "paths.h"
#include "waits.h"

launched_program::launched_program(launched_program&& other) noexcept
    : info(other.info), started(other.started) {
  other.started = false;
}

launched_program& launched_program::operator=(launched_program&& other) noexcept {
  if (this != &other) {
    kill_program(*this);
    info = other.info;
    started = other.started;
    other.started = false;
  }
  return *this;
}

launched_program::~launched_program() { kill_program(*this); }

launched_program launch(const char* exe_name, const launch_options& options) {
  return launch_at(program_path(exe_name), options);
}

namespace {

// The length of an entry's name ("NAME=value"); the drive entries that
// begin with '=' keep that '=' in their name.
size_t name_length(const std::string& entry) {
  const size_t equals = entry.find('=', 1);
  return equals == std::string::npos ? entry.size() : equals;
}

bool same_name(const std::string& a, const std::string& b) {
  const size_t length = name_length(a);
  return length == name_length(b) && _strnicmp(a.c_str(), b.c_str(), length) == 0;
}

}  // namespace

std::vector<char> environment_block(const std::vector<std::string>& entries) {
  std::vector<std::string> all;
  if (char* own = GetEnvironmentStringsA()) {
    for (const char* entry = own; *entry != 0; entry += std::strlen(entry) + 1) {
      all.emplace_back(entry);
    }
    FreeEnvironmentStringsA(own);
  }
  for (const std::string& entry : entries) {
    all.erase(std::remove_if(all.begin(), all.end(),
                             [&](const std::string& old) { return same_name(old, entry); }),
              all.end());
    all.push_back(entry);
  }
  std::stable_sort(all.begin(), all.end(), [](const std::string& a, const std::string& b) {
    const int order = _strnicmp(a.c_str(), b.c_str(), std::min(name_length(a), name_length(b)) + 1);
    return order < 0;
  });
  std::vector<char> block;
  for (const std::string& entry : all) {
    block.insert(block.end(), entry.begin(), entry.end());
    block.push_back(0);
  }
  block.push_back(0);
  return block;
}

launched_program launch_at(const std::string& exe_path, const launch_options& options) {
  launched_program program;
  std::string command = options.quoted_name ? "\"" + exe_path + "\"" : exe_path;
  if (options.arguments != nullptr) command += std::string(" ") + options.arguments;
  std::vector<char> command_buffer(command.begin(), command.end());
  command_buffer.push_back(0);
  std::vector<char> environment;
  if (!options.environment.empty()) environment = environment_block(options.environment);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  program.started = CreateProcessA(nullptr, command_buffer.data(), nullptr, nullptr, FALSE,
                                   options.suspended ? CREATE_SUSPENDED : 0,
                                   environment.empty() ? nullptr : environment.data(),
                                   options.working_dir, &startup, &program.info) != 0;
  return program;
}

int wait_exit(launched_program& program, DWORD timeout_ms) {
  if (!program.started) return -1;
  if (WaitForSingleObject(program.info.hProcess, wait_bound(timeout_ms)) != WAIT_OBJECT_0) {
    kill_program(program);
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(program.info.hProcess, &code);
  return static_cast<int>(code);
}

bool is_running(const launched_program& program) {
  return program.started && WaitForSingleObject(program.info.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {

struct close_request {
  DWORD pid;
  int asked;
};

// Asks each visible top-level window of the process to close, as its close
// button would.
BOOL CALLBACK ask_to_close(HWND window, LPARAM data) {
  auto* request = reinterpret_cast<close_request*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == request->pid && IsWindowVisible(window)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    ++request->asked;
  }
  return TRUE;
}

// A close asked of a program that answers its windows ends it well within
// this; one that does not (hung, or stopped by its test) is ended by force.
constexpr DWORD CLOSE_BOUND_MS = 5000;

}  // namespace

void kill_program(launched_program& program) {
  if (!program.started) return;
  if (is_running(program)) {
    close_request request = {program.info.dwProcessId, 0};
    EnumWindows(ask_to_close, reinterpret_cast<LPARAM>(&request));
    if (request.asked == 0 ||
        WaitForSingleObject(program.info.hProcess, wait_bound(CLOSE_BOUND_MS)) != WAIT_OBJECT_0) {
      TerminateProcess(program.info.hProcess, 99);
      WaitForSingleObject(program.info.hProcess, wait_bound(CLOSE_BOUND_MS));
    }
  }
  if (program.info.hThread != nullptr) CloseHandle(program.info.hThread);
  CloseHandle(program.info.hProcess);
  program.started = false;
}
