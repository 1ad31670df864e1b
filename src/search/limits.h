// The limits every search keeps, whatever `go` asked.
#pragma once

#include <cstdint>

// The iterations stop after this depth, whatever the limits; the per-ply arrays
// leave room for the check extensions below it.
inline constexpr std::uint8_t MAX_ITERATION_DEPTH = 50;
// An iteration may run over the budget by this factor before the poll stops it:
// the budget is only an estimate of what the next iteration will cost.
inline constexpr double HARD_LIMIT_FACTOR = 20.0;
// Iterations that stay on whatever the budget says: the first few are too
// shallow to be trusted with the move.
inline constexpr std::uint8_t BUDGET_FROM_DEPTH = 4;
