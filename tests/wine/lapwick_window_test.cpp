// Lapwick's window built in this process through the same start-up as the
// program (all but the message loop): how it is created and placed, its
// class, both menus, the routing of commands, and the Help and About boxes
// read from the box itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "caption_metrics.h"
#include "import_seam.h"
#include "lapwick_recorder.h"
#include "program_facts.h"
#include "sound.h"
#include "stopwatch_clock.h"
#include "stopwatch_commands.h"
#include "stopwatch_menus.h"
#include "stopwatch_window.h"
#include "waits.h"
#include "window_search.h"
#include "window_skeleton.h"

namespace {

class StopwatchWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_clock_state(nullptr);
    window = start_stopwatch(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
    start_recording();
  }

  void TearDown() override {
    stop_recording();
    if (IsWindow(window)) DestroyWindow(window);
    drain_queue();
  }

  HWND window = nullptr;
};

// --- Creation and start-up ----------------------------------------------

struct startup_watch {
  bool created = false;
  CREATESTRUCTA create = {};
  std::string title;
  std::vector<std::string> steps;  // "hide", "move 402,349", "show", "topmost"
  DWORD hidden_at = 0;
  DWORD moved_at = 0;
};
startup_watch watch;

LRESULT CALLBACK watch_creation(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    const CBT_CREATEWNDA* creation = reinterpret_cast<CBT_CREATEWNDA*>(lparam);
    char name[64] = {0};
    GetClassNameA(reinterpret_cast<HWND>(wparam), name, sizeof name);
    if (std::string(name) == LAPWICK_CLASS) {
      watch.created = true;
      watch.create = *creation->lpcs;
      watch.title = creation->lpcs->lpszName != nullptr ? creation->lpcs->lpszName : "";
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK watch_placement(int code, WPARAM wparam, LPARAM lparam) {
  const CWPSTRUCT* sent = reinterpret_cast<CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGING && watch.created) {
    const WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(sent->lParam);
    if (pos->flags & SWP_HIDEWINDOW) {
      watch.steps.push_back("hide");
      watch.hidden_at = GetTickCount();
    }
    if (!(pos->flags & SWP_NOMOVE)) {
      watch.steps.push_back("move " + std::to_string(pos->x) + "," + std::to_string(pos->y));
      if (watch.moved_at == 0) watch.moved_at = GetTickCount();
    }
    if (pos->flags & SWP_SHOWWINDOW) watch.steps.push_back("show");
    if (!(pos->flags & SWP_NOZORDER) && pos->hwndInsertAfter == HWND_TOPMOST) {
      watch.steps.push_back("topmost");
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST(StopwatchStartUp, CreatedVisibleAtTheCornerThenCentredWhileHidden) {
  watch = startup_watch();
  reset_clock_state(nullptr);
  HHOOK creation = SetWindowsHookExA(WH_CBT, watch_creation, nullptr, GetCurrentThreadId());
  HHOOK placement =
      SetWindowsHookExA(WH_CALLWNDPROC, watch_placement, nullptr, GetCurrentThreadId());
  HWND window = start_stopwatch(GetModuleHandleA(nullptr));
  UnhookWindowsHookEx(placement);
  UnhookWindowsHookEx(creation);

  ASSERT_TRUE(watch.created);
  // The system adds WS_EX_WINDOWEDGE to any window with a caption.
  EXPECT_EQ(watch.create.dwExStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), 0u);
  EXPECT_EQ(static_cast<DWORD>(watch.create.style), LAPWICK_STYLE);
  EXPECT_EQ(watch.create.x, 0);
  EXPECT_EQ(watch.create.y, 0);
  EXPECT_EQ(watch.create.cx, LAPWICK_WIDTH);
  EXPECT_EQ(watch.create.cy, LAPWICK_HEIGHT);
  EXPECT_EQ(watch.create.hwndParent, nullptr);
  EXPECT_EQ(watch.create.hMenu, nullptr);
  EXPECT_EQ(watch.title, LAPWICK_RESET_TITLE);

  // Shown at the corner by its own style, hidden, then moved while hidden.
  // Screen 1024 x 768: x = (1024 - 220) / 2, y = (768 - (50 + caption)) / 2.
  RECT frame = {};
  GetWindowRect(window, &frame);
  const std::string move =
      "move " + std::to_string(LAPWICK_SCREEN_LEFT) + "," +
      std::to_string(lapwick_screen_top(GetSystemMetrics(SM_CYCAPTION), frame.bottom - frame.top));
  const std::vector<std::string> expected = {"show", "hide", move, "show", "topmost"};
  EXPECT_EQ(watch.steps, expected);
  EXPECT_GE(watch.moved_at - watch.hidden_at, 90u);  // the pause while hidden

  // Where it ends up on the screen is checked from outside.
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(run_state, STATE_RESET);
  EXPECT_EQ(window_text(window), LAPWICK_RESET_TITLE);

  DestroyWindow(window);
  drain_queue();
}

// Bigger text while it runs, and back. In this process: Wine keeps a copy
// of the caption metrics in each process, where Windows shares one.
TEST_F(StopwatchWindow, ATextSizeChangeWhileRunningRefitsTheWindow) {
  RECT frame = {};
  {
    windows11_caption bigger(150);
    EXPECT_GE(caption_room_left(window, LAPWICK_RESET_TITLE, 96), 0) << "the time is cut short";
  }
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, LAPWICK_WIDTH);
}

// What the user and other programs see of the class: a grey client area
// under the arrow, the program's icon, no menu but the window's own.
TEST_F(StopwatchWindow, ClientAreaIsGreyUnderTheArrowWithTheProgramsIcon) {
  RECT client = {};
  GetClientRect(window, &client);
  ASSERT_GT(client.bottom, 0);
  UpdateWindow(window);
  HDC dc = GetDC(window);
  EXPECT_EQ(GetPixel(dc, client.right / 2, client.bottom / 2), RGB(192, 192, 192));
  ReleaseDC(window, dc);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR)),
            LoadCursorA(nullptr, IDC_ARROW));
  // This test carries Lapwick's resources, its icon among them.
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)),
            LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(PROGRAM_ICON_GROUP_ID)));
  EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0);
}

