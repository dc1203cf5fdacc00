// Ending OmbrelAbout and its purchase command, from another program: every
// way out ends the process with code 0, a close waits for the page being
// drawn, and the product page goes to the shell's handler for web addresses.
#include <gtest/gtest.h>

#include <string>

#include "about_e2e_support.h"

namespace {

struct started_about {
  launched_program program;
  HWND window = nullptr;
};

started_about start_and_wait(bool wait_for_first_page = true) {
  started_about about;
  about.program = start_about();
  EXPECT_TRUE(about.program.started);
  about.window = wait_about_window(about.program);
  EXPECT_NE(about.window, nullptr);
  if (about.window != nullptr && wait_for_first_page) {
    EXPECT_TRUE(wait_page_complete(about.window));
  }
  return about;
}

struct close_request {
  UINT message;
  WPARAM wparam;
  const char* name;
};

}  // namespace

TEST(AboutCommandsE2E, ExitCloseBoxAndCloseEachEndTheProgramWithCodeZero) {
  const close_request requests[] = {
      {WM_COMMAND, 1003, "E&xit"},
      {WM_SYSCOMMAND, SC_CLOSE, "close box"},
      {WM_CLOSE, 0, "WM_CLOSE"},
  };
  for (const close_request& request : requests) {
    started_about about = start_and_wait();
    ASSERT_NE(about.window, nullptr) << request.name;
    PostMessageA(about.window, request.message, request.wparam, 0);
    EXPECT_EQ(wait_exit(about.program, 15000), 0) << request.name;
    kill_program(about.program);
  }
}

TEST(AboutCommandsE2E, CommandsOutsideTheMenuLeaveTheProgramRunning) {
  started_about about = start_and_wait();
  ASSERT_NE(about.window, nullptr);
  // IDOK and IDCANCEL, as dialog navigation makes them from Enter and Esc,
  // and an id between those of the menu. Sent, so each is handled before
  // the next.
  for (WORD id : {static_cast<WORD>(IDOK), static_cast<WORD>(IDCANCEL), static_cast<WORD>(1002)}) {
    EXPECT_TRUE(run_command(about.window, id)) << id;
  }
  EXPECT_TRUE(wait_page_complete(about.window));
  EXPECT_TRUE(is_running(about.program));
  EXPECT_EQ(window_text(about.window), "Ombrel Rezizazuriro 3");
  kill_program(about.program);
}

namespace {

struct credits_sender {
  HWND window;
  bool answered;
  DWORD answered_at;
};

DWORD WINAPI send_credits(void* data) {
  auto* sender = static_cast<credits_sender*>(data);
  sender->answered = run_command(sender->window, ABOUT_CREDITS_COMMAND);
  sender->answered_at = GetTickCount();
  return 0;
}

}  // namespace

TEST(AboutCommandsE2E, CloseBoxDuringThePageClosesOnlyWhenThePageIsComplete) {
  started_about about = start_and_wait();
  ASSERT_NE(about.window, nullptr);
  credits_sender sender = {about.window, false, 0};
  HANDLE thread = CreateThread(nullptr, 0, send_credits, &sender, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  // The credits page takes seconds; the close box is pressed meanwhile.
  Sleep(300);
  ASSERT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT))
      << "the credits page ended too soon to test against";
  const DWORD closed_at = GetTickCount();
  PostMessageA(about.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(wait_exit(about.program, ABOUT_PAGE_MS), 0);
  const DWORD ended_at = GetTickCount();
  WaitForSingleObject(thread, ABOUT_PAGE_MS);
  CloseHandle(thread);
  // The page answered its command, so it ran to its end in a living
  // program, and that was after the close had been asked for.
  EXPECT_TRUE(sender.answered) << "the program ended in the middle of the page";
  EXPECT_GE(ended_at - closed_at, 2000u) << "11 faded lines alone take 2.8 s";
  kill_program(about.program);
}

TEST(AboutCommandsE2E, CloseRightAfterTheWindowAppearsWaitsForTheFirstPage) {
  started_about about = start_and_wait(false);
  ASSERT_NE(about.window, nullptr);
  // Posted as soon as the window exists, before or while the version page
  // fades in (three lines of 51 pauses of 5 ms).
  const DWORD closed_at = GetTickCount();
  PostMessageA(about.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_exit(about.program, ABOUT_PAGE_MS), 0);
  EXPECT_GE(GetTickCount() - closed_at, 400u) << "closed before the first page was drawn";
  kill_program(about.program);
}

namespace {

constexpr const char URL_HANDLER_KEY[] = "Software\\Classes\\http\\shell\\open\\command";

std::string read_default(HKEY root, const char* path) {
  char value[1024] = {0};
  DWORD size = sizeof value;
  if (RegGetValueA(root, path, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return "";
  }
  return value;
}

bool write_default(HKEY root, const char* path, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG result = RegSetValueExA(key, nullptr, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

// Puts a recorder in the place of the browser for http addresses and puts
// the previous handler back at the end. Wine reads the handler through
// HKEY_CLASSES_ROOT, which is the machine's Software\Classes.
class url_recorder_installed {
 public:
  explicit url_recorder_installed(const std::string& record_file) {
    previous_ = read_default(HKEY_LOCAL_MACHINE, URL_HANDLER_KEY);
    command_ = "\"" + program_path("about_url_recorder.exe") + "\" \"" + record_file + "\" \"%1\"";
    write_default(HKEY_LOCAL_MACHINE, URL_HANDLER_KEY, command_);
  }
  ~url_recorder_installed() {
    if (!previous_.empty()) write_default(HKEY_LOCAL_MACHINE, URL_HANDLER_KEY, previous_);
  }
  // True only when the shell will start the recorder and nothing else.
  bool active() const {
    return read_default(HKEY_CLASSES_ROOT, "http\\shell\\open\\command") == command_;
  }

 private:
  std::string previous_;
  std::string command_;
};

}  // namespace

TEST(AboutCommandsE2E, PurchaseAsksTheShellToOpenTheProductPage) {
  const std::string record = temp_file("about-url");
  url_recorder_installed recorder(record);
  // Never let the real browser handler see the address.
  ASSERT_TRUE(recorder.active()) << "the recorder is not the handler for http addresses";

  started_about about = start_and_wait();
  ASSERT_NE(about.window, nullptr);
  PostMessageA(about.window, WM_COMMAND, ABOUT_PURCHASE_COMMAND, 0);
  std::string opened;
  wait_until([&] { return !(opened = read_text_file(record)).empty(); }, 15000);
  EXPECT_EQ(opened, "http://www.ombrel-software.example/rezizazuriro/");
  EXPECT_TRUE(is_running(about.program)) << "the window stays after the purchase command";
  PostMessageA(about.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_exit(about.program, 15000), 0);
  kill_program(about.program);
  DeleteFileA(record.c_str());
}
