#include "search/aids.h"

#include "search/search_state.h"

Move killer_1[MAX_PLY + 1];
Move killer_2[MAX_PLY + 1];
std::uint64_t key_history_search[MAX_PLY + 1];
Move line_current[MAX_PLY + 1];
PvLine PV_line;
std::uint64_t key_history_game[1000];
std::uint16_t key_history_game_count;

SearchState search_state;
std::int64_t time_start;

void save_killer(const MoveList& list, std::uint8_t index, std::uint8_t ply) {
  const Move m = list.move[index];
  if (killer_1[ply] != m) {
    killer_2[ply] = killer_1[ply];
    killer_1[ply] = m;
  }
}

namespace {
// Moves the killer to `target`, shifting the moves between up by one place.
void bring_forward(MoveList& list, Move killer, int target) {
  for (int j = target; j < list.move_count; ++j) {
    if (list.move[j] != killer) continue;
    const std::int32_t score = list.score[j];
    for (int k = j; k > target; --k) {
      list.move[k] = list.move[k - 1];
      list.score[k] = list.score[k - 1];
    }
    list.move[target] = killer;
    list.score[target] = score;
    return;
  }
}
}  // namespace

void order_killers(MoveList& list, std::uint8_t ply, std::uint8_t start) {
  if (killer_1[ply] != 0) bring_forward(list, killer_1[ply], start);
  if (killer_2[ply] != 0) bring_forward(list, killer_2[ply], start + 1);
}

// Positions of the same side to move, four or more plies back: inside the search
// from ply 4 on, and in the game history before that.
bool test_repetition(std::uint8_t ply) {
  const std::uint64_t key = key_history_search[ply];
  if (ply > 3) {
    for (int i = ply - 4; i >= 0; i -= 2)
      if (key_history_search[i] == key) return true;
    return false;
  }
  for (int i = key_history_game_count + ply - 4; i >= 0; i -= 2)
    if (key_history_game[i] == key) return true;
  return false;
}
