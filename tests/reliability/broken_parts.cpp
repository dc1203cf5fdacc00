// Missing and broken parts: a bad picture file, no sounds, no sound device,
// no memory, odd command lines. Each program must go on working or end
// cleanly with a message, never crash or hang.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "about_test_support.h"
#include "paths.h"
#include "picture_files.h"
#include "processes.h"
#include "sections.h"
#include "tool_support.h"
#include "waits.h"
#include "window_search.h"

namespace {

bool write_file(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return true;
}

bool send_command(HWND window, WPARAM command, DWORD bound_ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, bound_ms, &result) != 0;
}

// The About window: up, both pages drawn on command, then Exit ends it with
// 0. Fills in what it saw.
struct about_outcome {
  bool window = false;
  bool pages = false;
  int exit_code = -1;
  DWORD credits_ms = 0;
  SIZE picture = {-1, -1};
};

about_outcome exercise_about(launched_program& program, bool credits_page = true) {
  about_outcome outcome;
  HWND window = wait_for_window("OmbrelAbout", program.info.dwProcessId, 20000);
  // Between pages: a command sent during the first would be held, and the
  // credits page's time not its own.
  outcome.window = window != nullptr && answers(window, 30000) && wait_page_complete(window);
  if (outcome.window) {
    RECT r = {};
    GetWindowRect(FindWindowExA(window, nullptr, "Static", nullptr), &r);
    outcome.picture = {r.right - r.left, r.bottom - r.top};
    const DWORD started = GetTickCount();
    const bool credits = !credits_page || send_command(window, 1008, 30000);
    outcome.credits_ms = GetTickCount() - started;
    outcome.pages = credits && send_command(window, 1016, 30000) && is_running(program);
    PostMessageA(window, WM_COMMAND, 1003, 0);
  }
  outcome.exit_code = wait_exit(program, 30000);
  kill_program(program);
  return outcome;
}

void bad_pictures(bool quick) {
  const std::string real = read_text_file(bin_folder() + "ombrel.ani");
  // A RIFF ACON header whose chunks claim far more than the file holds.
  std::string lying(
      "RIFF\xff\xff\xff\x7f"
      "ACONanih\xff\xff\xff\x7f",
      20);
  lying += std::string(40, '\x01');
  struct variant {
    const char* name;
    bool present;
    std::string bytes;
  } variants[] = {
      {"missing", false, ""},
      {"empty", true, ""},
      {"truncated", true, real.substr(0, real.size() / 3)},
      {"not a cursor", true, "This is a text file, not an animated cursor.\r\n"},
      {"chunk sizes lie", true, lying},
      {"60,000 lists nested", true, nested_lists(60000)},
  };
  for (const variant& v : variants) {
    const std::string folder = fresh_folder("rel-ani");
    CopyFileA((bin_folder() + "OmbrelAbout.exe").c_str(), (folder + "OmbrelAbout.exe").c_str(),
              FALSE);
    if (v.present) write_file(folder + "ombrel.ani", v.bytes);
    launched_program program = launch_path(folder + "OmbrelAbout.exe", nullptr, folder.c_str());
    const about_outcome outcome = exercise_about(program, !quick);
    char tried[128];
    std::snprintf(tried, sizeof tried, "OmbrelAbout with ombrel.ani %s (%zu bytes)", v.name,
                  v.bytes.size());
    char figure[256];
    std::snprintf(figure, sizeof figure, "window %s, picture %ldx%ld, pages %s, exit code %d",
                  outcome.window ? "yes" : "NO", outcome.picture.cx, outcome.picture.cy,
                  outcome.pages ? "drawn" : "NOT DRAWN", outcome.exit_code);
    report(std::string("picture ") + v.name, tried, figure,
           outcome.window && outcome.pages && outcome.exit_code == 0 && outcome.picture.cx == 0);
  }
}

