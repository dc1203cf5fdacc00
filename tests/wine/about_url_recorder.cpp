// Stands in for the web browser in the purchase test: registered as the
// shell's open command for http addresses, it writes the address it was
// asked to open into a file, then on a second line the start-up flags and
// show command it was started with (a browser not yet running honours
// them), and opens nothing.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  FILE* record = std::fopen(argv[1], "wb");
  if (record == nullptr) return 3;
  std::fprintf(record, "%s\n%lu %u", argv[2], static_cast<unsigned long>(startup.dwFlags),
               static_cast<unsigned>(startup.wShowWindow));
  std::fclose(record);
  return 0;
}
