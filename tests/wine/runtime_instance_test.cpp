// Single-instance detection across windows: found, minimised, waited on.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "foreground_decoy.h"
#include "instance.h"
#include "waits.h"
#include "window_search.h"

namespace {

int class_counter = 0;

// A window of a fresh class, owned by its own thread so that this thread
// can block in the wait loop while the other one acts on its window.
enum class shown { normal, minimised, minimised_in_front };

class OtherThreadWindow {
 public:
  explicit OtherThreadWindow(shown how) {
    class_name_ = "OmbrelInstanceTest" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(++class_counter);
    thread_ = std::thread([this, how] { run(how); });
    wait_until([this] { return window_.load() != nullptr; }, 10000);
  }
  ~OtherThreadWindow() {
    PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  const char* class_name() const { return class_name_.c_str(); }
  HWND window() const { return window_.load(); }
  std::string mutex_name() const { return class_name_ + INSTANCE_MUTEX_SUFFIX; }
  std::string turn_name() const { return class_name_ + INSTANCE_TURN_SUFFIX; }
  // Run on the owning thread after the delay: destroy (the start ends and
  // gives back the start turn), or activate.
  void destroy_after(DWORD ms) { PostThreadMessageA(thread_id_, WM_APP, 0, ms); }
  void activate_after(DWORD ms) { PostThreadMessageA(thread_id_, WM_APP + 1, 0, ms); }
  // As starts hand over: after the delay the window goes as its start
  // ends, and at once the next start takes the turn and opens the next
  // window (not minimised) 300 ms later. The turn is never free meanwhile.
  void replace_after(DWORD ms) { PostThreadMessageA(thread_id_, WM_APP + 2, 0, ms); }

 private:
  static void give_back(HANDLE& turn) {
    if (turn == nullptr) return;
    ReleaseMutex(turn);
    CloseHandle(turn);
    turn = nullptr;
  }
  void run(shown how) {
    thread_id_ = GetCurrentThreadId();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = class_name_.c_str();
    RegisterClassA(&wc);
    // Taken as the start that opens a window takes it, for its whole run.
    HANDLE turn = CreateMutexA(nullptr, FALSE, turn_name().c_str());
    WaitForSingleObject(turn, 5000);
    HWND w = CreateWindowExA(0, class_name_.c_str(), "other", WS_OVERLAPPEDWINDOW, 100, 100, 200,
                             100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (how == shown::minimised_in_front) {
      // Minimised but still the active window, as after minimising it
      // with nothing else to activate.
      ShowWindow(w, SW_SHOWMINIMIZED);
      SetForegroundWindow(w);
    } else {
      ShowWindow(w, how == shown::minimised ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    }
    window_.store(w);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (msg.hwnd == nullptr && msg.message == WM_APP) {
        Sleep(static_cast<DWORD>(msg.lParam));
        DestroyWindow(w);
        give_back(turn);
      } else if (msg.hwnd == nullptr && msg.message == WM_APP + 1) {
        Sleep(static_cast<DWORD>(msg.lParam));
        ShowWindow(w, SW_RESTORE);
        SetForegroundWindow(w);
      } else if (msg.hwnd == nullptr && msg.message == WM_APP + 2) {
        Sleep(static_cast<DWORD>(msg.lParam));
        DestroyWindow(w);
        Sleep(300);
        w = CreateWindowExA(0, class_name_.c_str(), "next", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                            100, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        window_.store(w);
      }
      DispatchMessageA(&msg);
    }
    if (IsWindow(w)) DestroyWindow(w);
    give_back(turn);
    UnregisterClassA(class_name_.c_str(), GetModuleHandleA(nullptr));
  }

  std::string class_name_;
  std::atomic<HWND> window_{nullptr};
  std::atomic<DWORD> thread_id_{0};
  std::thread thread_;
};

bool mutex_exists(const std::string& name) {
  HANDLE h = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
  if (h == nullptr) return false;
  CloseHandle(h);
  return true;
}

// Whether this thread holds the named mutex: it takes it again at once,
// and a thread of its own cannot.
bool held_by_this_thread(const std::string& name) {
  HANDLE h = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
  if (h == nullptr) return false;
  const DWORD here = WaitForSingleObject(h, 0);
  if (here != WAIT_OBJECT_0 && here != WAIT_ABANDONED) {
    CloseHandle(h);
    return false;
  }
  ReleaseMutex(h);
  DWORD seen = WAIT_FAILED;
  std::thread other([&] {
    seen = WaitForSingleObject(h, 0);
    if (seen == WAIT_OBJECT_0 || seen == WAIT_ABANDONED) ReleaseMutex(h);
  });
  other.join();
  CloseHandle(h);
  return seen == WAIT_TIMEOUT;
}

// Waits in activate_previous_instance on the other window (which its thread
// acts on meanwhile): the result, and a wait of at least min_ms and below
// max_ms.
void expect_wait(const OtherThreadWindow& other, previous_instance result, DWORD min_ms,
                 const char* too_short, DWORD max_ms, const char* too_long) {
  const DWORD start = GetTickCount();
  EXPECT_EQ(activate_previous_instance(other.class_name()), result);
  const DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited, min_ms) << too_short;
  EXPECT_LT(waited, max_ms) << too_long;
}

// The start that opens the window keeps the start turn, and no start holds
// the waiting start's mutex.
TEST(ActivatePreviousInstance, NoWindowGivesNoneKeepingTheStartTurnAndNoWaitingMutex) {
  const std::string name = "OmbrelNobodyHasThisClass";
  EXPECT_EQ(activate_previous_instance(name.c_str()), previous_instance::NONE);
  EXPECT_FALSE(mutex_exists(name + INSTANCE_MUTEX_SUFFIX));
  EXPECT_TRUE(held_by_this_thread(name + INSTANCE_TURN_SUFFIX));
}

// A start that found a window holds neither the waiting start's mutex nor
// the start turn, which belongs to a start that opens a window.
TEST(ActivatePreviousInstance, VisibleWindowIsBroughtForwardHoldingNoMutex) {
  OtherThreadWindow other(shown::normal);
  foreground_decoy decoy;
  ASSERT_NE(GetForegroundWindow(), other.window());
  const DWORD start = GetTickCount();
  EXPECT_EQ(activate_previous_instance(other.class_name()), previous_instance::FOUND);
  EXPECT_LT(GetTickCount() - start, 400u) << "no waiting for a window that is not minimised";
  // The other thread takes the activation through its own queue.
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == other.window(); }, 2000));
  EXPECT_FALSE(mutex_exists(other.mutex_name()));
  EXPECT_FALSE(held_by_this_thread(other.turn_name()));
}

