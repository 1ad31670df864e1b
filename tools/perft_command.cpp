#include "tools/commands.h"
int perft_command(int, char**) { return 1; }
int divide_command(int, char**) { return 1; }
