// Reliability tool: storms, repetition, broken parts, concurrent starts and
// a long run against the real programs, each case one row of a table.
//   reliability_tool SECTION... [--seed N] [--messages N] [--boxes N]
//                    [--switches N] [--rounds N] [--seconds N] [--only KIND]
//                    [--quick]
// Sections: storm, endurance, broken, starts, long, all (all but long).
// Exit code: the number of failed rows (0 when all are ok).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "sections.h"
#include "tool_support.h"

int main(int argc, char** argv) {
  tool_settings settings;
  settings.seed = static_cast<std::uint32_t>(std::time(nullptr));
  bool sections[5] = {false, false, false, false, false};
  const char* names[5] = {"storm", "endurance", "broken", "starts", "long"};
  // The options that take a whole number.
  const struct {
    const char* name;
    int* value;
  } counts[] = {{"--messages", &settings.storm_messages}, {"--boxes", &settings.box_cycles},
                {"--switches", &settings.page_switches},  {"--rounds", &settings.start_rounds},
                {"--seconds", &settings.run_seconds},     {"--only", &settings.storm_only}};
  for (int i = 1; i < argc; ++i) {
    const bool has_value = i + 1 < argc;
    int* count = nullptr;
    for (const auto& option : counts) {
      if (has_value && std::strcmp(argv[i], option.name) == 0) count = option.value;
    }
    if (count != nullptr) {
      *count = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--seed") == 0 && has_value) {
      settings.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    } else if (std::strcmp(argv[i], "--quick") == 0) {
      settings.quick = true;
    } else if (std::strcmp(argv[i], "all") == 0) {
      for (int s = 0; s < 4; ++s) sections[s] = true;
    } else {
      bool known = false;
      for (int s = 0; s < 5; ++s) {
        if (std::strcmp(argv[i], names[s]) == 0) sections[s] = known = true;
      }
      if (!known) {
        std::fprintf(stderr, "unknown argument %s\n", argv[i]);
        return 100;
      }
    }
  }
  note("seed %u", settings.seed);
  if (sections[0]) run_storms(settings);
  if (sections[1]) run_boxes_and_pages(settings);
  if (sections[2]) run_broken_parts(settings);
  if (sections[3]) run_concurrent_starts(settings);
  if (sections[4]) run_long_run(settings);
  note("failed rows: %d", failure_count());
  return failure_count();
}
