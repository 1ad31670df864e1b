// The one position each search thread holds and its undo records.
#pragma once

#include <cstdint>

#include "board/move.h"
#include "board/state.h"
#include "io/per_thread.h"

extern PER_THREAD constinit BoardState bitboard;
extern PER_THREAD constinit UndoRecord undo_by_ply[MAX_PLY + 1];
// Calls of make move since start-up: the bench's measure of work done.
extern PER_THREAD constinit std::uint64_t moves_made;
// Where quiescence parks the opponent's occupancy while it narrows the capture targets.
extern PER_THREAD constinit std::uint64_t parked_occupancy;

void clear_board();
