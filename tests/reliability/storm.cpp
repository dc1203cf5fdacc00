// Message storms: each program is posted tens of thousands of messages with
// random parameters, then must still answer, still run, still do its job,
// and hold what it held before.
#include <cstdio>
#include <random>
#include <string>

#include "about_test_support.h"
#include "processes.h"
#include "sections.h"
#include "tool_support.h"
#include "waits.h"
#include "window_search.h"

namespace {

enum program_kind { LAPWICK, ABOUT, SPLASH };

struct storm_message {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

// Commands that end the program, open a modal box or a browser are never
// sent: Lapwick's Help and About (4, 5), the About window's purchase and
// exit (1001, 1003), the splash's end (101). The About pages take seconds
// each, so only a few of those go out per storm.
bool forbidden_command(program_kind kind, int id) {
  switch (kind) {
    case LAPWICK:
      return id == 4 || id == 5;
    case ABOUT:
      return id == 1001 || id == 1003 || id == 1008 || id == 1016;
    case SPLASH:
      return id == 101;
  }
  return true;
}

// System commands whose default processing closes, minimises or enters a
// modal loop that waits for a real mouse or keyboard are left out. The
// system ignores the low four bits (0xF001 is a size command), so unknown
// ones differ above them.
const WPARAM safe_system_commands[] = {SC_RESTORE,    SC_ARRANGE, SC_DEFAULT, SC_NEXTWINDOW,
                                       SC_PREVWINDOW, 0xF0F0,     0xF0E0,     0xF1E0,
                                       0x1234,        0x0000};

// Keys whose default processing opens a menu or closes the window.
bool forbidden_key(int vk) {
  return vk == VK_MENU || vk == VK_F10 || vk == VK_F4 || vk == VK_APPS || vk == VK_LWIN ||
         vk == VK_RWIN || vk == VK_LMENU || vk == VK_RMENU;
}

class storm_source {
 public:
  storm_source(std::uint32_t seed, program_kind kind, int only)
      : random_(seed), kind_(kind), only_(only) {}

  int pages_sent = 0;

  // A message the program may have; WM_NULL when a one-kind storm has
  // none for this program (the splash takes no timers).
  storm_message next() {
    for (int attempt = 0; attempt < 10000; ++attempt) {
      storm_message m = {};
      if (make(m)) return m;
    }
    return {WM_NULL, 0, 0};
  }

 private:
  std::uint32_t pick(std::uint32_t bound) {
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(random_);
  }
  LPARAM client_point() { return MAKELPARAM(pick(220), pick(40)); }

  bool make(storm_message& m) {
    const std::uint32_t kind = pick(12);
    if (only_ >= 0 && static_cast<int>(kind) != only_) return false;
    switch (kind) {
      case 0: {  // unknown command ids
        const int id = static_cast<int>(pick(0x10000));
        if (forbidden_command(kind_, id) || (kind_ == LAPWICK && id >= 1 && id <= 5)) return false;
        m = {WM_COMMAND, MAKEWPARAM(id, pick(2)), 0};
        return true;
      }
      case 1: {  // known ids: Run, Pause, Reset now and then; a page or two
        if (kind_ == LAPWICK) {
          if (pick(50) != 0) return false;
          m = {WM_COMMAND, 1 + pick(3), 0};
          return true;
        }
        if (kind_ == ABOUT) {
          if (pages_sent >= 3 || pick(4000) != 0) return false;
          ++pages_sent;
          m = {WM_COMMAND, pages_sent % 2 == 1 ? 1008u : 1016u, 0};
          return true;
        }
        return false;
      }
      case 2: {  // system commands, Lapwick's own among them
        WPARAM command = safe_system_commands[pick(sizeof safe_system_commands /
                                                   sizeof safe_system_commands[0])];
        if (kind_ == LAPWICK && pick(30) == 0) command = 1 + pick(3);
        m = {WM_SYSCOMMAND, command, 0};
        return true;
      }
      case 3: {  // timers that are not the program's own (any timer ends a splash)
        if (kind_ == SPLASH) return false;
        const WPARAM id = 2 + pick(0xFFFF);
        m = {WM_TIMER, id, 0};
        return true;
      }
      case 4: {
        const UINT paints[] = {WM_PAINT, WM_NCPAINT};
        m = {paints[pick(2)], pick(2), 0};
        return true;
      }
      case 5: {
        const UINT moves[] = {WM_SIZE, WM_MOVE};
        m = {moves[pick(2)], pick(3), static_cast<LPARAM>(random_())};
        return true;
      }
      case 6: {
        const UINT activations[] = {WM_ACTIVATE, WM_NCACTIVATE, WM_ACTIVATEAPP, WM_SETFOCUS,
                                    WM_KILLFOCUS};
        m = {activations[pick(5)], pick(3), 0};
        return true;
      }
      case 7: {
        const UINT keys[] = {WM_KEYDOWN, WM_KEYUP, WM_CHAR};
        const int vk = 1 + static_cast<int>(pick(254));
        if (forbidden_key(vk)) return false;
        m = {keys[pick(3)], static_cast<WPARAM>(vk), static_cast<LPARAM>(pick(0x10000))};
        return true;
      }
      case 8: {
        const UINT mouse[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                              WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEWHEEL,
                              WM_NCMOUSEMOVE, WM_MOUSEHOVER,  WM_MOUSELEAVE};
        const UINT message = mouse[pick(sizeof mouse / sizeof mouse[0])];
        const WPARAM flags = message == WM_NCMOUSEMOVE ? HTCLIENT : pick(0x20);
        m = {message, flags, client_point()};
        return true;
      }
      case 9: {
        const UINT menus[] = {WM_INITMENU,     WM_INITMENUPOPUP,   WM_MENUSELECT, WM_ENTERMENULOOP,
                              WM_EXITMENULOOP, WM_UNINITMENUPOPUP, WM_ENTERIDLE};
        m = {menus[pick(sizeof menus / sizeof menus[0])], pick(0x10000), 0};
        return true;
      }
      case 10:
        m = {WM_USER + pick(WM_APP - WM_USER), static_cast<WPARAM>(random_()),
             static_cast<LPARAM>(random_())};
        return true;
      default:
        m = {WM_APP + pick(0xC000 - WM_APP), static_cast<WPARAM>(random_()),
             static_cast<LPARAM>(random_())};
        return true;
    }
  }

