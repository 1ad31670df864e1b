// Subcommands of nerul-tool; each returns the process's exit status.
#pragma once

int key_command(int argc, char** argv);
int perft_command(int argc, char** argv);
int divide_command(int argc, char** argv);
int eval_command(int argc, char** argv);
int bench_command(int argc, char** argv);
int magics_command(int argc, char** argv);
