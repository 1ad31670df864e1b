// What the tools share: setting a position up as the engine sees it when a search starts.
#pragma once

// Draws the keys as the first `uci` does, sets the bare FEN up as `position fen`
// does, and recounts the material as the search driver does. With `chess960`,
// castling rights are read by the rooks' files and every castling is written
// as the king taking its rook, as with UCI_Chess960 on.
void set_up_fen(const char* fen, bool chess960 = false);

// Takes `flag` off the front of the arguments when it is there.
bool take_flag(int& argc, char**& argv, const char* flag);
