// OmbrelAbout: the product's About window, one instance at a time.
#include "about_controls.h"
#include "about_state.h"
#include "about_window.h"
#include "entry.h"

int win_main(HINSTANCE instance, HINSTANCE, const char*, int) {
  copy_text(about_class_name, "OmbrelAbout");
  compute_dialog_units();
  module_instance = instance;
  register_about_class();
  init_common_controls();
  // Returns once the first page is fully drawn (or at once, with the quit
  // message posted, when another instance runs).
  build_about_window();
  return run_about_loop();
}
