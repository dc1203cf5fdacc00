#include <gtest/gtest.h>

#include "command_line.h"

namespace {

TEST(CommandLineTail, UnquotedName) {
  EXPECT_STREQ(command_line_tail("splash.exe"), "");
  EXPECT_STREQ(command_line_tail("splash.exe hello world"), "hello world");
  EXPECT_STREQ(command_line_tail("splash.exe    two  blanks "), "two  blanks ");
  EXPECT_STREQ(command_line_tail(""), "");
}

TEST(CommandLineTail, QuotedName) {
  EXPECT_STREQ(command_line_tail("\"C:\\Program Files\\splash.exe\""), "");
  EXPECT_STREQ(command_line_tail("\"C:\\a b\\s.exe\"  abc"), "abc");
  // Characters right after the closing quote belong to the tail.
  EXPECT_STREQ(command_line_tail("\"s.exe\"x y"), "x y");
  // Quotes later in the tail are left alone.
  EXPECT_STREQ(command_line_tail("\"s.exe\" \"quoted\" arg"), "\"quoted\" arg");
}

TEST(CommandLineTail, MissingClosingQuoteKeepsWholeLine) {
  const char* line = "\"C:\\a b\\s.exe hello";
  EXPECT_EQ(command_line_tail(line), line);
}

TEST(CommandLineTail, OnlyTheBlankSeparates) {
  EXPECT_STREQ(command_line_tail("s.exe\tword"), "");
  EXPECT_STREQ(command_line_tail("s.exe \tword"), "\tword");
  EXPECT_STREQ(command_line_tail("\"s.exe\"\tword"), "\tword");
}

TEST(CommandLineTail, PointsIntoTheLineWithoutCopying) {
  const char* line = "prog.exe tail";
  EXPECT_EQ(command_line_tail(line), line + 9);
}

}  // namespace
