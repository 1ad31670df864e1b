// The search's reports to the interface: `info currmove`, the root's `info` line
// after each root move, the iteration's `info` line and `bestmove`. Scores arrive
// from White's point of view and are shown from the side to move's.
#pragma once

#include <cstdint>
#include <string>

#include "board/move.h"

// Long algebraic text of a move, with the promotion letter when `with_promotion`;
// a castling as the king taking its rook when the control says Chess960.
std::string move_text(Move m, bool with_promotion = true);

void print_currmove(std::uint8_t number, std::uint8_t index, std::uint8_t depth, const MoveList& root_list);
void print_root_info(std::int32_t score, std::uint8_t depth, const PvLine& line, std::uint8_t white_view,
                     std::uint64_t nodes);
// `multipv`, when not 0, is the line's rank among several.
void print_iteration_info(std::uint64_t nodes, std::uint8_t depth, std::int32_t score, double seconds,
                          std::uint8_t& mate_reported, const PvLine& best_line, std::uint64_t iteration_nodes,
                          std::uint8_t multipv = 0);
// With a `reply` (not 0), " ponder <reply>" follows the move.
void print_bestmove(const PvLine& best_line, bool line_stored = true, Move reply = 0);
