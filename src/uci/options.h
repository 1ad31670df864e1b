// The options an interface may set beyond the table size, their lines in the
// `uci` answer and `setoption`.
#pragma once

#include <cstdint>
#include <string_view>

#include "search/skill.h"

struct EngineOptions {
  // Milliseconds kept back from the clock for the answer to travel.
  std::uint16_t move_overhead_ms;
  bool ponder;           // the interface ponders: `bestmove` names the expected reply
  std::uint8_t multipv;  // lines reported for analysis
  bool chess960;         // every castling written and read as the king taking its rook
  // Playing strength (search/skill.h): `Skill Level`, or with `UCI_LimitStrength`
  // the level `UCI_Elo` stands for.
  std::uint8_t skill_level;
  bool limit_strength;
  std::uint16_t elo;
};

inline constexpr std::uint16_t MOVE_OVERHEAD_DEFAULT = 50, MOVE_OVERHEAD_MAX = 5000;

extern EngineOptions engine_options;

// How the options ask the engine to play: the full engine unless weakened.
Skill playing_skill();

// The option lines of the `uci` answer.
void write_option_lines();
// A `setoption` line. `Hash` keeps a reading of its own: the number after
// "Hash value" wherever the words stand in the line, 0 where there is none.
void set_option(std::string_view line);
std::uint16_t read_hash_option(std::string_view line);
