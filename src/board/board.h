// The board each search thread holds, in its record (board/thread.h).
#pragma once

#include "board/thread.h"

void clear_board();
