// Does nothing: tools/bench-programs.sh times it to learn what starting a program under Wine costs.
int main(void) { return 0; }
