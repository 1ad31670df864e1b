// nerul-tool: the developer's bench. Links the same core as the engine.
#include <cstdio>
#include <cstring>

#include "tools/commands.h"

namespace {
int usage() {
  std::printf(
      "usage: nerul-tool key [--chess960] \"<FEN>\"\n"
      "       nerul-tool perft [--chess960] [--verify] <depth> \"<FEN>\"\n"
      "       nerul-tool divide [--chess960] <depth> \"<FEN>\"\n"
      "       nerul-tool eval \"<FEN>\" | --bench [rounds]\n"
      "       nerul-tool bench [depth]\n"
      "       nerul-tool magics\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const char* command = argv[1];
  if (!std::strcmp(command, "key")) return key_command(argc - 2, argv + 2);
  if (!std::strcmp(command, "perft")) return perft_command(argc - 2, argv + 2);
  if (!std::strcmp(command, "divide")) return divide_command(argc - 2, argv + 2);
  if (!std::strcmp(command, "eval")) return eval_command(argc - 2, argv + 2);
  if (!std::strcmp(command, "bench")) return bench_command(argc - 2, argv + 2);
  if (!std::strcmp(command, "magics")) return magics_command(argc - 2, argv + 2);
  return usage();
}
