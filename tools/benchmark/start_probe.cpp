// Benchmark probe, run under Wine by tools/benchmark.sh:
//
//   start_probe ready ROUNDS EXE CLASS [EXE CLASS ...]
//     Starts the programs in turn, ROUNDS times round, and prints for each
//     start the milliseconds from CreateProcess until the program's window
//     (found by class) answers a WM_NULL sent to it. A sent message is
//     handled once the program looks at its queue: when its message loop
//     runs, or, in the About window, between two steps of its first page.
//     Every pause before that lies inside the figure. One line per program:
//     "CLASS ms ms ...". The program is ended after each start.
//   start_probe sleeps COUNT MS
//     Prints the milliseconds that COUNT calls of Sleep(MS) take here.
//   start_probe cpu EXE CLASS SECONDS
//     Starts the program, waits until it answers, sends it WM_COMMAND 1
//     (Lapwick's Run), prints "running", and after SECONDS prints the
//     processor time (user plus kernel, ms) that Wine reports for that span.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD READY_LIMIT_MS = 60000;

double now_ms() {
  static LARGE_INTEGER frequency;
  if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Starts the program in its own directory (the About window reads its
// picture from the current directory).
bool start_program(const char* exe, PROCESS_INFORMATION* process) {
  char directory[MAX_PATH];
  std::snprintf(directory, sizeof directory, "%s", exe);
  char* slash = std::strrchr(directory, '\\');
  if (slash != nullptr) *slash = '\0';
  char command[MAX_PATH + 2];
  std::snprintf(command, sizeof command, "\"%s\"", exe);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr,
                        slash != nullptr ? directory : nullptr, &startup, process) != 0;
}

// The program's window once its message loop has answered, or null.
HWND wait_until_ready(const char* window_class, HANDLE process, double started) {
  while (now_ms() - started < READY_LIMIT_MS) {
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
    HWND window = FindWindowA(window_class, nullptr);
    DWORD_PTR answer = 0;
    if (window != nullptr &&
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, READY_LIMIT_MS, &answer) != 0) {
      return window;
    }
    Sleep(1);
  }
  return nullptr;
}

void end_program(PROCESS_INFORMATION* process) {
  TerminateProcess(process->hProcess, 0);
  WaitForSingleObject(process->hProcess, 10000);
  CloseHandle(process->hThread);
  CloseHandle(process->hProcess);
}

// Milliseconds from start until ready, or -1 when the program never answered.
double time_to_ready(const char* exe, const char* window_class) {
  PROCESS_INFORMATION process = {};
  const double started = now_ms();
  if (!start_program(exe, &process)) return -1;
  HWND window = wait_until_ready(window_class, process.hProcess, started);
  const double ready = now_ms();
  end_program(&process);
  return window != nullptr ? ready - started : -1;
}

int ready_mode(int rounds, int count, char** pairs) {
  double* times =
      static_cast<double*>(std::calloc(static_cast<size_t>(rounds * count), sizeof(double)));
  if (times == nullptr) return 1;
  for (int round = 0; round < rounds; ++round) {
    for (int i = 0; i < count; ++i) {
      times[i * rounds + round] = time_to_ready(pairs[2 * i], pairs[2 * i + 1]);
    }
  }
  for (int i = 0; i < count; ++i) {
    std::printf("%s", pairs[2 * i + 1]);
    for (int round = 0; round < rounds; ++round) std::printf(" %.0f", times[i * rounds + round]);
    std::printf("\n");
  }
  std::free(times);
  return 0;
}

double process_cpu_ms(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (GetProcessTimes(process, &created, &ended, &kernel, &user) == 0) return -1;
  ULARGE_INTEGER k, u;
  k.LowPart = kernel.dwLowDateTime;
  k.HighPart = kernel.dwHighDateTime;
  u.LowPart = user.dwLowDateTime;
  u.HighPart = user.dwHighDateTime;
  return static_cast<double>(k.QuadPart + u.QuadPart) / 10000.0;
}

int cpu_mode(const char* exe, const char* window_class, double seconds) {
  PROCESS_INFORMATION process = {};
  if (!start_program(exe, &process)) return 1;
  HWND window = wait_until_ready(window_class, process.hProcess, now_ms());
  if (window == nullptr) {
    end_program(&process);
    return 1;
  }
  PostMessageA(window, WM_COMMAND, 1, 0);
  // The script that runs the probe reads the process's figures from outside
  // Wine as well, over the same span.
  std::printf("running\n");
  std::fflush(stdout);
  const double before = process_cpu_ms(process.hProcess);
  const double started = now_ms();
  Sleep(static_cast<DWORD>(seconds * 1000.0));
  const double after = process_cpu_ms(process.hProcess);
  const double span = now_ms() - started;
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  std::printf("pid %lu cpu_ms %.1f span_ms %.0f start_cpu_ms %.1f title %s\n",
              static_cast<unsigned long>(process.dwProcessId), after - before, span, before, title);
  end_program(&process);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 5 && std::strcmp(argv[1], "ready") == 0 && (argc - 3) % 2 == 0) {
    return ready_mode(std::atoi(argv[2]), (argc - 3) / 2, argv + 3);
  }
  if (argc == 4 && std::strcmp(argv[1], "sleeps") == 0) {
    const int count = std::atoi(argv[2]);
    const double started = now_ms();
    for (int i = 0; i < count; ++i) Sleep(static_cast<DWORD>(std::atoi(argv[3])));
    std::printf("%.0f\n", now_ms() - started);
    return 0;
  }
  if (argc == 5 && std::strcmp(argv[1], "cpu") == 0) {
    return cpu_mode(argv[2], argv[3], std::atof(argv[4]));
  }
  std::fprintf(stderr,
               "usage: start_probe ready ROUNDS EXE CLASS [EXE CLASS ...]\n"
               "       start_probe sleeps COUNT MS\n"
               "       start_probe cpu EXE CLASS SECONDS\n");
  return 2;
}