// --- Menus --------------------------------------------------------------

struct menu_item {
  UINT type;
  UINT id;
  std::string text;
  bool operator==(const menu_item& other) const {
    return type == other.type && id == other.id && text == other.text;
  }
};

void PrintTo(const menu_item& item, std::ostream* out) {
  *out << "{type " << item.type << ", id " << item.id << ", \"" << item.text << "\"}";
}

menu_item read_item(HMENU menu, int position) {
  char text[256] = {0};
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = sizeof text;
  if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return {~0u, ~0u, "unreadable"};
  if (info.hSubMenu != nullptr) return {info.fType, info.wID, std::string("pop-up ") + text};
  return {info.fType, info.wID, text};
}

TEST_F(StopwatchWindow, MenuBarHoldsRunPauseResetAndHelpAsPlainCommands) {
  HMENU bar = GetMenu(window);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  const std::vector<menu_item> expected = {{MFT_STRING, LAPWICK_RUN, "&Run"},
                                           {MFT_STRING, LAPWICK_PAUSE, "&Pause"},
                                           {MFT_STRING, LAPWICK_RESET, "&Reset"},
                                           {MFT_STRING, LAPWICK_HELP, "?"}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(read_item(bar, i), expected[i]) << "item " << i;
}

TEST_F(StopwatchWindow, SystemMenuGainsSevenItemsBelowItsOwn) {
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  ASSERT_GT(count, 7);
  // The system's own items (Close among them) come first.
  int close_at = -1;
  for (int i = 0; i < count; ++i) {
    if (read_item(menu, i).id == SC_CLOSE) close_at = i;
  }
  EXPECT_GE(close_at, 0);
  EXPECT_LT(close_at, count - 7);
  const std::vector<menu_item> expected = {{MFT_SEPARATOR, 0, ""},
                                           {MFT_STRING, LAPWICK_RUN, "&Run"},
                                           {MFT_STRING, LAPWICK_PAUSE, "&Pause"},
                                           {MFT_STRING, LAPWICK_RESET, "&Reset"},
                                           {MFT_SEPARATOR, 0, ""},
                                           {MFT_STRING, LAPWICK_HELP, "&Help"},
                                           {MFT_STRING, LAPWICK_ABOUT, "&About Lapwick..."}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(read_item(menu, count - 7 + i), expected[i]) << "addition " << i + 1;
  }
}

// --- Command routing ----------------------------------------------------

TEST_F(StopwatchWindow, BothMenusIssueTheSameCommands) {
  for (UINT message : {WM_COMMAND, WM_SYSCOMMAND}) {
    SCOPED_TRACE(message == WM_COMMAND ? "WM_COMMAND" : "WM_SYSCOMMAND");
    SendMessageA(window, message, IDM_RUN, 0);
    EXPECT_EQ(run_state, STATE_RUNNING);
    SendMessageA(window, message, IDM_PAUSE, 0);
    EXPECT_EQ(run_state, STATE_PAUSED);
    SendMessageA(window, message, IDM_RESET, 0);
    EXPECT_EQ(run_state, STATE_RESET);
    const std::vector<std::string> expected = {"SetTimer 1 1000", "chime",          "chime",
                                               "KillTimer 1",     "title 00:00:00", "chime"};
    EXPECT_EQ(clock_effects, expected);
    clock_effects.clear();
  }
}

namespace {
// Stands for other programs whose messages reach the window while a chime
// plays (a synchronous sound's wait lets sent messages in): the first
// chime sends each message in turn, and every chime is written down.
HWND chiming_window = nullptr;
std::vector<MSG> to_send_while_chiming;
bool chimed_once = false;
void send_while_chiming(HMODULE, LPCSTR) {
  clock_effects.push_back("chime");
  if (chimed_once) return;
  chimed_once = true;
  for (const MSG& m : to_send_while_chiming) {
    SendMessageA(chiming_window, m.message, m.wParam, m.lParam);
  }
}

// Runs the clock to 00:00:59, then sends its timer message a second later
// with the given messages arriving during the minute's chime.
void chime_a_minute_with(HWND window, const std::vector<MSG>& arriving) {
  SendMessageA(window, WM_COMMAND, IDM_RUN, 0);
  move_clock(59000);
  SendMessageA(window, WM_TIMER, timer_id, 0);
  ASSERT_EQ(window_text(window), "00:00:59");
  move_clock(1000);
  chiming_window = window;
  to_send_while_chiming = arriving;
  chimed_once = false;
  clock_effects.clear();
  set_sound_observer(send_while_chiming);
  SendMessageA(window, WM_TIMER, timer_id, 0);
  set_sound_observer(nullptr);
  ASSERT_TRUE(chimed_once) << "the minute did not chime";
}

int timer_procedure_calls = 0;
void CALLBACK count_timer_procedure(HWND, UINT, UINT_PTR, DWORD) { ++timer_procedure_calls; }

// Handles what the window left in this thread's queue as the loop would.
void dispatch_queue() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
  }
}
}  // namespace

