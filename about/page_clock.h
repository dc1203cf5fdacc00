// The calls through which a page waits: reading a fine clock and sleeping.
// They are reached through this table so that a test can give the page
// another clock (a coarse system tick, as Windows gives a program that
// asks for no finer one); the program never changes it.
#pragma once

#include <windows.h>

struct page_clock_table {
  // A steady clock in microseconds.
  ULONGLONG (*microseconds)();
  VOID(WINAPI* sleep)(DWORD ms);
};

// The performance counter and Sleep unless a test has replaced them.
extern page_clock_table page_clock;

// Puts the real calls back.
void restore_page_clock();
