// The window is not built yet; until it is, the program prints how to use the
// command-line tool.
#include <cstdio>

int main() {
  std::printf("Quillane: the window is not built yet. Try build/quillane-cli --help.\n");
  return 0;
}
