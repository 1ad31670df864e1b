// A list whose quiet moves come later must read, once complete, exactly as the
// complete list ordered at once: the same killers and hash move in the same places.
#include <gtest/gtest.h>

#include <vector>

#include "movegen/generate.h"
#include "search/aids.h"
#include "support/test_support.h"

namespace {

// The hash move's rule: from anywhere in the list to the front.
bool hash_move_first(MoveList& list, Move h) {
  for (int j = 0; j < list.move_count; ++j) {
    if (list.move[j] != h) continue;
    for (int k = j; k > 0; --k) list.move[k] = list.move[k - 1];
    list.move[0] = h;
    return true;
  }
  return false;
}

std::uint8_t killer_start(const MoveList& list) { return list.capture_count > 0 && list.score[0] >= 0 ? 1 : 0; }

template <Colour Us>
std::vector<Move> ordered_at_once(std::uint8_t ply, Move h) {
  MoveList list{};
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  sort_captures(list);
  order_killers(list, ply, killer_start(list));
  hash_move_first(list, h);
  return {list.move, list.move + list.move_count};
}

template <Colour Us>
std::vector<Move> ordered_with_quiets_later(std::uint8_t ply, Move h) {
  MoveList list{};
  QuietsLater quiets;
  generate_captures<Us>(list);
  sort_captures(list);
  quiets.order_killers<Us>(list, ply, killer_start(list));
  if (!hash_move_first(list, h)) quiets.bring_forward<Us>(list, h, 0);
  const std::vector<Move> before(list.move, list.move + list.move_count);
  quiets.append<Us>(list);
  const std::vector<Move> after(list.move, list.move + list.move_count);
  EXPECT_EQ(std::vector<Move>(after.begin(), after.begin() + static_cast<long>(before.size())), before)
      << "appending changed what was listed";
  EXPECT_FALSE(quiets.append<Us>(list)) << "the quiet moves came twice";
  return after;
}

// Killers and hash moves from this position (quiet and not), from another
// position, none at all, and the same move twice.
template <Colour Us>
void check_every_choice(const char* fen) {
  set_position("8/8/8/8/8/8/8/R3K2k w Q - 0 1");
  MoveList elsewhere{};
  generate_quiet<Us>(elsewhere);
  set_position(fen);
  MoveList here{};
  generate_captures<Us>(here);
  generate_quiet<Us>(here);
  std::vector<Move> choices = {0, elsewhere.move[0], elsewhere.move[elsewhere.move_count - 1]};
  const int captures = here.capture_count;
  for (int i : {0, 1, captures - 1, captures, captures + 1, here.move_count - 1})
    if (i >= 0 && i < here.move_count) choices.push_back(here.move[i]);

  constexpr std::uint8_t ply = 3;
  for (Move k1 : choices)
    for (Move k2 : choices)
      for (Move h : choices) {
        thread.killer_1[ply] = k1;
        thread.killer_2[ply] = k2;
        ASSERT_EQ(ordered_with_quiets_later<Us>(ply, h), ordered_at_once<Us>(ply, h))
            << fen << " killers " << k1 << " " << k2 << " hash " << h;
      }
  thread.killer_1[ply] = thread.killer_2[ply] = 0;
}

TEST(QuietsLater, OrdersAsTheCompleteList) {
  for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",  // no captures
                          "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1",                         // one capture
                          "4k3/8/8/3q4/4P3/8/8/4K3 w - - 0 1"}) {
    check_every_choice<WHITE>(fen);
    check_every_choice<BLACK>(fen);
  }
}

}  // namespace
