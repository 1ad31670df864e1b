// The search driver: iterations of growing depth until a limit, then `bestmove`.
#pragma once

#include <cstdint>

#include "io/per_thread.h"
#include "search/search_state.h"

// Set by `go` when only `stop` can end the search: then the end of standard input
// counts as `stop`, since no `stop` can follow it.
extern PER_THREAD constinit bool stop_at_input_end;

// The iterations stop after this depth, whatever the limits; the per-ply arrays
// leave room for the check extensions below it.
inline constexpr std::uint8_t MAX_ITERATION_DEPTH = 50;
// An iteration may run over the budget by this factor before the poll stops it:
// the budget is only an estimate of what the next iteration will cost.
inline constexpr double HARD_LIMIT_FACTOR = 20.0;
// Iterations that stay on whatever the budget says: the first few are too
// shallow to be trusted with the move.
inline constexpr std::uint8_t BUDGET_FROM_DEPTH = 4;

// `deadline_ms`, a clock reading, ends the search wherever it is (see search_state.h).
void iterative_deepening(std::uint8_t depth_limit, double time_budget, std::int64_t deadline_ms = NO_DEADLINE);

extern PER_THREAD constinit std::uint64_t nodes_iteration;
// Sum of every iteration's node count since start-up: the bench's signature.
extern PER_THREAD constinit std::uint64_t nodes_all_iterations;

// `searchmoves`: the root list keeps only the moves asked for, in their order.
void keep_searched_root_moves(MoveList& list);

void Test_Deepening(std::int32_t eval_start, std::uint64_t key_start);
