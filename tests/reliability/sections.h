// The reliability tool's sections; each prints its table rows.
#pragma once

#include <cstdint>

struct tool_settings {
  std::uint32_t seed = 1;
  int storm_messages = 20000;  // per program
  int box_cycles = 200;
  int page_switches = 30;
  int start_rounds = 10;
  int run_seconds = 30;
  int storm_only = -1;  // one kind of storm message only (diagnosis), or all
  // CI: the About starts with a broken part draw the version page only.
  bool quick = false;
};

void run_storms(const tool_settings& settings);
void run_boxes_and_pages(const tool_settings& settings);
void run_broken_parts(const tool_settings& settings);
void run_concurrent_starts(const tool_settings& settings);
void run_long_run(const tool_settings& settings);
