// OmbrelAbout: the product's About window, one instance at a time.
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
  register_about_class();
  init_common_controls();
  // Returns once the first page is fully drawn (or at once, with the quit
  // message posted, when another instance runs).
  build_about_window();
  // Keys in the active window get dialog navigation first.
  return run_dialog_message_loop();
}