  std::mt19937 random_;
  program_kind kind_;
  int only_;
};

// Posts count messages (or until the process ends); a full queue is waited
// on, not skipped. Every 500 messages the program must answer a sent one.
struct storm_result {
  int posted = 0;
  int refused = 0;
  int unanswered = 0;
};

storm_result post_storm(HWND window, const launched_program& program, storm_source& source,
                        int count, DWORD answer_bound_ms) {
  storm_result result;
  for (int i = 0; i < count && is_running(program); ++i) {
    const storm_message m = source.next();
    int tries = 0;
    while (!PostMessageA(window, m.message, m.wparam, m.lparam) && tries < 200 &&
           is_running(program)) {
      ++tries;
      Sleep(5);
    }
    if (tries == 200) ++result.refused;
    ++result.posted;
    if (i % 500 == 499 && !answers(window, answer_bound_ms)) ++result.unanswered;
  }
  return result;
}

std::string tried_text(int posted, std::uint32_t seed) {
  char text[128];
  std::snprintf(text, sizeof text, "%d random messages, seed %u", posted, seed);
  return text;
}

void storm_lapwick(const tool_settings& settings) {
  launched_program program = launch("Lapwick.exe");
  HWND window = started_window(program, "Lapwick", "storm Lapwick");
  if (window == nullptr) return;
  SendMessageTimeoutA(window, WM_COMMAND, 1, 0, SMTO_NORMAL, 10000, nullptr);
  wait_until([&] { return window_text(window) != "00:00:00"; }, 5000);
  const figures before = take_figures(program.info.hProcess, program.info.dwProcessId);

  storm_source source(settings.seed, LAPWICK, settings.storm_only);
  const DWORD started = GetTickCount();
  const storm_result storm = post_storm(window, program, source, settings.storm_messages, 10000);
  // Reset, then Run, posted behind the storm: when the title counts from
  // zero again, every message of the storm has been handled.
  PostMessageA(window, WM_COMMAND, 3, 0);
  PostMessageA(window, WM_COMMAND, 1, 0);
  const bool drained = wait_until(
      [&] {
        const int s = title_seconds(window_text(window));
        return s >= 1 && s <= 2;
      },
      120000);
  const DWORD storm_ms = GetTickCount() - started;
  const bool answering = answers(window, 5000);
  const int first = title_seconds(window_text(window));
  Sleep(2500);
  const std::string title = window_text(window);
  const int later = title_seconds(title);
  const bool counting = first >= 0 && later >= first + 2 && later <= first + 3;
  const figures after = take_figures(program.info.hProcess, program.info.dwProcessId);
  const bool running = is_running(program);

  char figure[512];
  std::snprintf(figure, sizeof figure,
                "%d posted in %lu ms, %d unanswered, queue refusals %d; after: %s, answers %s, "
                "drained %s, title %s counting %s; %s",
                storm.posted, storm_ms, storm.unanswered, storm.refused,
                running ? "running" : "ENDED", answering ? "yes" : "NO", drained ? "yes" : "NO",
                title.c_str(), counting ? "yes" : "NO", describe(before, after).c_str());
  report("storm Lapwick", tried_text(storm.posted, settings.seed), figure,
         running && answering && drained && counting && storm.unanswered == 0 &&
             figures_flat(before, after, MEMORY_ALLOWANCE));
  PostMessageA(window, WM_CLOSE, 0, 0);
  wait_exit(program, 10000);
  kill_program(program);
}

// The About window's page as the screen shows it: the picture beside the
// version page is visible, the credits page hides it and types a heading.
struct page_look {
  bool picture_shown = false;
  int lit_heading = 0;
};

page_look look_at_page(HWND window) {
  page_look look;
  HWND picture = FindWindowExA(window, nullptr, "Static", nullptr);
  look.picture_shown = picture != nullptr && IsWindowVisible(picture);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(nullptr);
  // The credits heading is line 2: y from 56, x from 60.
  for (int y = 56; y < 70; ++y) {
    for (int x = 60; x < 300; x += 1) {
      if (GetPixel(screen, origin.x + x, origin.y + y) == RGB(255, 255, 255)) ++look.lit_heading;
    }
  }
  ReleaseDC(nullptr, screen);
  return look;
}

void storm_about(const tool_settings& settings) {
  launched_program program =
      launch_path(bin_folder() + "OmbrelAbout.exe", nullptr, bin_folder().c_str());
  HWND window = started_window(program, "OmbrelAbout", "storm OmbrelAbout", 30000);
  if (window == nullptr) return;
  // Both pages once, after the first (commands sent during it would be held
  // and the figures taken before they ran), so that what the first credits
  // page loads (the sound output among it) is in the figures before.
  wait_page_complete(window);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_COMMAND, 1008, 0, SMTO_NORMAL, 30000, &ignored);
  SendMessageTimeoutA(window, WM_COMMAND, 1016, 0, SMTO_NORMAL, 30000, &ignored);
  const figures before = take_figures(program.info.hProcess, program.info.dwProcessId);
  storm_source source(settings.seed + 1, ABOUT, settings.storm_only);
  const DWORD started = GetTickCount();
  const storm_result storm = post_storm(window, program, source, settings.storm_messages, 30000);
  // The credits page, posted behind the storm, shows once the storm is
  // handled; the version page then comes back on a sent command.
  PostMessageA(window, WM_COMMAND, 1008, 0);
  const bool credits = wait_until(
      [&] {
        const page_look look = look_at_page(window);
        return !look.picture_shown && look.lit_heading > 20;
      },
      180000);
  const DWORD storm_ms = GetTickCount() - started;
  const bool answering = answers(window, 30000);
  SendMessageTimeoutA(window, WM_COMMAND, 1016, 0, SMTO_NORMAL, 30000, &ignored);
  // Sent during the credits page, the command is held and the version page
  // drawn after it: seconds on a loaded machine.
  page_look version;
  wait_until(
      [&] {
        version = look_at_page(window);
        return version.picture_shown && version.lit_heading == 0;
      },
      30000);
  const bool running = is_running(program);
  const figures after = take_figures(program.info.hProcess, program.info.dwProcessId);

