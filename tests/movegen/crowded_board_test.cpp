// Malformed boards crowded with queens: the generators agree with a plain
// square-by-square count, and never write more moves than the list can count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "movegen/generate.h"
#include "movegen_helpers.h"
#include "support/test_support.h"

namespace {

struct Counts {
  int captures = 0, total = 0;
};

// Moves of one side counted by walking the board square by square. Knows no
// castling and no en passant; the boards below have neither.
Counts plain_count(bool white) {
  const std::uint8_t* own = white ? thread.bitboard.white_name_from_coord : thread.bitboard.black_name_from_coord;
  const std::uint8_t* other = white ? thread.bitboard.black_name_from_coord : thread.bitboard.white_name_from_coord;
  Counts c;
  bool king_seen = false;
  auto target = [&](int f, int r, int weight) {  // 0 empty, 1 capture, -1 blocked
    const int t = 8 * r + f;
    if (own[t]) return -1;
    c.total += weight;
    if (other[t]) {
      c.captures += weight;
      return 1;
    }
    return 0;
  };
  for (int s = 0; s < 64; ++s) {
    const int p = own[s], f = s % 8, r = s / 8;
    if (!p) continue;
    if (p == 6) {
      if (king_seen) continue;  // only one king moves
      king_seen = true;
    }
    if (p == 1) {
      const int dir = white ? 1 : -1, last = white ? 6 : 1, start = white ? 1 : 6;
      if (r == 0 || r == 7) continue;
      const int weight = r == last ? 4 : 1;
      const int step = 8 * (r + dir) + f;
      if (!own[step] && !other[step]) {
        c.total += weight;
        if (weight == 4) c.captures += 4;
        const int two = step + 8 * dir;
        if (r == start && !own[two] && !other[two]) ++c.total;
      }
      for (int df : {-1, 1})
        if (f + df >= 0 && f + df < 8 && other[8 * (r + dir) + f + df]) {
          c.total += weight;
          c.captures += weight;
        }
      continue;
    }
    std::vector<std::pair<int, int>> dirs;
    const bool slides = p >= 3 && p <= 5;
    if (p == 2) dirs = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    if (p == 4 || p == 5 || p == 6) dirs.insert(dirs.end(), {{0, 1}, {0, -1}, {1, 0}, {-1, 0}});
    if (p == 3 || p == 5 || p == 6) dirs.insert(dirs.end(), {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}});
    for (auto [df, dr] : dirs)
      for (int x = f + df, y = r + dr; x >= 0 && x < 8 && y >= 0 && y < 8; x += df, y += dr) {
        if (target(x, y, 1) != 0 || !slides) break;
      }
  }
  return c;
}

// The same board seen from the other side: ranks reversed, colours exchanged.
std::string mirrored(const std::string& placement) {
  std::vector<std::string> rows;
  std::stringstream in(placement);
  for (std::string row; std::getline(in, row, '/');) rows.push_back(row);
  std::reverse(rows.begin(), rows.end());
  std::string out;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i) out += '/';
    for (char ch : rows[i])
      out += std::isupper(static_cast<unsigned char>(ch)) ? static_cast<char>(std::tolower(ch))
                                                          : static_cast<char>(std::toupper(ch));
  }
  return out;
}

// A list with guards around it: nothing may be written past its end.
struct GuardedList {
  std::uint32_t before[16];
  MoveList list;
  std::uint32_t after[16];
};

struct Generated {
  int captures, total;
  bool guards_intact, tail_untouched, captures_first;
};

Generated generate_guarded(bool white) {
  GuardedList g;
  std::fill(std::begin(g.before), std::end(g.before), 0xDEADBEEFu);
  std::fill(std::begin(g.after), std::end(g.after), 0xDEADBEEFu);
  g.list = rubbish_list();
  if (white) {
    generate_captures_white(g.list);
    generate_quiet_white(g.list);
  } else {
    generate_captures_black(g.list);
    generate_quiet_black(g.list);
  }
  Generated r{g.list.capture_count, g.list.move_count, true, true, true};
  for (int i = 0; i < 16; ++i)
    if (g.before[i] != 0xDEADBEEFu || g.after[i] != 0xDEADBEEFu) r.guards_intact = false;
  for (int i = g.list.move_count; i < 256; ++i)
    if (g.list.move[i] != 0xA5A5A5A5u || g.list.score[i] != SCORE_SENTINEL) r.tail_untouched = false;
  for (int i = 0; i < g.list.move_count; ++i) {
    const unsigned kind = kind_move(g.list.move[i]);
    const bool tactical = kind == 2 || kind == 5 || is_promotion_kind(kind);
    if (tactical != (i < g.list.capture_count)) r.captures_first = false;
  }
  return r;
}

// Ten White queens with rooks, bishops, knights and four pawns about to promote.
const std::string ten_queens = "n1n1n1k1/1P1P1P1P/2QBNQNB/Q6R/4Q1Q1/1Q1Q4/5QK1/Q1Q4R";
// Twenty-two queens: more moves than a list can count.
const std::string twenty_two_queens = "QnQQQKQn/Q6Q/Q4Q1n/Q6Q/Q4Q1n/Q6Q/Q5Q1/nQQQQkQn";

TEST(CrowdedBoard, TenQueensAgreeWithThePlainCount) {
  for (bool white : {true, false}) {
    const std::string placement = white ? ten_queens : mirrored(ten_queens);
    set_position(placement + (white ? " w" : " b") + " - - 0 1");
    const Counts expected = plain_count(white);
    ASSERT_GT(expected.total, 200);
    ASSERT_LE(expected.total, 255);
    const Generated got = generate_guarded(white);
    EXPECT_EQ(got.captures, expected.captures) << placement;
    EXPECT_EQ(got.total, expected.total) << placement;
    EXPECT_TRUE(got.guards_intact);
    EXPECT_TRUE(got.tail_untouched);
    EXPECT_TRUE(got.captures_first);
  }
}

TEST(CrowdedBoard, MoreMovesThanTheListCountsAreCutAt255) {
  for (bool white : {true, false}) {
    const std::string placement = white ? twenty_two_queens : mirrored(twenty_two_queens);
    set_position(placement + (white ? " w" : " b") + " - - 0 1");
    const Counts expected = plain_count(white);
    ASSERT_GT(expected.total, 255) << "the board must overflow a list";
    const Generated got = generate_guarded(white);
    EXPECT_EQ(got.captures, expected.captures);
    EXPECT_EQ(got.total, 255);
    EXPECT_TRUE(got.guards_intact);
    EXPECT_TRUE(got.tail_untouched);
    EXPECT_TRUE(got.captures_first);
  }
}

}  // namespace
