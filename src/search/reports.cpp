#include "search/reports.h"

#include <cstdlib>

#include "board/board.h"
#include "board/castling.h"
#include "io/output.h"
#include "search/search.h"
#include "search/search_state.h"

namespace {

// The node fields carry the low 32 bits of the count, read as a signed number.
std::int64_t low_32_signed(std::uint64_t n) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(n)); }

// A mate score is 1,000,000 less 1,000 for each ply to the mate; the interface
// counts the distance in moves of the side that mates.
int mate_in_moves(std::int32_t seen_by_mover) {
  const std::int32_t plies = (MATE_SCORE - std::abs(seen_by_mover)) / 1000;
  const int moves = (plies + 1) / 2;
  return seen_by_mover > 0 ? moves : -moves;
}

void write_score(OutLine& out, std::int32_t seen_by_mover, std::uint8_t* mate_reported) {
  if (seen_by_mover > MATE_REPORT || seen_by_mover < -MATE_REPORT) {
    out << " score mate " << mate_in_moves(seen_by_mover);
    if (mate_reported) *mate_reported = 1;
  } else {
    out << " score cp " << seen_by_mover;
    if (mate_reported) *mate_reported = 0;
  }
}

void write_line(OutLine& out, const PvLine& line) {
  for (int k = 0; k < line.length; ++k) out << move_text(line.moves[k]) << ' ';
}

}  // namespace

std::string move_text(Move m, bool with_promotion) {
  std::string text;
  text += static_cast<char>('a' + from_coord(m) % 8);
  text += static_cast<char>('1' + from_coord(m) / 8);
  const unsigned to = text_to_square(m, search_control.chess960);
  text += static_cast<char>('a' + to % 8);
  text += static_cast<char>('1' + to / 8);
  if (with_promotion && is_promotion_kind(kind_move(m))) text += "nbrq"[kind_move(m) % 10 - 2];
  return text;
}

void print_currmove(std::uint8_t number, std::uint8_t index, std::uint8_t depth, const MoveList& root_list) {
  OutLine() << "info currmove " << move_text(root_list.move[index], false) << " currmovenumber "
            << static_cast<int>(number) << " depth " << static_cast<int>(depth) << '\n';
}

void print_root_info(std::int32_t score, std::uint8_t depth, const PvLine& line, std::uint8_t white_view,
                     std::uint64_t nodes) {
  OutLine out;
  if (score == thread.last_info_score) {
    out << '\n';
    if (depth == thread.last_info_depth) return;
  }
  thread.last_info_score = score;
  thread.last_info_depth = depth;
  out << "info "
      << " depth " << static_cast<int>(depth) << " seldepth " << static_cast<int>(line.length);
  write_score(out, white_view == 1 ? score : -score, nullptr);
  out << " nodes " << low_32_signed(nodes);
  if (std::abs(static_cast<std::int64_t>(line.score_move)) == std::abs(static_cast<std::int64_t>(score))) {
    out << " pv ";
    write_line(out, line);
  } else {
    out << "\nERROR LINE \n value = " << score << "\n PV_best_point.score_move = " << line.score_move
        << "\n**********************\n  \n";
  }
  out << '\n';
}

void print_iteration_info(std::uint64_t nodes, std::uint8_t depth, std::int32_t score, double seconds,
                          std::uint8_t& mate_reported, const PvLine& best_line, std::uint64_t iteration_nodes,
                          std::uint8_t multipv) {
  OutLine out;
  const double nps = static_cast<double>(nodes) / seconds;
  out << "info "
      << " nps " << static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::int64_t>(nps)));
  out << " depth " << static_cast<int>(depth);
  if (multipv != 0) out << " multipv " << static_cast<int>(multipv);
  out << " seldepth " << static_cast<int>(best_line.length);
  write_score(out, thread.bitboard.colour_move != 0 ? score : -score, &mate_reported);
  out << " nodes " << low_32_signed(iteration_nodes) << " pv ";
  write_line(out, best_line);
  out << '\n';
}

// Without a line from this search there is no move to name: the protocol's null move.
void print_bestmove(const PvLine& best_line, bool line_stored, Move reply) {
  if (!line_stored || best_line.length == 0) {
    OutLine() << "bestmove 0000\n";
    return;
  }
  OutLine out;
  out << "bestmove " << move_text(best_line.moves[0]);
  if (reply != 0) out << " ponder " << move_text(reply);
  out << '\n';
}
