// Nerul: a UCI chess engine. The interface drives it over standard input and output.
#include "uci/command_loop.h"

int main() { return command_loop(); }
