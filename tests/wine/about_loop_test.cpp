// The About program's message loop in this process: keys pressed in the
// active window go through dialog navigation, whose commands change
// nothing, and E&xit ends the loop with code 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about_in_process.h"
#include "about_pages.h"
#include "about_state.h"
#include "about_window.h"

namespace {

std::vector<WPARAM> sent_commands;
HHOOK command_hook = nullptr;

LRESULT CALLBACK watch_commands(int code, WPARAM wparam, LPARAM lparam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && message->hwnd == about_window && message->message == WM_COMMAND) {
    sent_commands.push_back(LOWORD(message->wParam));
  }
  return CallNextHookEx(command_hook, code, wparam, lparam);
}

}  // namespace

TEST(AboutMessageLoop, EnterAndEscInTheActiveWindowBecomeDialogCommandsThatChangeNothing) {
  HWND window = about_window_in_process();
  ASSERT_NE(window, nullptr);
  take_quit_message(nullptr);
  SetActiveWindow(window);
  ASSERT_EQ(GetActiveWindow(), window);
  const std::vector<std::string> before(page_lines, page_lines + PAGE_LINE_COUNT);

  sent_commands.clear();
  command_hook = SetWindowsHookExA(WH_CALLWNDPROC, watch_commands, nullptr, GetCurrentThreadId());
  PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(window, WM_COMMAND, 1003, 0);
  const int exit_code = run_about_loop();
  UnhookWindowsHookEx(command_hook);

  EXPECT_EQ(exit_code, 0);
  EXPECT_EQ(sent_commands, (std::vector<WPARAM>{IDOK, IDCANCEL}));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(std::vector<std::string>(page_lines, page_lines + PAGE_LINE_COUNT), before);
}
