// Helpers shared by the evaluation tests.
#pragma once

#include <cstdint>
#include <string>

// Sets up `fen` and recounts both material fields, as a search would before
// its first evaluation.
void set_counted_position(const std::string& fen);

// evaluate() of `fen`, material recounted.
std::int32_t evaluate_fen(const std::string& fen);

// evaluate() plus the material balance: the score the searches use.
std::int32_t static_score_fen(const std::string& fen);

// The same position seen from the other side: ranks turned over, colours and
// side to move swapped, castling rights and the en-passant square following.
std::string flipped_fen(const std::string& fen);
