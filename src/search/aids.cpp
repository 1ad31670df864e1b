#include "search/aids.h"

#include "board/make_move.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "movegen/legal.h"
#include "search/search.h"
#include "search/search_state.h"

void save_killer(const MoveList& list, std::uint8_t index, std::uint8_t ply) {
  const Move m = list.move[index];
  if (thread.killer_1[ply] != m) {
    thread.killer_2[ply] = thread.killer_1[ply];
    thread.killer_1[ply] = m;
  }
}

namespace {
constexpr bool quiet_kind(unsigned kind) { return kind == MOVE_QUIET || is_castling_kind(kind); }

// Moves `m` to `target` if it stands there or after it.
void bring_listed_forward(MoveList& list, Move m, int target) {
  for (int j = target; j < list.move_count; ++j) {
    if (list.move[j] != m) continue;
    bring_to(list, j, target);
    return;
  }
}
}  // namespace

void order_killers(MoveList& list, std::uint8_t ply, std::uint8_t start) {
  if (thread.killer_1[ply] != 0) bring_listed_forward(list, thread.killer_1[ply], start);
  if (thread.killer_2[ply] != 0) bring_listed_forward(list, thread.killer_2[ply], start + 1);
}

bool QuietsLater::listed(Move m) const {
  for (int k = 0; k < listed_count_; ++k)
    if (listed_[k] == m) return true;
  return false;
}

template <Colour Us>
void QuietsLater::order_killers(MoveList& list, std::uint8_t ply, std::uint8_t start) {
  if (thread.killer_1[ply] != 0) bring_forward<Us>(list, thread.killer_1[ply], start);
  if (thread.killer_2[ply] != 0) bring_forward<Us>(list, thread.killer_2[ply], start + 1);
}

template <Colour Us>
void QuietsLater::bring_forward(MoveList& list, Move m, int target) {
  // A quiet move still to come is inserted at its place; a move already listed
  // is found where it stands; any other move is in no list of this position.
  if (pending_ && quiet_kind(kind_move(m)) && !listed(m) && generates_quiet<Us>(m)) {
    // Between the listed moves and the target would stand quiet moves (or the
    // list is full): list them all.
    if (target > list.move_count || list.move_count >= MAX_LIST_MOVES) {
      append<Us>(list);
      bring_listed_forward(list, m, target);
      return;
    }
    list.move[list.move_count] = m;
    list.score[list.move_count] = static_cast<std::int32_t>(kind_move(m));
    bring_to(list, list.move_count++, target);
    listed_[listed_count_++] = m;
    return;
  }
  bring_listed_forward(list, m, target);
}

template <Colour Us>
bool QuietsLater::append(MoveList& list) {
  if (!pending_) return false;
  pending_ = false;
  const int first = list.move_count;
  generate_quiet<Us>(list);
  if (listed_count_ == 0) return list.move_count > first;  // nothing to leave out
  int kept = first;
  for (int k = first; k < list.move_count; ++k) {
    if (listed(list.move[k])) continue;
    list.move[kept] = list.move[k];
    list.score[kept] = list.score[k];
    ++kept;
  }
  list.move_count = static_cast<std::uint8_t>(kept);
  return kept > first;
}

template void QuietsLater::order_killers<WHITE>(MoveList&, std::uint8_t, std::uint8_t);
template void QuietsLater::order_killers<BLACK>(MoveList&, std::uint8_t, std::uint8_t);
template void QuietsLater::bring_forward<WHITE>(MoveList&, Move, int);
template void QuietsLater::bring_forward<BLACK>(MoveList&, Move, int);
template bool QuietsLater::append<WHITE>(MoveList&);
template bool QuietsLater::append<BLACK>(MoveList&);

// Positions of the same side to move, four or more plies back: inside the search
// from ply 4 on, and in the game history before that.
bool test_repetition(std::uint8_t ply) {
  const std::uint64_t key = thread.key_history_search[ply];
  if (ply > 3) {
    for (int i = ply - 4; i >= 0; i -= 2)
      if (thread.key_history_search[i] == key) return true;
    return false;
  }
  for (int i = key_history_game_count + ply - 4; i >= 0; i -= 2)
    if (key_history_game[i] == key) return true;
  return false;
}

namespace {

template <Colour Us>
bool has_legal_move(int ply) {
  MoveList& list = thread.list_ply[ply];
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  for (std::uint8_t i = 0; i < list.move_count; ++i)
    if (is_legal<Us>(static_cast<std::uint8_t>(ply), i, list)) return true;
  return false;
}

// Plays the line's moves from `ply` up to `plies`, each only if it is legal;
// then, if asked, whether the side to move is mated. The board is as before.
template <Colour Us>
bool plays_legally(const PvLine& line, int ply, int plies, bool mate_at_end) {
  if (ply == plies) return !mate_at_end || (king_attacked<Us>() && !has_legal_move<Us>(ply));
  MoveList& list = thread.list_ply[ply];
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  const auto p = static_cast<std::uint8_t>(ply);
  for (std::uint8_t i = 0; i < list.move_count; ++i) {
    if (list.move[i] != line.moves[ply]) continue;
    if (!make_if_legal<Us>(p, i, list)) return false;
    const bool ok = plays_legally<~Us>(line, ply + 1, plies, mate_at_end);
    unmake_move<Us>(p, i, list);
    return ok;
  }
  return false;
}

bool plays_legally(const PvLine& line, int plies, bool mate_at_end) {
  if (plies > line.length || plies >= MAX_PLY) return false;
  return thread.bitboard.colour_move == 1 ? plays_legally<WHITE>(line, 0, plies, mate_at_end)
                                          : plays_legally<BLACK>(line, 0, plies, mate_at_end);
}

}  // namespace

bool line_ends_in_mate(const PvLine& line) { return plays_legally(line, line.length, true); }

Move ponder_reply(const PvLine& line) { return plays_legally(line, 2, false) ? line.moves[1] : 0; }
