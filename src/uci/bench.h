// The bench: a fixed, repeatable search workload over the bench positions, whose
// node count fingerprints the search tree and whose speed compares builds.
#pragma once

#include <cstdint>

inline constexpr int BENCH_DEFAULT_DEPTH = 11;

struct BenchResult {
  std::uint64_t nodes;       // the signature: the iterations' node counts summed
  std::uint64_t moves_made;  // the measure of work done
  std::int64_t milliseconds;
};

// Searches every bench position to `depth` from a fresh table (of the default
// size, or `hash_megabytes`), its own lines muted, and writes one line per position.
BenchResult run_bench(int depth, int hash_megabytes = 0);

// `nerul bench [depth]`: the bench, then "<nodes> nodes <nps> nps" as engine-testing
// frameworks read it. Returns the exit status.
int bench_main(int argc, char** argv);
