#include "uci/position.h"

#include <bit>

#include "board/castling.h"
#include "board/make_move.h"
#include "hash/board_key.h"
#include "hash/zobrist.h"
#include "io/output.h"
#include "io/text.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "movegen/legal.h"
#include "uci/options.h"

bool position_refused = false;

namespace {

// The command's leading words; the FEN begins one character after them.
constexpr std::string_view FEN_KEYWORD = "position fen";

// The reader's scan index is 8-bit: only the first 256 characters are in its reach.
constexpr std::size_t FEN_REACH = 256;

struct FenScanner {
  std::string_view text;
  std::size_t i;
  bool at_end() const { return i >= text.size() || i >= FEN_REACH; }
  char peek(std::size_t ahead = 0) const {
    const std::size_t j = i + ahead;
    return j < text.size() && j < FEN_REACH ? text[j] : '\0';
  }
  void skip_spaces() {
    while (!at_end() && text[i] == ' ') ++i;
  }
};

void put_piece(char letter, int square) {
  static constexpr std::string_view letters = "PNBRQK";
  BoardState& b = thread.bitboard;
  const bool white = letter >= 'A' && letter <= 'Z';
  const char upper = white ? letter : static_cast<char>(letter - 'a' + 'A');
  const auto type = static_cast<std::uint8_t>(letters.find(upper) + 1);
  if (white) {
    b.all_white_piece |= square_bit[square];
    b.white_piece[type] |= square_bit[square];
    b.white_name_from_coord[square] = type;
  } else {
    b.all_black_piece |= square_bit[square];
    b.black_piece[type] |= square_bit[square];
    b.black_name_from_coord[square] = type;
  }
}

bool is_piece_letter(char c) { return std::string_view("PNBRQKpnbrqk").find(c) != std::string_view::npos && c != '\0'; }

// Board rows and squares beyond the eight of each are read but not placed.
void read_placement(FenScanner& fen) {
  int row = 0;
  while (!fen.at_end() && fen.peek() != ' ') {
    int file = 0;
    while (!fen.at_end()) {
      const char c = fen.peek();
      if (c == '/' || c == ' ') break;
      if (is_piece_letter(c)) {
        if (row <= 7 && file <= 7) put_piece(c, 8 * (7 - row) + file);
        ++file;
      } else if (c >= '2' && c <= '8') {
        file += c - '0';
      } else {
        ++file;
      }
      ++fen.i;
    }
    if (fen.at_end() || fen.peek() == ' ') break;
    ++fen.i;  // the '/'
    ++row;
  }
}

// Makes the move unless it leaves the mover's own king attacked.
bool make_legal_move(std::uint8_t index, const MoveList& list) {
  return thread.bitboard.colour_move == 1 ? make_if_legal<WHITE>(0, index, list) : make_if_legal<BLACK>(0, index, list);
}

// A position the rules could not have reached is not searched: one king a side, no
// pawn on the first or last rank, and the side that has just moved not left in check.
bool placement_is_playable() {
  const BoardState& b = thread.bitboard;
  constexpr std::uint64_t back_ranks = 0xFF000000000000FFull;
  if (std::popcount(b.white_piece[KING]) != 1 || std::popcount(b.black_piece[KING]) != 1) return false;
  if ((b.white_piece[PAWN] | b.black_piece[PAWN]) & back_ranks) return false;
  return b.colour_move == 1 ? !black_king_attacked() : !white_king_attacked();
}

// The castling field as written: read against the board once the rest is known.
struct CastlingField {
  char letters[16];
  std::uint8_t count;
};
CastlingField castling_field;

constexpr std::uint8_t NO_ROOK = 255;

// The rook square one castling letter names for Us, or NO_ROOK: K and Q the
// outermost rook on that wing, a file letter the rook on that file.
template <Colour Us>
std::uint8_t named_rook(char upper, int king) {
  const int base = king - king % 8;
  const std::uint8_t* names = piece_names<Us>(thread.bitboard);
  if (upper == 'K' || upper == 'Q') {
    const int step = upper == 'K' ? -1 : 1;
    for (int s = upper == 'K' ? base + 7 : base; s != king; s += step)
      if (names[s] == ROOK) return static_cast<std::uint8_t>(s);
    return NO_ROOK;
  }
  const int s = base + (upper - 'A');
  return upper >= 'A' && upper <= 'H' && s != king && names[s] == ROOK ? static_cast<std::uint8_t>(s) : NO_ROOK;
}

// Without Chess960 the king and the rook stand where a standard game starts
// them, or the right is one the board cannot have.
template <Colour Us>
void name_rooks(std::uint8_t (&rook)[2], bool chess960) {
  const std::uint64_t king = piece_sets<Us>(thread.bitboard)[KING] & (Us == WHITE ? 0xFFull : 0xFFull << 56);
  if (std::popcount(king) != 1) return;
  const int k = std::countr_zero(king);
  const int base = k - k % 8;
  if (!chess960 && k != base + 4) return;
  for (int i = 0; i < castling_field.count; ++i) {
    const char c = castling_field.letters[i];
    const bool ours = Us == WHITE ? c >= 'A' && c <= 'Z' : c >= 'a' && c <= 'z';
    if (!ours) continue;
    const std::uint8_t s = named_rook<Us>(Us == WHITE ? c : static_cast<char>(c - 'a' + 'A'), k);
    if (s == NO_ROOK || (!chess960 && s != base && s != base + 7)) continue;
    std::uint8_t& wing = rook[s % 8 > k % 8];
    if (wing == NO_ROOK) wing = s;  // two rights for one wing: the first holds
  }
}

// A right holds when the king stands on its first rank and an own rook on the
// named file of that rank, on the named wing; without `chess960`, only on the
// standard squares.
void read_castling_rights(bool chess960) {
  BoardState& b = thread.bitboard;
  std::uint8_t rook[2][2] = {{NO_ROOK, NO_ROOK}, {NO_ROOK, NO_ROOK}};
  name_rooks<WHITE>(rook[WHITE], chess960);
  name_rooks<BLACK>(rook[BLACK], chess960);
  b.castling_Q = rook[WHITE][0] != NO_ROOK;
  b.castling_K = rook[WHITE][1] != NO_ROOK;
  b.castling_q = rook[BLACK][0] != NO_ROOK;
  b.castling_k = rook[BLACK][1] != NO_ROOK;
  for (int colour = 0; colour < 2; ++colour)
    for (int side = 0; side < 2; ++side)
      if (rook[colour][side] == NO_ROOK) rook[colour][side] = static_cast<std::uint8_t>((colour ? 0 : 56) + 7 * side);
  set_castling_rooks(rook);
}

// Castling rights need the king and the rook named, and an en-passant square
// needs the pawn that has just stepped past it.
void drop_impossible_rights() {
  BoardState& b = thread.bitboard;
  read_castling_rights(engine_options.chess960);
  if (!b.taking_passage_yes) return;
  const int x = b.taking_passage_x, y = b.taking_passage_y;
  const bool white_to_move = b.colour_move == 1;
  const int passed = 8 * y + x, start = white_to_move ? passed + 8 : passed - 8,
            pawn = white_to_move ? passed - 8 : passed + 8;
  const bool possible = x < 8 && y == (white_to_move ? 5 : 2) &&
                        !(b.all_piece & (square_bit[passed] | square_bit[start])) &&
                        (white_to_move ? b.black_name_from_coord : b.white_name_from_coord)[pawn] == PAWN;
  if (!possible) b.taking_passage_yes = b.taking_passage_x = b.taking_passage_y = 0;
}

std::uint8_t file_of(char c) { return c >= 'a' && c <= 'h' ? static_cast<std::uint8_t>(c - 'a') : 255; }
std::uint8_t rank_of(char c) { return c >= '1' && c <= '8' ? static_cast<std::uint8_t>(c - '1') : 255; }

// The piece a move text's promotion letter names: the queen when there is none,
// NO_PIECE for a letter that names no piece (an upper-case one among them).
PieceType named_promotion(char letter) {
  if (letter == 0) return QUEEN;
  const std::size_t at = std::string_view("nbrq").find(letter);
  return at == std::string_view::npos ? NO_PIECE : static_cast<PieceType>(KNIGHT + at);
}

// The piece a promotion makes: its kind's last digit (see the promotion kinds).
PieceType promoted_piece(unsigned kind) {
  return is_promotion_kind(kind) ? static_cast<PieceType>(kind % 10) : NO_PIECE;
}

}  // namespace

