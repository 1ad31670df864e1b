// The search driver: iterations of growing depth until a limit, then `bestmove`.
#pragma once

#include <cstdint>

#include "search/limits.h"
#include "search/search_state.h"

// `deadline_ms`, a clock reading, ends the search wherever it is (see search_state.h).
void iterative_deepening(std::uint8_t depth_limit, double time_budget, std::int64_t deadline_ms = NO_DEADLINE);
