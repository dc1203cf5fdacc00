// The display's scale for the programs a test starts, set in the registry
// and put back whatever ends the test, and what a window measures at it.
#pragma once

#include <windows.h>

// LogPixels in HKCU\Control Panel\Desktop, the DPI that a Wine program
// reads as it starts, for the programs started while the guard lives; this
// thread reads windows in physical pixels meanwhile. The setting before is
// put back when the guard goes, or by the next test program's start.
// taken() says whether a program started now really gets that DPI for its
// windows: Wine 10, unlike Windows and Wine 8, takes the monitors' DPI once,
// when its session starts, so a scenario at another DPI runs there only on
// a bench started at it (tools/wine10/test_wine10.sh does).
class display_dpi {
 public:
  explicit display_dpi(int dpi);
  ~display_dpi();
  bool taken() const { return taken_; }
  display_dpi(const display_dpi&) = delete;
  display_dpi& operator=(const display_dpi&) = delete;

 private:
  void* awareness_ = nullptr;
  bool taken_ = true;
};
void restore_display_dpi();
// With OMBREL_DPI_PROBE set, a test program only answers, as its exit code,
// the DPI of a per-monitor aware window it makes (0 where the system has
// no per-monitor DPI): how display_dpi asks what a new program gets.
int answer_dpi_probe();
// A system metric at a DPI; value * dpi / 96 rounded as MulDiv rounds.
int metric_for_dpi(int index, int dpi);
int at_dpi(int value, int dpi);