// Lapwick's commands with whatever sound there is: each sent command
// returns within the bound and the clock counts.
void lapwick_commands(launched_program& program, const char* name, const char* tried) {
  HWND window = wait_for_window("Lapwick", program.info.dwProcessId, 20000);
  bool ok = window != nullptr;
  DWORD slowest = 0;
  int seconds = -1;
  if (ok) {
    for (WPARAM command : {1, 2, 2, 3, 1}) {
      const DWORD started = GetTickCount();
      ok = send_command(window, command, 10000) && ok;
      slowest = std::max(slowest, GetTickCount() - started);
    }
    Sleep(2500);
    seconds = title_seconds(window_text(window));
    ok = ok && seconds >= 2 && seconds <= 3;
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  const int code = wait_exit(program, 10000);
  kill_program(program);
  char figure[256];
  std::snprintf(figure, sizeof figure,
                "5 commands, slowest %lu ms; counted %d s in 2.5 s; exit code %d", slowest, seconds,
                code);
  report(name, tried, figure, ok && code == 0);
}

void no_sound() {
  const std::string folder = bin_folder();
  launched_program silent = launch_path(folder + "OmbrelAboutSilent.exe", nullptr, folder.c_str());
  about_outcome outcome = exercise_about(silent);
  char figure[256];
  std::snprintf(figure, sizeof figure, "pages %s, credits page %lu ms, exit code %d",
                outcome.pages ? "drawn" : "NOT DRAWN", outcome.credits_ms, outcome.exit_code);
  report("no sound resources", "OmbrelAboutSilent: both pages, then Exit", figure,
         outcome.window && outcome.pages && outcome.exit_code == 0);

  // No sound device: a HOME without the bench's ALSA null device, so the
  // default ALSA device is a sound card this machine does not have.
  const std::string home = "HOME=" + unix_path(fresh_folder("rel-nosound-home"));
  launched_program about = launch_through_shell("OmbrelAbout.exe", {home}, "", 15000);
  outcome = exercise_about(about);
  std::snprintf(figure, sizeof figure, "pages %s, credits page %lu ms, exit code %d",
                outcome.pages ? "drawn" : "NOT DRAWN", outcome.credits_ms, outcome.exit_code);
  report("no sound device About", "OmbrelAbout with no ALSA device: both pages, then Exit", figure,
         outcome.window && outcome.pages && outcome.exit_code == 0);
  launched_program lapwick = launch_through_shell("Lapwick.exe", {home}, "", 15000);
  lapwick_commands(lapwick, "no sound device Lapwick",
                   "Lapwick with no ALSA device: Run, Pause twice, Reset, Run");
}

// The test-only builds in bin/oom install a temporary-pool allocator that
// fails from the request named in the variable on.
void out_of_memory() {
  struct variant {
    const char* program;
    const char* class_name;
    int fail_from;
    WPARAM command;  // what makes the program ask the pool for text
  } variants[] = {
      {"Lapwick", "Lapwick", 1, 1},
      {"Lapwick", "Lapwick", 100, 1},
      {"OmbrelAbout", "OmbrelAbout", 1, 0},
      {"OmbrelAbout", "OmbrelAbout", 100, 1008},
  };
  for (const variant& v : variants) {
    char env[64];
    std::snprintf(env, sizeof env, "OMBREL_TEST_ALLOC_FAIL_FROM=%d", v.fail_from);
    const std::string exe = bin_folder() + "oom\\" + v.program + ".exe";
    launched_program program = launch_path(exe, nullptr, bin_folder().c_str(), env);
    const DWORD pid = program.info.dwProcessId;
    HWND box = nullptr;
    if (v.command != 0) {
      // The command again and again until the pool has had its hundred
      // requests (a credits page asks for a few dozen).
      HWND window = wait_for_window(v.class_name, pid, 20000);
      for (int i = 0; i < 12 && window != nullptr && box == nullptr; ++i) {
        PostMessageA(window, WM_COMMAND, v.command, 0);
        wait_until(
            [&] { return (box = message_boxes(pid).last) != nullptr || !is_running(program); },
            6000);
      }
    }
    wait_until([&] { return (box = message_boxes(pid).last) != nullptr || !is_running(program); },
               40000);
    std::string caption, text;
    int most_boxes = 0;
    if (box != nullptr) {
      caption = window_text(box);
      text = message_box_text(box);
      // The box waits for the user; meanwhile nothing else may pile up.
      for (int i = 0; i < 25; ++i) {
        most_boxes = std::max(most_boxes, message_boxes(pid).count);
        Sleep(100);
      }
      // Dismiss every box there is, innermost first.
      for (int i = 0; i < 20 && is_running(program); ++i) {
        HWND top = message_boxes(pid).last;
        if (top != nullptr) PostMessageA(top, WM_COMMAND, IDOK, 0);
        wait_until([&] { return !is_running(program) || message_boxes(pid).last != top; }, 3000);
      }
    }
    const int code = wait_exit(program, 10000);
    kill_program(program);
    char tried[128];
    std::snprintf(tried, sizeof tried, "%s, pool allocator failing from request %d", v.program,
                  v.fail_from);
    char figure[320];
    std::snprintf(figure, sizeof figure, "box \"%s\" / \"%s\", boxes at once %d, exit code %d",
                  caption.c_str(), text.c_str(), most_boxes, code);
    report(std::string("out of memory ") + v.program + " @" + std::to_string(v.fail_from), tried,
           figure,
           caption == v.program && text == "Out of memory: the program has to close." &&
               most_boxes == 1 && code == 1);
  }
}

void command_lines(bool quick) {
  std::string long_tail;
  for (int i = 0; long_tail.size() < 32000; ++i) long_tail += static_cast<char>('a' + i % 26);
  long_tail.resize(32000);
  std::string high;
  for (int c = 128; c < 256; ++c) high += static_cast<char>(c == 0x81 || c == 0x8d ? 'x' : c);
  const struct {
    const char* name;
    std::string tail;
  } tails[] = {{"32,000 characters", long_tail},
               {"bytes 128..255", high},
               {"embedded tab", "one\ttwo\t three"}};
  const std::string folder = bin_folder();
  for (const auto& t : tails) {
    // The splash shows its line and ends after its second.
    launched_program splash = launch_path(folder + "OmbrelSplash.exe", t.tail.c_str(), nullptr);
    const bool splash_window =
        wait_for_window("OmbrelSplash", splash.info.dwProcessId, 20000) != nullptr;
    const int splash_code = wait_exit(splash, 15000);
    kill_program(splash);

    launched_program lapwick = launch_path(folder + "Lapwick.exe", t.tail.c_str(), nullptr);
    HWND window = wait_for_window("Lapwick", lapwick.info.dwProcessId, 20000);
    const std::string title = window != nullptr ? window_text(window) : "";
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    const int lapwick_code = wait_exit(lapwick, 10000);
    kill_program(lapwick);

    launched_program about =
        launch_path(folder + "OmbrelAbout.exe", t.tail.c_str(), folder.c_str());
    const about_outcome outcome = exercise_about(about, !quick);

    char tried[128];
    std::snprintf(tried, sizeof tried, "splash, Lapwick and OmbrelAbout with a tail of %s", t.name);
    char figure[256];
    std::snprintf(figure, sizeof figure,
                  "splash window %s exit %d; Lapwick title %s exit %d; About pages %s exit %d",
                  splash_window ? "yes" : "NO", splash_code, title.c_str(), lapwick_code,
                  outcome.pages ? "drawn" : "NOT DRAWN", outcome.exit_code);
    report(std::string("command line ") + t.name, tried, figure,
           splash_window && splash_code == 0 && title == "00:00:00" && lapwick_code == 0 &&
               outcome.pages && outcome.exit_code == 0);
  }
}

}  // namespace

void run_broken_parts(const tool_settings& settings) {
  bad_pictures(settings.quick);
  no_sound();
  out_of_memory();
  command_lines(settings.quick);
}
