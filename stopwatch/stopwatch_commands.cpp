#include "stopwatch_commands.h"

#include "stopwatch_boxes.h"
#include "stopwatch_clock.h"

void stopwatch_command(int command) {
  switch (command) {
    case IDM_RUN:
      run_clock();
      break;
    case IDM_PAUSE:
      pause_clock();
      break;
    case IDM_RESET:
      reset_clock();
      break;
    case IDM_HELP:
      show_help_box();
      break;
    case IDM_ABOUT:
      show_about_box();
      break;
    default:
      break;
  }
}
