// The `position` command: the FEN reader, the moves list and the game's key history.
#pragma once

#include <cstdint>
#include <string_view>

#include "search/aids.h"

inline constexpr std::string_view start_position_text =
    "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 ";

// `text` starts with "position fen" and the FEN follows one character later.
void read_fen(std::string_view text);
// Refuses a position the rules could not have reached (a warning, and `go` then
// names no move) and drops castling and en-passant rights it contradicts.
void position_command(std::string_view line);
// Sets the position up as written, unjudged: for the tools, which also examine
// boards the engine would refuse. Castling letters other than KQkq count, and
// KQkq name the outermost rooks rather than the corners, only with
// `castling_by_file`, which reads them as `position` does with Chess960 on.
void set_up_position(std::string_view line, bool castling_by_file = false);
// Set when the last `position` was refused (with a warning): `go` then names no move.
extern bool position_refused;

// One move in long algebraic notation: four square characters and a promotion
// character, 0 when there is none.
struct MoveText {
  char from_file, from_rank, to_file, to_rank, promotion;
};
void apply_move_text(const MoveText& move_text);