// A text that ends early keeps the fields read so far; the rest stay cleared.
void read_fen(std::string_view text) {
  BoardState& b = thread.bitboard;
  clear_board();
  FenScanner fen{text, FEN_KEYWORD.size() + 1};
  read_placement(fen);
  b.all_piece = b.all_white_piece | b.all_black_piece;

  fen.skip_spaces();
  if (fen.at_end()) return;
  if (fen.peek() == 'w') b.colour_move = 1;
  else if (fen.peek() == 'b') b.colour_move = 0;
  fen.i += 2;  // the side letter and exactly one space

  b.castling_Q = b.castling_K = b.castling_q = b.castling_k = 0;
  set_standard_castling();
  castling_field.count = 0;
  while (!fen.at_end() && fen.peek() != ' ') {
    if (castling_field.count < sizeof castling_field.letters)
      castling_field.letters[castling_field.count++] = fen.peek();
    const char c = fen.peek();
    if (c == 'K') b.castling_K = 1;
    else if (c == 'Q') b.castling_Q = 1;
    else if (c == 'k') b.castling_k = 1;
    else if (c == 'q') b.castling_q = 1;
    ++fen.i;
  }

  fen.skip_spaces();
  b.taking_passage_yes = b.taking_passage_x = b.taking_passage_y = 0;
  if (fen.at_end() || fen.peek() == '-') return;
  b.taking_passage_yes = 1;
  b.taking_passage_x = file_of(fen.peek());
  b.taking_passage_y = rank_of(fen.peek(1));
}