TEST_F(StopwatchWindow, ACommandSentDuringAChimeRunsAfterTheRefreshThatChimes) {
  chime_a_minute_with(window, {{window, WM_COMMAND, IDM_RESET, 0, 0, {0, 0}}});
  // The refresh ends first, whole: the minute's title, its timer; then
  // the Reset in its order of steps.
  const std::vector<std::string> expected = {"chime",       "title 00:01:00", "SetTimer 1 1000",
                                             "KillTimer 1", "title 00:00:00", "chime"};
  EXPECT_EQ(clock_effects, expected);
  EXPECT_EQ(window_text(window), LAPWICK_RESET_TITLE);
  EXPECT_EQ(run_state, STATE_RESET);
}

// A sent timer message carries whatever lParam its sender chose; handed on
// through the queue, a non-null one would be called as a timer procedure.
TEST_F(StopwatchWindow, ATimerMessageSentDuringAChimeIsNeverCalledAsAProcedure) {
  timer_procedure_calls = 0;
  const LPARAM procedure = reinterpret_cast<LPARAM>(count_timer_procedure);
  chime_a_minute_with(window, {{window, WM_TIMER, STOPWATCH_TIMER_ID, procedure, 0, {0, 0}}});
  move_clock(1000);
  dispatch_queue();
  EXPECT_EQ(timer_procedure_calls, 0);
  // It asked for one more look at the clock, which came after the chime.
  const std::vector<std::string> expected = {"chime", "title 00:01:00", "SetTimer 1 1000",
                                             "SetTimer 1 1000"};
  EXPECT_EQ(clock_effects, expected);
}