  char figure[512];
  std::snprintf(
      figure, sizeof figure,
      "%d posted in %lu ms (%d page commands), %d unanswered, queue refusals %d; "
      "after: %s, answers %s, credits page %s, version page %s (picture %d, "
      "heading %d); %s",
      storm.posted, storm_ms, source.pages_sent, storm.unanswered, storm.refused,
      running ? "running" : "ENDED", answering ? "yes" : "NO", credits ? "drawn" : "NOT DRAWN",
      version.picture_shown && version.lit_heading == 0 ? "back" : "NOT BACK",
      version.picture_shown ? 1 : 0, version.lit_heading, describe(before, after).c_str());
  report("storm OmbrelAbout", tried_text(storm.posted, settings.seed + 1), figure,
         running && answering && credits && version.picture_shown && version.lit_heading == 0 &&
             storm.unanswered == 0 && figures_flat(before, after, MEMORY_ALLOWANCE));
  PostMessageA(window, WM_COMMAND, 1003, 0);
  wait_exit(program, 30000);
  kill_program(program);
}

void storm_splash(const tool_settings& settings) {
  launched_program program = launch("OmbrelSplash.exe");
  HWND window = started_window(program, "OmbrelSplash", "storm OmbrelSplash");
  if (window == nullptr) return;
  const DWORD shown = GetTickCount();
  storm_source source(settings.seed + 2, SPLASH, settings.storm_only);
  const storm_result storm = post_storm(window, program, source, settings.storm_messages, 5000);
  const int code = wait_exit(program, 15000);
  const DWORD lived = GetTickCount() - shown;
  char figure[256];
  std::snprintf(figure, sizeof figure,
                "%d posted before it ended; window lived %lu ms; exit code %d", storm.posted, lived,
                code);
  // It ends on its own timer, neither early nor held up by the storm.
  report("storm OmbrelSplash", tried_text(storm.posted, settings.seed + 2), figure,
         code == 0 && lived >= 700 && lived <= 10000 && storm.unanswered == 0);
  kill_program(program);
}

}  // namespace

void run_storms(const tool_settings& settings) {
  storm_lapwick(settings);
  storm_about(settings);
  storm_splash(settings);
}
