// Helpers for Windows tests under Wine: start the real programs as another
// program would, find their windows and wait for them, always with a bound.
// Wine's own trace output is read through wine_trace.h.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Windows path of a built program, e.g. "Z:\...\bin\OmbrelSplash.exe".
std::string program_path(const char* exe_name);
// Windows form of a path under the source tree (OMBREL_SOURCE_DIR).
std::string source_path(const char* relative);
// Windows form of a Unix path (Wine maps / to drive Z:).
std::string wine_path(const std::string& unix_path);

struct launch_options {
  const char* arguments = nullptr;    // command-line tail
  const char* working_dir = nullptr;  // Windows path; null: inherit
  bool quoted_name = true;            // program name in double quotes
  bool suspended = false;             // first thread held until ResumeThread
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

// Exit code, or -1 when it has not ended within the bound (it is then killed).
int wait_exit(launched_program& program, DWORD timeout_ms);
// True while the process is still running.
bool is_running(const launched_program& program);
// Ends the process if still running and closes its handles.
void kill_program(launched_program& program);

// A top-level window of the class owned by the process (any process when
// pid is 0), visible or not; null if none appears within the bound.
HWND wait_for_window(const char* class_name, DWORD pid, DWORD timeout_ms);
// The bound of every wait here, times OMBREL_WAIT_SCALE (a whole number, 1
// when unset): the 32-bit guest runs Wine on an emulated processor many
// times slower. Durations a test measures and checks are never scaled.
DWORD wait_bound(DWORD timeout_ms);
// Waits until the predicate holds, pumping this thread's messages; returns
// whether it did within the bound.
template <typename Predicate>
bool wait_until(Predicate predicate, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  const DWORD bound = wait_bound(timeout_ms);
  for (;;) {
    if (predicate()) return true;
    if (GetTickCount() - start >= bound) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

// Runs a message loop of the code under test (or a win_main) on this
// thread within the bound, after which a thread timer that the loop itself
// dispatches quits it with LOOP_BOUND_EXIT_CODE: a loop that waits for a
// quit that never comes fails its test in seconds instead of hanging it.
constexpr int LOOP_BOUND_EXIT_CODE = 42;
void CALLBACK quit_at_bound(HWND, UINT, UINT_PTR, DWORD);
template <typename Loop>
int run_bounded(Loop loop, DWORD timeout_ms) {
  const UINT_PTR timer = SetTimer(nullptr, 0, wait_bound(timeout_ms), quit_at_bound);
  const int result = loop();
  KillTimer(nullptr, timer);
  return result;
}

// Top-level windows of the class owned by the process (any process when
// pid is 0), visible or not (or visible only): how many, and the first and
// last in z-order.
struct window_tally {
  int count = 0;
  HWND first = nullptr;
  HWND last = nullptr;
};
window_tally tally_windows(const char* class_name, DWORD pid = 0, bool visible_only = false);
int count_windows(const char* class_name, DWORD pid = 0);
// The process's message boxes (dialog class #32770), visible or not (or
// visible only).
window_tally message_boxes(DWORD pid, bool visible_only = false);
// A message box's text: its static control 0xFFFF.
std::string message_box_text(HWND box);
// Removes, unhandled, every message waiting in this thread's queue (a quit
// above all, which would end the next loop or box at once).
void drain_queue();

std::string window_text(HWND window);
std::string window_class(HWND window);
std::string read_text_file(const std::string& windows_path);
// A fresh file name in the bench's temporary folder.
std::string temp_file(const char* stem);
// A fresh empty folder in the bench's temporary folder (Windows path, with
// a trailing backslash).
std::string fresh_folder(const char* stem);

// A fresh download folder: the program beside planted DLLs (planted_dll.cpp)
// named winmm.dll, comctl32.dll and winealsa.drv (Wine's sound driver), which
// programs this process starts from then on look for beside themselves first,
// as Windows does. planted_marks: those that were loaded.
std::string planted_folder(const char* exe_name);
std::vector<std::string> planted_marks(const std::string& folder);

// A fresh top-level window of this process, made the foreground window:
// the user has turned to another program. Destroyed with the object.
class foreground_decoy {
 public:
  foreground_decoy();
  ~foreground_decoy();
  foreground_decoy(const foreground_decoy&) = delete;
  foreground_decoy& operator=(const foreground_decoy&) = delete;
  HWND window() const { return window_; }
  // Takes the foreground back; true once it has it.
  bool take_foreground() const;

 private:
  HWND window_ = nullptr;
};

// One round of a hand-over between starts of a single-instance program, as
// a user can bring it about: the first start's window is minimised and a
// second start waits on it, flashing it; the first window is closed and a
// third start follows at once. Exactly one of the last two should show a
// window, and the other should end with 0 as soon as that window is up.
struct handover_round {
  bool set_up = false;        // the first window minimised, the second start waiting
  int most_windows = 0;       // of the class at any one moment
  int late_starts_ended = 0;  // of the second and third, with code 0
  int late_windows = 0;       // left up by the second and third together
  DWORD ended_after_ms = 0;   // from the third start to the first end among them
  int window_start = 0;       // 2 or 3: the start whose window is up in the end
};
handover_round run_handover_round(const char* exe_name, const char* class_name,
                                  const launch_options& options = {});

// LogPixels in HKCU\Control Panel\Desktop, the DPI that a Wine program
// reads as it starts, for the programs started while the guard lives; this
// thread reads windows in physical pixels meanwhile. The setting before is
// put back when the guard goes, or by the next test program's start.
// taken() says whether a program started now really gets that DPI for its
// windows: Wine 10, unlike Windows and Wine 8, takes the monitors' DPI once,
// when its session starts, so a scenario at another DPI runs there only on
// a bench started at it (tools/wine10/run.sh does).
class display_dpi {
 public:
  explicit display_dpi(int dpi);
  ~display_dpi();
  bool taken() const { return taken_; }
  display_dpi(const display_dpi&) = delete;
  display_dpi& operator=(const display_dpi&) = delete;

 private:
  void* awareness_ = nullptr;
  bool taken_ = true;
};
void restore_display_dpi();
// With OMBREL_DPI_PROBE set, a test program only answers, as its exit code,
// the DPI of a per-monitor aware window it makes (0 where the system has
// no per-monitor DPI): how display_dpi asks what a new program gets.
int answer_dpi_probe();
// A system metric at a DPI; value * dpi / 96 rounded as MulDiv rounds.
int metric_for_dpi(int index, int dpi);
int at_dpi(int value, int dpi);