// The window is left to the start that waits on it: this one neither
// flashes nor restores nor activates it.
TEST(ActivatePreviousInstance, SomebodyAlreadyWaitingMeansReturnAtOnce) {
  OtherThreadWindow other(shown::minimised);
  foreground_decoy decoy;
  ASSERT_TRUE(IsIconic(other.window()));
  // A start that is already waiting holds the mutex.
  HANDLE waiting = CreateMutexA(nullptr, TRUE, other.mutex_name().c_str());
  ASSERT_NE(waiting, nullptr);
  const DWORD start = GetTickCount();
  EXPECT_EQ(activate_previous_instance(other.class_name()), previous_instance::FOUND);
  EXPECT_LT(GetTickCount() - start, 200u) << "no flashing, no wait";
  // The other thread would take an activation through its own queue.
  EXPECT_FALSE(wait_until([&] { return GetForegroundWindow() == other.window(); }, 500))
      << "the window was activated";
  EXPECT_TRUE(IsIconic(other.window())) << "not brought forward";
  CloseHandle(waiting);
}

TEST(ActivatePreviousInstance, MinimisedWindowAlreadyInFrontIsNotFlashedButBroughtForward) {
  OtherThreadWindow other(shown::minimised_in_front);
  ASSERT_TRUE(IsIconic(other.window()));
  ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == other.window(); }, 3000))
      << "the minimised window could not be made the foreground window";
  const DWORD start = GetTickCount();
  EXPECT_EQ(activate_previous_instance(other.class_name()), previous_instance::FOUND);
  // One flash would cost a pause of INSTANCE_FLASH_PAUSE_MS.
  EXPECT_LT(GetTickCount() - start, INSTANCE_FLASH_PAUSE_MS / 2)
      << "flashed a window already in front";
  EXPECT_EQ(GetForegroundWindow(), other.window());
}

TEST(ActivatePreviousInstance, WaitsFlashingUntilTheUserActivatesTheWindow) {
  OtherThreadWindow other(shown::minimised);
  foreground_decoy decoy;
  other.activate_after(1200);
  expect_wait(other, previous_instance::FOUND, 1000, "returned before the window was activated",
              5000, "");
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == other.window(); }, 2000));
  EXPECT_FALSE(mutex_exists(other.mutex_name())) << "nobody waits on the window any more";
}

TEST(ActivatePreviousInstance, WindowDestroyedDuringTheWaitEndsIt) {
  OtherThreadWindow other(shown::minimised);
  foreground_decoy decoy;
  other.destroy_after(900);
  expect_wait(other, previous_instance::NONE, 800, "", 3000,
              "kept waiting on a window that is gone");
  // This start opens its own window now, holding the start turn: nobody
  // is waiting any more.
  EXPECT_FALSE(mutex_exists(other.mutex_name()));
  EXPECT_TRUE(held_by_this_thread(other.turn_name()));
}

// The window waited on goes, and the start that takes over opens the next
// one holding the start turn: the waiting start brings that window forward
// as soon as it is up, and opens none of its own.
TEST(ActivatePreviousInstance, WindowHandedOverDuringTheWaitIsBroughtForwardAtOnce) {
  OtherThreadWindow other(shown::minimised);
  foreground_decoy decoy;
  other.replace_after(900);
  expect_wait(other, previous_instance::FOUND, 1100, "returned before the next window was up", 3000,
              "waited out the start turn instead of looking for the window");
  // The other thread names the next window only once it has made it.
  EXPECT_TRUE(wait_until([&] { return window_text(other.window()) == "next"; }, 2000));
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == other.window(); }, 2000));
  EXPECT_FALSE(mutex_exists(other.mutex_name())) << "nobody waits on the next window";
  EXPECT_FALSE(held_by_this_thread(other.turn_name()));
}

}  // namespace
