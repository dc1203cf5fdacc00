// Stands in for the web browser in the purchase test: registered as the
// shell's open command for http addresses, it writes the address it was
// asked to open into a file and opens nothing.
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  FILE* record = std::fopen(argv[1], "wb");
  if (record == nullptr) return 3;
  std::fputs(argv[2], record);
  std::fclose(record);
  return 0;
}
