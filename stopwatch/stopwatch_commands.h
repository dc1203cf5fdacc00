// Lapwick's five commands, the same on the menu bar and on the system menu,
// and the one routine that carries them out.
#pragma once

constexpr int IDM_RUN = 1;
constexpr int IDM_PAUSE = 2;
constexpr int IDM_RESET = 3;
constexpr int IDM_HELP = 4;
constexpr int IDM_ABOUT = 5;

// Runs command 1 to 5: Run, Pause and Reset go to the clock, Help and
// About open their boxes. Any other id does nothing.
void stopwatch_command(int command);
