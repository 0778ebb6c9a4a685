// Does nothing: the build gives this program its own file version, which tests read back.
int main() {
  return 0;
}
