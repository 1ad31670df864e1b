#include "search/shared.h"

std::uint64_t key_history_game[MAX_GAME_KEYS];
std::uint16_t key_history_game_count;
