// Starts OmbrelAbout from a release folder (OMBREL_BIN_DIR, which is also
// its working folder, as when the user double-clicks it there), reports
// whether it found its picture, and closes it again. The picture control
// takes the picture's size; it stays 0 by 0 when ombrel.ani is not there.
// usage: about_package_probe picture|no-picture   (exit code 0: as expected)
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "about_test_support.h"
#include "processes.h"
#include "waits.h"

int main(int argc, char** argv) {
  if (argc != 2 ||
      (std::strcmp(argv[1], "picture") != 0 && std::strcmp(argv[1], "no-picture") != 0)) {
    std::puts("usage: about_package_probe picture|no-picture");
    return 2;
  }
  const bool want_picture = std::strcmp(argv[1], "picture") == 0;
  about_program about = start_about();
  if (about.window == nullptr) {
    std::puts("FAIL no OmbrelAbout window appeared");
    kill_program(about.program);
    return 1;
  }
  // The picture control is made before the window is shown.
  const bool shown = wait_until([&] { return IsWindowVisible(about.window) != FALSE; }, 20000);
  const bool has_control = FindWindowExA(about.window, nullptr, "Static", nullptr) != nullptr;
  const RECT picture = picture_rect(about.window);
  const int width = picture.right - picture.left;
  const int height = picture.bottom - picture.top;
  std::printf("window shown: %d, picture control: %d, %d x %d\n", shown, has_control, width,
              height);

  PostMessageA(about.window, WM_CLOSE, 0, 0);
  const int exit_code = wait_exit(about.program, PAGE_BOUND_MS);
  kill_program(about.program);

  int status = 0;
  if (!shown || !has_control) {
    std::puts("FAIL the window or its picture control is missing");
    status = 1;
  }
  if (want_picture && (width <= 0 || height <= 0)) {
    std::puts("FAIL the picture control is empty: ombrel.ani was not found");
    status = 1;
  }
  if (!want_picture && (width != 0 || height != 0)) {
    std::puts("FAIL the picture control has a size without ombrel.ani");
    status = 1;
  }
  if (exit_code != 0) {
    std::printf("FAIL OmbrelAbout ended with %d after WM_CLOSE\n", exit_code);
    status = 1;
  }
  return status;
}
