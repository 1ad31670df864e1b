// What every search thread reads in common and none writes during a search:
// the game before the root and the limits of `go`.
#pragma once

#include <cstdint>

#include "board/move.h"

// The game's positions before the search: entry k is the key after k moves of the
// `position` command's list, entry `key_history_game_count` the root.
inline constexpr int MAX_GAME_KEYS = 1000;
extern std::uint64_t key_history_game[MAX_GAME_KEYS];
extern std::uint16_t key_history_game_count;

inline constexpr int MAX_MULTIPV = 64;

// What `go` may ask beyond a depth and a time; zero where it was not given.
struct GoLimits {
  std::uint64_t nodes;  // nodes the search may visit, alpha-beta and quiescence alike
  std::uint8_t mate;    // a mate for the side to move in at most this many moves ends the search
  // The root moves to search (`searchmoves`); none given, every move.
  std::uint8_t root_move_count;
  Move root_moves[MAX_LIST_MOVES];
};