// With the queue full, a command held for later must still be kept.
TEST_F(StopwatchWindow, ACommandSentDuringAChimeIsKeptWhenTheQueueIsFull) {
  ASSERT_TRUE(refuse_posts(true));
  chime_a_minute_with(window, {{window, WM_COMMAND, IDM_PAUSE, 0, 0, {0, 0}}});
  EXPECT_EQ(refused_posts, 0) << "the command was posted again";
  refuse_posts(false);
  dispatch_queue();
  EXPECT_EQ(run_state, STATE_PAUSED) << "the Pause sent during the chime was lost";
  EXPECT_EQ(window_text(window), "00:01:00");
  EXPECT_EQ(clock_effects.back(), "chime");
}

// A flood of commands, all in one chime: each is held, and runs after it in
// its order; none is lost.
TEST_F(StopwatchWindow, AFloodOfCommandsDuringAChimeLosesNone) {
  const int pauses = 101;
  std::vector<MSG> flood(pauses, MSG{window, WM_SYSCOMMAND, IDM_PAUSE, 0, 0, {0, 0}});
  chime_a_minute_with(window, flood);
  dispatch_queue();
  EXPECT_EQ(chimes_recorded(), 1 + pauses);  // the minute's, then one a Pause
  EXPECT_EQ(run_state, STATE_PAUSED);        // an odd number of them
  EXPECT_EQ(window_text(window), "00:01:00");
}

TEST_F(StopwatchWindow, OnlyTheLowWordOneToFiveIsACommand) {
  for (WPARAM id : {WPARAM(0), WPARAM(6), WPARAM(0x11), WPARAM(0xFFFF)}) {
    SendMessageA(window, WM_COMMAND, id, 0);
    SendMessageA(window, WM_SYSCOMMAND, id, 0);
  }
  EXPECT_TRUE(clock_effects.empty());
  EXPECT_EQ(run_state, STATE_RESET);
  // A notification code in the high word (as from an accelerator) does
  // not hide the command.
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_RUN, 1), 0);
  EXPECT_EQ(run_state, STATE_RUNNING);
}

TEST_F(StopwatchWindow, SystemCommandsStillMinimiseRestoreAndClose) {
  SendMessageA(window, WM_COMMAND, IDM_RUN, 0);
  SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(window));
  SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_EQ(run_state, STATE_RUNNING);  // none of them reached the clock

  clock_effects.clear();
  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(window));
  // The timer is killed and the loop told to end with exit code 0.
  EXPECT_EQ(clock_effects, std::vector<std::string>({"KillTimer 1"}));
  MSG quit = {};
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

// --- Help and About boxes -------------------------------------------------

struct box_seen {
  bool found = false;
  std::string caption;
  std::string text;
  bool owned = true;
  int visible_buttons = 0;
  bool information_icon = false;
  bool stopwatch_visible = true;
};
box_seen seen;

BOOL CALLBACK count_visible_buttons(HWND child, LPARAM) {
  char name[32] = {0};
  GetClassNameA(child, name, sizeof name);
  if (_stricmp(name, "Button") == 0 && IsWindowVisible(child)) seen.visible_buttons += 1;
  return TRUE;
}

