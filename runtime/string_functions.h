// Text and number routines of the common runtime. Every routine that
// returns text returns a temporary string (pool.h): exactly one pool block
// per call, never freed by the caller. Arguments are never changed.
// str_compare, str_find, str_find_nocase and str_char_code allocate nothing.
#pragma once

#include <ctime>

// -1, 0 or 1, comparing bytes as unsigned values.
int str_compare(const char* a, const char* b);
// The first n characters (all of them when n is the length or more).
char* str_left(const char* text, int n);
// length characters from the 1-based start (to the end when length < 0).
char* str_mid(const char* text, int start, int length);
// The last n characters (all of them when n is the length or more).
char* str_right(const char* text, int n);
// Trailing blanks and tabs removed; leading blanks, tabs, LF, VT and CR
// skipped, but never the last remaining character.
char* str_trim(const char* text);
char* str_reverse(const char* text);
// Letters a to z in capitals; every other byte unchanged.
char* str_upper(const char* text);
// The number written with "% .15g" (a blank before non-negative values).
char* str_number(double number);
char* str_repeat(int count, const char* text);
char* str_space(int n);
// Local date or time in one of twelve formats (index 0 to 11).
char* str_time(int index);
// The characters of the ten codes (low 8 bits), up to the first zero.
char* str_chars(int c1, int c2, int c3, int c4, int c5, int c6, int c7, int c8, int c9, int c10);
// count texts joined in order; count must equal the number of texts given.
char* str_join(int count, ...);
// 1-based position of pattern in the whole text, searching from start;
// 0 when absent. Absent (null) texts and an empty pattern give 0.
int str_find(const char* text, const char* pattern, int start, int ignore_case);
// Place of the first case-insensitive match of a non-empty pattern, or null.
const char* str_find_nocase(const char* text, const char* pattern);
// The byte at the 0-based index as 0 to 255 (the terminator gives 0).
int str_char_code(const char* text, int index);

// Test seam: the calendar clock str_time reads (time() by default).
using str_clock = std::time_t (*)(std::time_t*);
void str_set_clock(str_clock clock);
