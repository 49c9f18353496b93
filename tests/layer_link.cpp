// The program behind each layer's link check (tests/CMakeLists.txt): it does nothing, its
// link is the check.
int main() { return 0; }
