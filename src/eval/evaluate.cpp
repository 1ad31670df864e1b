#include "eval/evaluate.h"

#include <array>
#include <bit>
#include <cstddef>

#include "board/board.h"
#include "eval/eval_tables.h"
#include "eval/placement.h"
#include "movegen/bits.h"
#include "movegen/sliders.h"
#include "movegen/tables.h"

namespace {

// Each side's terms are computed from its own point of view and the Black sum
// is subtracted. The squares its rules name are given per colour as they stand
// on the board; the shelter squares in particular are square numbers, not
// files, so a king on the a- or h-file looks across the board edge.
template <Colour C>
struct Side {
  static constexpr bool white = C == WHITE;
  static constexpr int base = white ? 0 : 56;     // Black's squares are White's with the ranks turned
  static constexpr int forward = white ? 8 : -8;  // one rank towards the enemy
  // A king on a1 or h1 (a8, h8) has no shelter square beyond the board's edge.
  static constexpr int shelter_skip_left = base, shelter_skip_right = base + 7;
  static constexpr int castled_short_rooks[2] = {base + 6, base + 7}, castled_short_kings[2] = {base + 5, base + 6};
  static constexpr int castled_long_rooks[2] = {base, base + 1}, castled_long_kings[3] = {base + 1, base + 2, base + 3};
  static constexpr int king_side_homes[2] = {base + 6, base + 7}, queen_side_homes[3] = {base, base + 1, base + 2};
  static constexpr const PieceSquareTable& king_middle = white ? king_middle_white : king_middle_black;
  static constexpr const PieceSquareTable& king_endgame = white ? king_end_white : king_end_black;
  static constexpr const PieceSquareTable& pawn_centre = white ? pawn_centre_white : pawn_centre_black;
  static constexpr const PieceSquareTable& pawn_king_side = white ? pawn_king_side_white : pawn_king_side_black;
  static constexpr const PieceSquareTable& pawn_queen_side = white ? pawn_queen_side_white : pawn_queen_side_black;
  static constexpr const PieceSquareTable& pawn_end = white ? pawn_end_white : pawn_end_black;
  static constexpr const PassedPawnTable& passed_pawn = white ? passed_pawn_white : passed_pawn_black;
};

constexpr std::int32_t ROOK_BEHIND_KING = 50;
constexpr std::int32_t SHELTER_HOLE = 20;
constexpr std::int32_t FILE_CLEAR = 10;
constexpr std::int32_t DOUBLED_PAWNS = 10;

constexpr bool in_endgame(std::uint16_t opponent_material) { return opponent_material <= ENDGAME_MATERIAL; }

template <std::size_t N>
constexpr bool is_one_of(int square, const int (&squares)[N]) {
  for (int s : squares)
    if (s == square) return true;
  return false;
}

// The middle-game king term as seen from one square: the placement value less
// the shelter holes the square would have with no pawn at home, the squares
// whose own pawns fill those holes, and the rook corners a king there shuts in.
// Squares off the board have no pawn to fill them, so they stay holes.
struct KingSquareTerms {
  std::int32_t base;
  std::uint64_t shelter;
  std::uint64_t shut_in_rooks;
};
template <Colour C>
inline constexpr std::array<KingSquareTerms, 64> king_squares = [] {
  using S = Side<C>;
  std::array<KingSquareTerms, 64> t{};
  for (int k = 0; k < 64; ++k) {
    int squares = 0;
    for (int step : {S::forward - 1, S::forward, S::forward + 1}) {
      if ((step == S::forward - 1 && k == S::shelter_skip_left) ||
          (step == S::forward + 1 && k == S::shelter_skip_right))
        continue;
      ++squares;
      if (k + step >= 0 && k + step < 64) t[k].shelter |= std::uint64_t{1} << (k + step);
    }
    t[k].base = S::king_middle[k] - SHELTER_HOLE * squares;
    // A king that stepped beside its unmoved rook has shut it in.
    if (is_one_of(k, S::castled_short_kings))
      for (int r : S::castled_short_rooks) t[k].shut_in_rooks |= std::uint64_t{1} << r;
    if (is_one_of(k, S::castled_long_kings))
      for (int r : S::castled_long_rooks) t[k].shut_in_rooks |= std::uint64_t{1} << r;
  }
  return t;
}();

// King term of side C with its king on `k`, from C's point of view.
template <Colour C>
[[gnu::always_inline]] inline std::int32_t king_term(int k, std::uint16_t opponent_material) {
  if (in_endgame(opponent_material)) return Side<C>::king_endgame[k];
  const std::uint64_t* own = piece_sets<C>(thread.bitboard);
  const KingSquareTerms& t = king_squares<C>[k];
  std::int32_t score = t.base + SHELTER_HOLE * std::popcount(own[PAWN] & t.shelter);
  if (own[ROOK] & t.shut_in_rooks) score -= ROOK_BEHIND_KING;
  return score;
}

constexpr std::uint64_t FILE_A = 0x0101010101010101ULL, FILE_H = FILE_A << 7;

// Every square with a pawn of `pawns` somewhere in front of it on its file, the
// front as side C sees it: the squares behind those pawns.
template <Colour C>
constexpr std::uint64_t behind(std::uint64_t pawns) {
  if constexpr (C == WHITE) {
    const std::uint64_t two = pawns >> 8 | pawns >> 16, four = two | two >> 16;
    return four | four >> 32;
  } else {
    const std::uint64_t two = pawns << 8 | pawns << 16, four = two | two << 16;
    return four | four << 32;
  }
}

// Files holding more than one pawn of `pawns`.
inline int files_with_several(std::uint64_t pawns) {
  std::uint64_t x = pawns & behind<WHITE>(pawns);  // a pawn with another one ahead on its file
  x |= x >> 8;
  x |= x >> 16;
  x |= x >> 32;
  return std::popcount(x & 0xFF);
}

// Pawn terms of side C from its point of view. Whether a file ahead of a pawn is
// clear of enemy pawns is read for all its pawns at once: which pawns have a
// clear file is beyond the processor's guessing, pawn by pawn.
template <Colour C>
std::int32_t pawn_term(int own_king, std::uint16_t opponent_material) {
  using S = Side<C>;
  const PieceSquareTable& placement = in_endgame(opponent_material)              ? S::pawn_end
                                      : is_one_of(own_king, S::king_side_homes)  ? S::pawn_king_side
                                      : is_one_of(own_king, S::queen_side_homes) ? S::pawn_queen_side
                                                                                 : S::pawn_centre;
  const std::uint64_t own = piece_sets<C>(thread.bitboard)[PAWN];
  const std::uint64_t blocked = behind<C>(piece_sets<~C>(thread.bitboard)[PAWN]);
  const std::uint64_t clear = own & ~blocked;
  const std::uint64_t clear_right = clear & ~FILE_H & ~(blocked >> 1);
  const std::uint64_t clear_left = clear & ~FILE_A & ~(blocked << 1);
  std::int32_t score = FILE_CLEAR * (std::popcount(clear) + std::popcount(clear_right) + std::popcount(clear_left));
  // Passed: clear on both sides, the board edge standing in for a missing file.
  const std::uint64_t passed = (clear_right | (clear & FILE_H)) & (clear_left | (clear & FILE_A));
  for (std::uint64_t p = passed; p; p = clear_lowest(p)) score += S::passed_pawn[bit_scan_forward(p)];
  for (std::uint64_t p = own; p; p = clear_lowest(p)) score += placement[bit_scan_forward(p)];
  return score;
}

// A rook's reach along its file: the squares up and down it to the first piece
// each way, that piece included. It is read from a table of the a-file by the
// rook's rank and the occupancy of the file's six inner squares (the end
// squares stop nothing), gathered into six bits by a multiplication; at 4 KB
// the table stays in the nearest cache, where the slider table it replaces
// here, at 800 KB, does not.
constexpr std::uint64_t FILE_A_INNER = 0x0001010101010100ULL;
constexpr std::uint64_t FILE_GATHER = 0x0004081020408000ULL;  // a2..a7 to the top six bits, in rank order
inline constexpr auto file_reach = [] {
  std::array<std::array<std::uint64_t, 64>, 8> t{};
  for (int rank = 0; rank < 8; ++rank)
    for (int inner = 0; inner < 64; ++inner) {
      const auto blocked = [&](int r) { return r >= 1 && r <= 6 && (inner >> (r - 1) & 1); };
      std::uint64_t reach = 0;
      for (int r = rank + 1; r < 8; ++r) {
        reach |= std::uint64_t{1} << (8 * r);
        if (blocked(r)) break;
      }
      for (int r = rank - 1; r >= 0; --r) {
        reach |= std::uint64_t{1} << (8 * r);
        if (blocked(r)) break;
      }
      t[rank][inner] = reach;
    }
  return t;
}();

inline std::uint8_t file_mobility(std::uint64_t occupied, std::uint64_t own, int square) {
  const int file = square & 7;
  const auto inner = static_cast<unsigned>(((occupied >> file) & FILE_A_INNER) * FILE_GATHER >> 58);
  const std::uint64_t reach = file_reach[square >> 3][inner] << file;
  return static_cast<std::uint8_t>(std::popcount(reach & ~own));
}

// Rook terms of side C from its point of view. The bishops and knights add
// their placement sum (eval/placement.h).
template <Colour C>
[[gnu::always_inline]] inline std::int32_t rook_term() {
  const std::uint64_t own_all = occupancy<C>(thread.bitboard);
  std::int32_t score = 0;
  for (std::uint64_t b = piece_sets<C>(thread.bitboard)[ROOK]; b; b = clear_lowest(b))
    score += file_mobility(thread.bitboard.all_piece, own_all, bit_scan_forward(b));
  return score;
}

// The pawn terms depend on nothing but the pawns, the group each king stands in
// (the king-side homes, the queen-side homes, anywhere else) and the two endgame
// flags. A small table of the thread's (`pawn_cache`) keyed by all of these
// spares most of the work.

template <Colour C>
inline constexpr std::array<std::uint8_t, 64> king_groups = [] {
  std::array<std::uint8_t, 64> t{};
  for (int k = 0; k < 64; ++k)
    t[k] = is_one_of(k, Side<C>::king_side_homes) ? 1 : is_one_of(k, Side<C>::queen_side_homes) ? 2 : 3;
  return t;
}();

inline std::uint32_t pawn_situation(const KingSquares& kings, std::uint16_t white_material,
                                    std::uint16_t black_material) {
  return std::uint32_t{king_groups<WHITE>[kings.white]} | std::uint32_t{king_groups<BLACK>[kings.black]} << 2 |
         std::uint32_t{in_endgame(black_material)} << 4 | std::uint32_t{in_endgame(white_material)} << 5;
}

// Whether the entry answers for these pawns and situation: one test, not three
// the processor would each have to foresee.
inline bool holds(const PawnCacheEntry& e, std::uint64_t white_pawns, std::uint64_t black_pawns,
                  std::uint32_t situation) {
  return ((e.white_pawns ^ white_pawns) | (e.black_pawns ^ black_pawns) | (e.situation ^ situation)) == 0;
}

// The top bits of the products mix every input bit.
inline std::size_t pawn_cache_index(std::uint64_t white_pawns, std::uint64_t black_pawns, std::uint32_t situation) {
  const std::uint64_t h =
      white_pawns * 0x9E3779B97F4A7C15ULL ^ black_pawns * 0xC2B2AE3D27D4EB4FULL ^ situation * 0x165667B19E3779F9ULL;
  return static_cast<std::size_t>(h >> (64 - PAWN_CACHE_BITS));
}

// The terms `evaluate` adds up, each built into it: the search calls it at
// nearly every node, so none of them is worth a call of its own.
[[gnu::always_inline]] inline std::int32_t kings_term(KingSquares& kings) {
  const BoardState& b = thread.bitboard;
  std::int32_t score = 0;
  kings = KingSquares{};
  if (b.white_piece[KING]) {
    kings.white = bit_scan_forward(b.white_piece[KING]);
    score += king_term<WHITE>(kings.white, b.value_black_material);
  }
  if (b.black_piece[KING]) {
    kings.black = bit_scan_forward(b.black_piece[KING]);
    score -= king_term<BLACK>(kings.black, b.value_white_material);
  }
  return score;
}

// The pawn terms counted into the cache's slot `e`, which becomes the last answer.
[[gnu::noinline]] std::int32_t fill_pawn_slot(PawnCacheEntry& e, const KingSquares& kings, std::uint16_t white_material,
                                              std::uint16_t black_material, std::uint32_t situation) {
  e = {thread.bitboard.white_piece[PAWN], thread.bitboard.black_piece[PAWN], situation,
       evaluate_pawns_from_scratch(kings, white_material, black_material)};
  thread.pawn_last = e;
  return e.score;
}

// The answer of the cache's slot for the pawns on the board. Kept out of
// `evaluate`, whose other terms then need fewer registers saved at every call,
// and the count out of this one, which needs none saved when its slot holds.
[[gnu::noinline]] std::int32_t pawns_term_from_cache(const KingSquares& kings, std::uint16_t white_material,
                                                     std::uint16_t black_material, std::uint32_t situation) {
  const std::uint64_t white_pawns = thread.bitboard.white_piece[PAWN], black_pawns = thread.bitboard.black_piece[PAWN];
  PawnCacheEntry& e = thread.pawn_cache[pawn_cache_index(white_pawns, black_pawns, situation)];
  if (!holds(e, white_pawns, black_pawns, situation))
    return fill_pawn_slot(e, kings, white_material, black_material, situation);
  thread.pawn_last = e;
  return e.score;
}

[[gnu::always_inline]] inline std::int32_t pawns_term(const KingSquares& kings, std::uint16_t white_material,
                                                      std::uint16_t black_material) {
  const std::uint64_t white_pawns = thread.bitboard.white_piece[PAWN], black_pawns = thread.bitboard.black_piece[PAWN];
  const std::uint32_t situation = pawn_situation(kings, white_material, black_material);
  // Neighbouring nodes mostly share their pawns: many calls ask again for the
  // answer just given.
  const PawnCacheEntry& last = thread.pawn_last;
  if (holds(last, white_pawns, black_pawns, situation)) return last.score;
  return pawns_term_from_cache(kings, white_material, black_material, situation);
}

}  // namespace

