// Play below full strength, for people: the levels of `Skill Level` (0 to 20,
// 20 the full engine) and of `UCI_Elo`, and the choice among the best root
// moves that makes a level weaker. A weakened search keeps several lines, stops
// early, and then picks a line with a random pull towards the weaker ones.
#pragma once

#include <cstdint>

#include "board/move.h"

inline constexpr int FULL_STRENGTH = 20;
inline constexpr int SKILL_ELO_MIN = 1350;
// Full strength on the scale of Stockfish 15.1's own UCI_Elo (see skill.cpp).
int skill_elo_max();

// What a level searches: at most so many iterations, and at least so many lines.
struct SkillSearch {
  std::uint8_t depth;
  std::uint8_t lines;
};
SkillSearch skill_search(int level);

// The level `UCI_Elo` stands for, clamped to the scale.
int level_for_elo(int elo);

// Of `count` lines, best first for the side to move (scores as White sees
// them), the index of the one a level plays.
int pick_skill_line(const PvLine* lines, int count, bool white_to_move, int level);

// The choice is random from game to game; tests fix it here.
void seed_skill_choice(std::uint64_t seed);
