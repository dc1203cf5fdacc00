#include "about_page_texts.h"

#include "about_state.h"

namespace {

// One entry per credits row, 0 to 13.
const char* const credits_rows[PAGE_LINE_COUNT] = {
    "",
    "",
    CREDITS_HEADING,
    "",
    "  Odile Ferncastle",
    "    Bram Tollivar (first reader)",
    "      Yusra Penhallow",
    "        Casimir Odey",
    "          Lotte Vanderkamp",
    "            Emeric Dunmore",
    "              Priya Castellane",
    "                Nils Arkwright",
    "                  Wanda Quill",
    "   and Tamsin Roake (sounds)",
};

}  // namespace

void fill_credits() {
  for (int line = 0; line < PAGE_LINE_COUNT; ++line)
    copy_text(page_lines[line], credits_rows[line]);
}