std::int32_t evaluate_pawns_from_scratch(const KingSquares& kings, std::uint16_t white_material,
                                         std::uint16_t black_material) {
  std::int32_t score = pawn_term<WHITE>(kings.white, black_material);
  score -= pawn_term<BLACK>(kings.black, white_material);
  // However many pawns share a file, the file is weakened once.
  score -= DOUBLED_PAWNS * files_with_several(thread.bitboard.white_piece[PAWN]);
  score += DOUBLED_PAWNS * files_with_several(thread.bitboard.black_piece[PAWN]);
  return score;
}

std::int32_t evaluate_kings(KingSquares& kings) { return kings_term(kings); }

std::int32_t evaluate_pawns(const KingSquares& kings, std::uint16_t white_material, std::uint16_t black_material) {
  return pawns_term(kings, white_material, black_material);
}

std::int32_t evaluate_pieces() { return rook_term<WHITE>() - rook_term<BLACK>() + count_minor_placement(); }

std::int32_t evaluate(std::int32_t minor_placement) {
  KingSquares kings;
  std::int32_t score = kings_term(kings);
  score += pawns_term(kings, thread.bitboard.value_white_material, thread.bitboard.value_black_material);
  score += rook_term<WHITE>() - rook_term<BLACK>() + minor_placement;
  return score;
}

std::int32_t evaluate() { return evaluate(count_minor_placement()); }

std::uint8_t rook_file_mobility(std::uint64_t occupied, std::uint64_t own, int square) {
  return file_mobility(occupied, own, square);
}
