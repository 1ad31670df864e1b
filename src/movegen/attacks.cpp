#include "movegen/attacks.h"

#include <array>

#include "movegen/rays.h"
#include "movegen/sliders.h"

namespace {

// Every piece of Them that attacks s, in a few lookups.
template <Colour Them>
inline std::uint64_t attackers(int s) {
  const BoardState& b = thread.bitboard;
  const std::uint64_t* theirs = piece_sets<Them>(b);
  const SquareTable& pawn_squares = Them == WHITE ? attacked_from_below : attacked_from_above;
  return (rook_attacks(s, b.all_piece) & (theirs[ROOK] | theirs[QUEEN])) |
         (bishop_attacks(s, b.all_piece) & (theirs[BISHOP] | theirs[QUEEN])) | (knight_attacks[s] & theirs[KNIGHT]) |
         (king_attacks[s] & theirs[KING]) | (pawn_squares[s] & theirs[PAWN]);
}

// The attacking colour is Them; a slider hits when the nearest piece on the ray is
// one of Them's pieces of the given type or a queen.
template <Colour Them, const SquareTable& Ray, bool Upward>
inline std::uint8_t slider_hit(int s, std::uint8_t slider) {
  const BoardState& b = thread.bitboard;
  const int t = nearest_on_ray<Ray, Upward>(s, b.all_piece);
  if (t < 0 || !(occupancy<Them>(b) & square_bit[t])) return 0;
  const std::uint8_t p = piece_names<Them>(b)[t];
  return (p == slider || p == QUEEN) ? p : 0;
}

template <Colour Them>
inline std::uint8_t leaper_hit(int s) {
  const std::uint64_t* theirs = piece_sets<Them>(thread.bitboard);
  if (knight_attacks[s] & theirs[KNIGHT]) return KNIGHT;
  if (king_attacks[s] & theirs[KING]) return KING;
  return 0;
}

}  // namespace

template <Colour Us>
std::uint8_t king_attacked() {
  constexpr Colour Them = ~Us;
  const BoardState& b = thread.bitboard;
  const std::uint64_t king = piece_sets<Us>(b)[KING];
  if (!king) return 0;  // a side without a king (malformed FEN) is never in check
  const int k = bit_scan_forward(king);
  // By far the most common answer. Otherwise the detailed test below names the
  // attacker, by its own rules.
  if (!attackers<Them>(k)) return 0;
  const int f = k % 8;
  std::uint8_t a;
  if ((a = slider_hit<Them, ray_north, true>(k, ROOK))) return a;
  if ((a = slider_hit<Them, ray_west, false>(k, ROOK))) return a;
  if ((a = slider_hit<Them, ray_south, false>(k, ROOK))) return a;
  if ((a = slider_hit<Them, ray_east, true>(k, ROOK))) return a;
  if ((a = slider_hit<Them, ray_north_east, true>(k, BISHOP))) return a;
  if ((a = slider_hit<Them, ray_north_west, true>(k, BISHOP))) return a;
  if ((a = slider_hit<Them, ray_south_west, false>(k, BISHOP))) return a;
  if ((a = slider_hit<Them, ray_south_east, false>(k, BISHOP))) return a;
  if ((a = leaper_hit<Them>(k))) return a;
  const std::uint8_t* their_names = piece_names<Them>(b);
  if constexpr (Us == WHITE) {
    if (k <= 55) {
      if (f != 0 && their_names[k + 7] == PAWN) return PAWN;
      if (f != 7 && their_names[k + 9] == PAWN) return PAWN;
    }
  } else {
    if (k >= 14) {
      if (f != 7 && their_names[k - 7] == PAWN) return PAWN;
      if (f != 0 && their_names[k - 9] == PAWN) return PAWN;
    }
  }
  return 0;
}

template std::uint8_t king_attacked<WHITE>();
template std::uint8_t king_attacked<BLACK>();

namespace {

// The squares strictly between two squares on one line, none when they share no line.
constexpr std::array<std::array<std::uint64_t, 64>, 64> between = [] {
  std::array<std::array<std::uint64_t, 64>, 64> t{};
  for (const SquareTable* ray : {&ray_north, &ray_south, &ray_east, &ray_west, &ray_north_east, &ray_north_west,
                                 &ray_south_east, &ray_south_west})
    for (int a = 0; a < 64; ++a)
      for (int b = 0; b < 64; ++b)
        if ((*ray)[a] & square_bit[b]) t[a][b] = (*ray)[a] & ~(*ray)[b] & ~square_bit[b];
  return t;
}();

}  // namespace

// Each enemy slider on one of the king's lines, of the line's kind, pins the
// piece between them when that piece is alone there and ours. Asked slider by
// slider, not direction by direction: few sliders stand on the lines.
template <Colour Us>
std::uint64_t pinned_pieces() {
  const BoardState& b = thread.bitboard;
  const std::uint64_t king = piece_sets<Us>(b)[KING];
  if (!king) return 0;
  const int k = bit_scan_forward(king);
  const std::uint64_t* theirs = piece_sets<~Us>(b);
  std::uint64_t pinned = 0;
  for (std::uint64_t snipers =
           ((theirs[ROOK] | theirs[QUEEN]) & rook_lines[k]) | ((theirs[BISHOP] | theirs[QUEEN]) & bishop_lines[k]);
       snipers; snipers = clear_lowest(snipers)) {
    const std::uint64_t shield = between[k][bit_scan_forward(snipers)] & b.all_piece;
    if (!clear_lowest(shield)) pinned |= shield;
  }
  return pinned & occupancy<Us>(b);
}

template std::uint64_t pinned_pieces<WHITE>();
template std::uint64_t pinned_pieces<BLACK>();

template <Colour Them>
bool attacks_any(std::uint64_t squares, std::uint64_t occupied) {
  const std::uint64_t* theirs = piece_sets<Them>(thread.bitboard);
  const SquareTable& pawn_squares = Them == WHITE ? attacked_from_below : attacked_from_above;
  for (; squares; squares = clear_lowest(squares)) {
    const int s = bit_scan_forward(squares);
    if ((rook_attacks(s, occupied) & (theirs[ROOK] | theirs[QUEEN])) ||
        (bishop_attacks(s, occupied) & (theirs[BISHOP] | theirs[QUEEN])) || (knight_attacks[s] & theirs[KNIGHT]) ||
        (king_attacks[s] & theirs[KING]) || (pawn_squares[s] & theirs[PAWN]))
      return true;
  }
  return false;
}

template bool attacks_any<WHITE>(std::uint64_t, std::uint64_t);
template bool attacks_any<BLACK>(std::uint64_t, std::uint64_t);

template <Colour Us>
std::uint64_t check_answers() {
  const std::uint64_t king = piece_sets<Us>(thread.bitboard)[KING];
  if (!king) return ~std::uint64_t{0};
  const int k = bit_scan_forward(king);
  const std::uint64_t checkers = attackers<~Us>(k);
  if (!checkers) return ~std::uint64_t{0};
  if (checkers & (checkers - 1)) return 0;
  return checkers | between[k][bit_scan_forward(checkers)];
}

template std::uint64_t check_answers<WHITE>();
template std::uint64_t check_answers<BLACK>();
