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

// How a level plays.
struct Skill {
  bool full;           // the full engine: no cap, one line, no choice
  std::uint8_t depth;  // the most iterations; 0 leaves it to the limits
  std::uint16_t pull;  // the most, in centipawns, that the random part of the choice draws on
};
// Lines a weakened search keeps at least, so that there is something to choose from.
inline constexpr std::uint8_t SKILL_LINES = 4;

Skill skill_for_level(int level);  // `Skill Level`
Skill skill_for_elo(int elo);      // `UCI_Elo`, clamped to the scale

// Of `count` lines, best first for the side to move (scores as White sees
// them), the index of the one a level plays.
int pick_skill_line(const PvLine* lines, int count, bool white_to_move, const Skill& skill);

// The choice is random from game to game; tests fix it here.
void seed_skill_choice(std::uint64_t seed);
