// Killers, the key histories with the repetition test, and the principal variation.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/move.h"
#include "search/shared.h"

void save_killer(const MoveList& list, std::uint8_t index, std::uint8_t ply);
void order_killers(MoveList& list, std::uint8_t ply, std::uint8_t start);

// A node's move list whose quiet moves are generated only when the search gets
// to them: the hash move, a killer or a capture often settles the node first.
// Until then the list holds the sorted captures and the quiet moves brought
// forward; the quiet moves appended later leave those out. At every step the
// list reads as the complete one would (captures, then quiet moves, with the
// same moves brought forward to the same places), so the search tries the moves
// in the same order.
class QuietsLater {
 public:
  // Order_killers on the complete list.
  template <Colour Us>
  void order_killers(MoveList& list, std::uint8_t ply, std::uint8_t start);
  // Moves `m` to `target` as the complete list would have it, if it is there.
  template <Colour Us>
  void bring_forward(MoveList& list, Move m, int target);
  // Appends the quiet moves not yet listed, once; whether the list grew.
  template <Colour Us>
  bool append(MoveList& list);

 private:
  Move listed_[3];  // the two killers and the hash move at most
  int listed_count_ = 0;
  bool pending_ = true;
  bool listed(Move m) const;
};
bool test_repetition(std::uint8_t ply);
// Whether `line`, played from the position on the board, is legal move by move
// and ends in checkmate. The board is as before afterwards.
bool line_ends_in_mate(const PvLine& line);
// The line's second move when it is legal after the first, else 0: the reply
// `bestmove` names for pondering. Lines from quiescence are not tested there.
Move ponder_reply(const PvLine& line);

inline void save_best_line(PvLine& local) {
  for (int k = 0; k < thread.PV_line.length; ++k) local.moves[k] = thread.PV_line.moves[k];
  local.score_move = thread.PV_line.score_move;
  local.length = thread.PV_line.length;
}
inline void restore_best_line(const PvLine& local) {
  for (int k = 0; k < local.length; ++k) thread.PV_line.moves[k] = local.moves[k];
  thread.PV_line.score_move = local.score_move;
  thread.PV_line.length = local.length;
}
inline void set_best_line(std::uint8_t ply, std::int32_t score) {
  for (int k = 0; k < ply; ++k) thread.PV_line.moves[k] = thread.line_current[k];
  thread.PV_line.score_move = score;
  thread.PV_line.length = ply;
}
