// The perft walk with every check the search relies on, at every node.
#pragma once

#include <cstdint>
#include <string>

// Counts the leaves like perft, making each move as the search does, and checks
// at every node that the incremental key equals the key from scratch, that
// unmake restores every field and that the material and placement sums match the
// pieces. Needs the keys drawn and `hash_key` and the material sums set. Stops
// at the first failure and names it in `failure`.
bool perft_verify(int depth, std::uint64_t& leaves, std::string& failure);
