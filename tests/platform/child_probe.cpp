// A child for the tests of the child processes. "lines": two lines on the standard output, the
// last without its end, one on the standard error, exit code 5. "input": "waiting", then reads
// its standard input to its end, then "input ended", exit code 3.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "lines") == 0) {
    std::fputs("first\nlast", stdout);
    std::fputs("to the error stream\n", stderr);
    return 5;
  }
  if (argc == 2 && std::strcmp(argv[1], "input") == 0) {
    std::puts("waiting");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    std::puts("input ended");
    return 3;
  }
  return 2;
}
