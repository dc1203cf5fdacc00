// Starting the real programs as another program would, and ending them:
// a started program is owned by its object and never outlives its test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct launch_options {
  const char* arguments = nullptr;    // command-line tail
  const char* working_dir = nullptr;  // Windows path; null: inherit
  bool quoted_name = true;            // program name in double quotes
  bool suspended = false;             // first thread held until ResumeThread
  // "NAME=value" entries the program gets on top of this process's own
  // environment, which stays as it is.
  std::vector<std::string> environment;
};

// A started program, owned by this object: it is ended (if still running)
// and its handles closed when the object goes, whatever ends the test.
struct launched_program {
  PROCESS_INFORMATION info = {};
  bool started = false;

  launched_program() = default;
  launched_program(launched_program&& other) noexcept;
  launched_program& operator=(launched_program&& other) noexcept;
  launched_program(const launched_program&) = delete;
  launched_program& operator=(const launched_program&) = delete;
  ~launched_program();
};

launched_program launch(const char* exe_name, const launch_options& options = {});
// The same for a program at a full Windows path.
launched_program launch_at(const std::string& exe_path, const launch_options& options = {});

// This process's environment with the entries set on top (replacing any of
// the same name), as a block for CreateProcess: sorted by name, ignoring
// case, as the system keeps one.
std::vector<char> environment_block(const std::vector<std::string>& entries);

// Exit code, or -1 when it has not ended within the bound (it is then ended
// as kill_program ends it).
int wait_exit(launched_program& program, DWORD timeout_ms);
// True while the process is still running.
bool is_running(const launched_program& program);
// Ends the process if still running and closes its handles. Its windows are
// asked to close first, and it is given a few seconds to end as a user's
// close ends it; only then is it ended by force: a program ended of a
// sudden can leave Wine's session broken for every program after it.
void kill_program(launched_program& program);
