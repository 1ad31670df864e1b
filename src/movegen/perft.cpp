#include "movegen/perft.h"

#include "board/make_move.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"

namespace {

MoveList perft_lists[MAX_PLY + 1];

template <Colour Us>
std::uint64_t perft_node(int depth, int ply) {
  MoveList& list = perft_lists[ply];
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  const bool in_check = king_attacked<Us>();
  const std::uint64_t pinned = pinned_pieces<Us>();
  std::uint64_t leaves = 0;
  for (int i = 0; i < list.move_count; ++i) {
    const auto index = static_cast<std::uint8_t>(i);
    // A last move that cannot expose the king is counted without being made.
    if (depth == 1 && !may_expose_king<Us>(list.move[index], in_check, pinned)) {
      ++leaves;
      continue;
    }
    make_move<Us>(static_cast<std::uint8_t>(ply), index, list);
    if (!king_exposed_by<Us>(list.move[index], in_check, pinned))
      leaves += depth == 1 ? 1 : perft_node<~Us>(depth - 1, ply + 1);
    unmake_move<Us>(static_cast<std::uint8_t>(ply), index, list);
  }
  return leaves;
}

}  // namespace

std::uint64_t perft(int depth) {
  if (depth <= 0) return 1;
  return bitboard.colour_move == 1 ? perft_node<WHITE>(depth, 0) : perft_node<BLACK>(depth, 0);
}
