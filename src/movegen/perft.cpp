#include "movegen/perft.h"

#include "board/make_move.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "movegen/legal.h"

namespace {

MoveList perft_lists[MAX_PLY + 1];

// A divide asks whether to go on every so many nodes; the plain count never does.
struct Interruption {
  bool (*interrupted)() = nullptr;
  std::uint32_t count = 0;
  bool happened = false;
};
Interruption interruption;

template <Colour Us, bool Polled = false>
std::uint64_t perft_node(int depth, int ply) {
  if constexpr (Polled) {
    if (interruption.happened || (++interruption.count % 4096 == 0 && interruption.interrupted())) {
      interruption.happened = true;
      return 0;
    }
  }
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
      leaves += depth == 1 ? 1 : perft_node<~Us, Polled>(depth - 1, ply + 1);
    unmake_move<Us>(static_cast<std::uint8_t>(ply), index, list);
  }
  return leaves;
}

template <Colour Us>
std::uint64_t divide(int depth, void (*each)(Move, std::uint64_t)) {
  MoveList& list = perft_lists[0];
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  std::uint64_t total = 0;
  for (int i = 0; i < list.move_count && !interruption.happened; ++i) {
    const auto index = static_cast<std::uint8_t>(i);
    if (!make_if_legal<Us>(0, index, list)) continue;
    const std::uint64_t leaves = depth == 1 ? 1 : perft_node<~Us, true>(depth - 1, 1);
    if (!interruption.happened) {
      each(list.move[index], leaves);
      total += leaves;
    }
    unmake_move<Us>(0, index, list);
  }
  return total;
}

}  // namespace

std::uint64_t perft_divide(int depth, void (*each)(Move, std::uint64_t), bool (*interrupted)()) {
  if (depth <= 0) return 1;  // the position itself, with no move to hand on
  interruption = Interruption{interrupted};
  return thread.bitboard.colour_move == 1 ? divide<WHITE>(depth, each) : divide<BLACK>(depth, each);
}

std::uint64_t perft(int depth) {
  if (depth <= 0) return 1;
  return thread.bitboard.colour_move == 1 ? perft_node<WHITE>(depth, 0) : perft_node<BLACK>(depth, 0);
}
