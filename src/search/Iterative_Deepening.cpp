#include "search/Iterative_Deepening.h"

bool stop_at_input_end = false;

void iterative_deepening(const std::uint8_t&, const double&) {}
