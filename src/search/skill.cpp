#include "search/skill.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace {

// The one table from the outside scale to the levels: each row a level, as its
// iterations and its pull, at the Elo it was measured to play at on the scale of
// Stockfish 15.1's UCI_Elo at 5+0.05 (tools/skill_calibrate.py). An Elo plays
// at the row nearest to it. The last row is the full engine.
struct EloRow {
  int elo;
  std::uint8_t depth;
  std::uint16_t pull;
};
constexpr EloRow ELO_TABLE[] = {
    {1220, 5, 100}, {1390, 8, 100}, {1550, 9, 100}, {1630, 13, 100}, {1690, 16, 100}, {1900, 0, 0},
};

// A pawn: the pull of every `Skill Level`, as in Stockfish.
constexpr int PAWN = 100;

std::uint64_t state =
    static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) | 1;  // never zero

// xorshift64*: small, and good enough to vary a move from game to game.
std::uint32_t next_random() {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return static_cast<std::uint32_t>((state * 0x2545F4914F6CDD1DULL) >> 32);
}

}  // namespace

int skill_elo_max() { return std::end(ELO_TABLE)[-1].elo; }

Skill skill_for_level(int level) {
  if (level >= FULL_STRENGTH) return {true, 0, 0};
  return {false, static_cast<std::uint8_t>(1 + std::max(level, 0)), PAWN};
}

Skill skill_for_elo(int elo) {
  const auto* row = std::begin(ELO_TABLE);
  while (row + 1 != std::end(ELO_TABLE) && elo - row->elo > row[1].elo - elo) ++row;
  if (row + 1 == std::end(ELO_TABLE)) return {true, 0, 0};
  return {false, row->depth, row->pull};
}

// Each line's score, as the side to move sees it, gets a push: one part the
// larger the further the line is behind the best, and the larger the weaker the
// level; one part random, no larger than the spread of the lines nor than the
// level's pull. The line with the highest pushed score is played.
// The push never lifts a line past the best by more than the random part, so a
// line far behind, such as one that misses a mate, is never played.
int pick_skill_line(const PvLine* lines, int count, bool white_to_move, const Skill& skill) {
  if (count <= 1) return 0;
  const auto mover = [&](int i) { return white_to_move ? lines[i].score_move : -lines[i].score_move; };
  const std::int64_t top = mover(0);
  const std::int64_t spread = std::min<std::int64_t>(top - mover(count - 1), skill.pull);
  // Deeper levels forgive less of a line's deficit, as the levels of Stockfish do.
  const int weakness = 120 - 2 * std::min(skill.depth == 0 ? FULL_STRENGTH - 1 : skill.depth - 1, FULL_STRENGTH - 1);
  int chosen = 0;
  std::int64_t best = INT64_MIN;
  for (int i = 0; i < count; ++i) {
    const std::int64_t push = (weakness * (top - mover(i)) + spread * (next_random() % weakness)) / 128;
    if (mover(i) + push >= best) {
      best = mover(i) + push;
      chosen = i;
    }
  }
  return chosen;
}

void seed_skill_choice(std::uint64_t seed) { state = seed | 1; }
