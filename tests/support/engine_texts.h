// Lines the engine writes, byte for byte, as the tests expect them.
#pragma once

#include <string>

inline const std::string UCI_ANSWER =
    "id name Nerul\n"
    "id author Dorvesk Milvan\n"
    "option name Hash type spin default 1 min 1 max 1024\n"
    "option name Threads type spin default 1 min 1 max 64\n"
    "option name Ponder type check default false\n"
    "option name MultiPV type spin default 1 min 1 max 64\n"
    "option name Move Overhead type spin default 50 min 0 max 5000\n"
    "option name Clear Hash type button\n"
    "option name UCI_Chess960 type check default false\n"
    "option name Skill Level type spin default 20 min 0 max 20\n"
    "option name UCI_LimitStrength type check default false\n"
    "option name UCI_Elo type spin default 1350 min 1350 max 1900\n"
    "uciok \n";
inline const std::string ILLEGAL_GO = "Nerul: illegal go command. I am terminated.\n";
inline const std::string FEN_ERROR = "WARNING ! fen error\n";
inline const std::string MOVES_ERROR_TEXT = "WARNING ! moves error\n";
