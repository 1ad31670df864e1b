// Helpers for the board tests: square names, finding a generated move, playing
// it for the side to move, and catching what a routine writes on fd 1.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "board/board.h"
#include "board/move.h"

constexpr int sq(const char* name) { return (name[1] - '1') * 8 + (name[0] - 'a'); }

// Sets both material sums to the true sums of the pieces on the board.
void set_true_material();

// Every pseudo-legal move of the side to move, captures first.
MoveList all_moves();

// Index of the move with these squares and kind, -1 if there is none.
int find_move(const MoveList& list, int from, int to, unsigned kind);

// Makes or takes back move `index` of `list` for the colour `white`.
void make(bool white, int ply, int index, const MoveList& list);
void unmake(bool white, int ply, int index, const MoveList& list);

// Generates for the side to move, finds the move and makes it at `ply`; the list
// is kept in `list` for the unmake. Fails the test when the move is missing.
int play(MoveList& list, int ply, const char* from, const char* to, unsigned kind);

// Everything `action` writes on file descriptor 1.
std::string capture_fd1(const std::function<void()>& action);

// Invariants between the two views of the board and the occupancy sets.
::testing::AssertionResult board_consistent();
