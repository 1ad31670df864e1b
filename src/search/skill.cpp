#include "search/skill.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace {

// The one table from the outside scale to the levels: each row the Elo at which
// a level plays, on the scale of Stockfish 15.1's UCI_Elo at 5+0.05. Between
// rows the level follows the nearest row below; the last row is full strength.
// Provisional until matches against Stockfish at those values refit it. The
// full engine scored 97.5 % in 40 games against Stockfish at 2350 (about 2990;
// the interval's low end near 2790): its row stands at 2850, the top of the
// scale Stockfish can play at.
struct EloRow {
  int elo;
  int level;
};
constexpr EloRow ELO_TABLE[] = {
    {1350, 0},
    {1500, 2},
    {1650, 4},
    {1800, 6},
    {1950, 8},
    {2100, 10},
    {2250, 12},
    {2400, 14},
    {2550, 16},
    {2700, 18},
    {2850, FULL_STRENGTH},
};

// Lines a weakened search keeps, so that there is something to choose from.
constexpr std::uint8_t SKILL_LINES = 4;
// A pawn: the most the random pull draws on, however far apart the lines are.
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

SkillSearch skill_search(int level) {
  if (level >= FULL_STRENGTH) return {0, 1};
  return {static_cast<std::uint8_t>(1 + std::max(level, 0)), SKILL_LINES};
}

int level_for_elo(int elo) {
  int level = ELO_TABLE[0].level;
  for (const EloRow& row : ELO_TABLE)
    if (elo >= row.elo) level = row.level;
  return level;
}

// Each line's score, as the side to move sees it, gets a push: one part the
// larger the further the line is behind the best, and the larger the weaker the
// level; one part random, no larger than the spread of the lines (a pawn at
// most). The line with the highest pushed score is played. The push never
// lifts a line past the best by more than the random part, so a line far
// behind, such as one that misses a mate, is never played.
int pick_skill_line(const PvLine* lines, int count, bool white_to_move, int level) {
  if (count <= 1) return 0;
  const auto mover = [&](int i) { return white_to_move ? lines[i].score_move : -lines[i].score_move; };
  const std::int64_t top = mover(0);
  const std::int64_t spread = std::min<std::int64_t>(top - mover(count - 1), PAWN);
  const int weakness = 120 - 2 * std::clamp(level, 0, FULL_STRENGTH);
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
