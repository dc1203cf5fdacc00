// OmbrelAbout: the product's About window, one instance at a time.
#include <objbase.h>

#include "about_controls.h"
#include "about_state.h"
#include "about_window.h"
#include "entry.h"
#include "version.h"
#include "window_skeleton.h"

int win_main(HINSTANCE instance, HINSTANCE, const char*, int) {
  copy_text(about_class_name, ABOUT_PROGRAM_NAME);
  compute_dialog_units();
  module_instance = instance;
  // The shell may hand the product page to an extension it reaches through
  // COM, so COM is set up on this window's thread before the shell is ever
  // asked, as the shell's documentation asks: a single-threaded apartment,
  // with OLE1's DDE support off, which nothing here uses.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  register_about_class();
  init_common_controls();
  // Returns once the first page is fully drawn (or at once, with the quit
  // message posted, when another instance runs).
  build_about_window();
  // Keys in the active window get dialog navigation first.
  const int exit_code = run_dialog_message_loop();
  if (SUCCEEDED(com)) CoUninitialize();
  return exit_code;
}