// Runs inside the box's modal loop: reads the box, then closes it.
void CALLBACK inspect_box(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = message_boxes(GetCurrentProcessId(), true).first;
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  seen.found = true;
  seen.caption = window_text(box);
  seen.text = message_box_text(box);
  seen.owned = GetWindow(box, GW_OWNER) != nullptr;
  EnumChildWindows(box, count_visible_buttons, 0);
  const LRESULT icon = SendDlgItemMessageA(box, 0x0440, STM_GETICON, 0, 0);
  seen.information_icon = icon == reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_INFORMATION));
  seen.stopwatch_visible = IsWindowVisible(stopwatch_window) != FALSE;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// Issues the command with the box inspector armed; a box that does not
// close ends at the bound.
void open_box(HWND window, int command) {
  seen = box_seen();
  SetTimer(nullptr, 0, 50, inspect_box);
  run_bounded([&] { return static_cast<int>(SendMessageA(window, WM_SYSCOMMAND, command, 0)); },
              10000);
}

const std::string CR = "\r";

TEST_F(StopwatchWindow, HelpBoxShowsTheHelpTextWhileTheStopwatchHides) {
  open_box(window, IDM_HELP);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, LAPWICK_HELP_CAPTION);
  const std::string help =
      "Run       starts or unpauses timer." + CR + CR + "Pause    pauses\\unpauses the timer." +
      CR + CR + "Reset    zeros the time." + CR + CR + "Note:" + CR +
      "When minimized, the time displays on the" + CR + "Windows taskbar button. Right-click this" +
      CR + "button to display a menu.";
  EXPECT_EQ(seen.text, help);
  EXPECT_EQ(std::string(box_text), help);
  EXPECT_FALSE(seen.owned);
  EXPECT_EQ(seen.visible_buttons, 1);
  EXPECT_TRUE(seen.information_icon);
  EXPECT_FALSE(seen.stopwatch_visible);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(clock_effects.empty());  // no chime, no timer, no title
}

TEST_F(StopwatchWindow, AboutBoxShowsTheVendorLinesIndentedAndEndsWithABreak) {
  open_box(window, IDM_ABOUT);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, LAPWICK_ABOUT_CAPTION);
  const std::string about = std::string(5, ' ') + CR + CR + std::string(5, ' ') +
                            "Copyright (c) 1998-2026 Ombrel Software" + CR + CR +
                            std::string(13, ' ') + "lapwick@ombrel-software.example" + CR +
                            std::string(15, ' ') + "www.ombrel-software.example" + CR;
  EXPECT_EQ(seen.text, about);
  EXPECT_FALSE(seen.owned);
  EXPECT_EQ(seen.visible_buttons, 1);
  EXPECT_TRUE(seen.information_icon);
  EXPECT_FALSE(seen.stopwatch_visible);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(clock_effects.empty());
}

TEST_F(StopwatchWindow, BoxLeavesARunningClockRunningAndAMinimisedWindowMinimised) {
  SendMessageA(window, WM_COMMAND, IDM_RUN, 0);
  SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  clock_effects.clear();
  open_box(window, IDM_HELP);
  ASSERT_TRUE(seen.found);
  EXPECT_FALSE(seen.stopwatch_visible);
  // Shown again as it was (SW_SHOW), not restored to its normal state.
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsIconic(window));
  EXPECT_EQ(run_state, STATE_RUNNING);
  EXPECT_TRUE(clock_effects.empty());
}

// The loop ends on GetMessageA's failure as on the quit message.
TEST(StopwatchLoop, EndsWhenGetMessageFails) {
  const failed_loop ended = run_loop_with_failing_get_message(run_message_loop);
  EXPECT_EQ(ended.get_message_calls, 1) << "the loop went on after GetMessageA failed";
  EXPECT_EQ(ended.result, LOOP_FAILED_EXIT_CODE) << "a failed loop was reported as success";
}

}  // namespace