void apply_move_text(const MoveText& move_text) {
  if (file_of(move_text.from_file) == 255 || rank_of(move_text.from_rank) == 255 || file_of(move_text.to_file) == 255 ||
      rank_of(move_text.to_rank) == 255) {
    OutLine() << "WARNING ! moves error" << '\n';
    return;
  }
  const auto from = static_cast<std::uint8_t>(8 * rank_of(move_text.from_rank) + file_of(move_text.from_file));
  const auto to = static_cast<std::uint8_t>(8 * rank_of(move_text.to_rank) + file_of(move_text.to_file));

  MoveList list;
  generate_all_moves(list);

  // The letter is read as the piece it names, and 'q' also as no letter at all:
  // after a move that is no promotion, only 'q' or nothing lets it pass.
  const PieceType named = named_promotion(move_text.promotion);
  int index = -1;
  for (int k = 0; k < list.move_count && named != NO_PIECE; ++k) {
    const Move m = list.move[k];
    if (from_coord(m) != from || text_to_square(m, engine_options.chess960) != to) continue;
    if (!is_promotion_kind(kind_move(m))) {
      if (named == QUEEN) index = k;
      break;
    }
    if (promoted_piece(kind_move(m)) == named) {
      index = k;
      break;
    }
  }
  if (index < 0) {
    OutLine() << "WARNING ! moves error" << '\n';
    return;
  }
  if (!make_legal_move(static_cast<std::uint8_t>(index), list)) OutLine() << "WARNING ! moves error" << '\n';
}

namespace {

void apply_moves_list(std::string_view line) {
  constexpr std::string_view keyword = "moves";
  const std::size_t found = line.find(keyword);
  if (found == std::string_view::npos) return;
  const int length = static_cast<int>(line.size());
  // The first move begins one character after the keyword, whatever that character is.
  auto i = static_cast<std::uint16_t>(found + keyword.size() + 1);
  std::uint8_t count = 0;
  while (i < length - 3) {
    MoveText text{line[i], line[i + 1], line[i + 2], line[i + 3], 0};
    if (i + 4 < length && line[i + 4] != ' ') {
      text.promotion = line[i + 4];
      ++i;
    }
    apply_move_text(text);
    ++count;  // wraps after 255: the history restarts at entry 0
    compute_hash_key();
    key_history_game[count] = thread.bitboard.hash_key;
    key_history_game_count = count;
    i = static_cast<std::uint16_t>(i + 5);
  }
}

void start_key_history() {
  for (int i = 0; i < MAX_GAME_KEYS; ++i) key_history_game[i] = static_cast<std::uint64_t>(i);
  compute_hash_key();
  key_history_game[0] = thread.bitboard.hash_key;
  key_history_game_count = 0;
}

std::string_view fen_line(std::string_view line) { return starts_with(line, FEN_KEYWORD) ? line : start_position_text; }

}  // namespace

void set_up_position(std::string_view line, bool castling_by_file) {
  read_fen(fen_line(line));
  if (castling_by_file) read_castling_rights(true);
  start_key_history();
  apply_moves_list(line);
}

void position_command(std::string_view line) {
  read_fen(fen_line(line));
  position_refused = !placement_is_playable();
  if (position_refused) {
    OutLine() << "WARNING ! fen error" << '\n';
    clear_board();
    start_key_history();
    return;
  }
  drop_impossible_rights();
  start_key_history();
  apply_moves_list(line);
}
