#include "movegen/generate.h"
#include "movegen/rays.h"
#include "movegen/sliders.h"

namespace {

// The victims' names are read through the writer, whose pointer to them is
// formed once a call: a thread's board lies at an offset from the thread
// pointer, and forming its address again for each piece kind costs as much as
// the captures of a quiet position.
struct Writer {
  MoveList& list;
  const std::uint8_t* their_names;
  int count = 0;
  void emit(Move m, int score) {
    if (count >= MAX_LIST_MOVES) return;
    list.move[count] = m;
    list.score[count] = score;
    ++count;
  }
};

// The capture of the piece on t by `piece` from s, scored by victim, then attacker.
template <Colour Us>
inline void capture(Writer& w, int s, unsigned piece, int t) {
  const unsigned c = w.their_names[t];
  w.emit(pack_move(MOVE_CAPTURE, piece, s, t, c), static_cast<int>(10 * c - piece));
}

// A slider captures at most one piece per direction: the first one on the ray.
template <Colour Us, const SquareTable& Ray>
inline void slider_capture(Writer& w, int s, unsigned piece, std::uint64_t targets) {
  const std::uint64_t on_ray = targets & Ray[s];
  if (on_ray) capture<Us>(w, s, piece, bit_scan_forward(on_ray));
}

// The captures among `targets`, the first pieces on the rays of a slider on s,
// taken direction by direction in the order given, which the move order
// depends on. A lone target needs no direction to place it, and spares the
// branches, one a direction, the processor could not foresee. The attack table
// is looked up for every slider, without a first test for targets on its lines:
// that test would be one more such branch.
template <Colour Us, const SquareTable&... Rays>
inline void slider_captures(Writer& w, int s, unsigned piece, std::uint64_t targets) {
  if (!targets) return;
  if (!clear_lowest(targets)) return capture<Us>(w, s, piece, bit_scan_forward(targets));
  (slider_capture<Us, Rays>(w, s, piece, targets), ...);
}

template <Colour Us>
inline void leaper_captures(Writer& w, int s, unsigned piece, std::uint64_t reach) {
  for (std::uint64_t t = reach & occupancy<~Us>(thread.bitboard); t; t = clear_lowest(t))
    capture<Us>(w, s, piece, bit_scan_forward(t));
}

template <Colour Us>
inline void pawn_captures(Writer& w) {
  const BoardState& b = thread.bitboard;
  constexpr int promotion_rank = Us == WHITE ? 6 : 1;
  constexpr int en_passant_rank = Us == WHITE ? 4 : 3;
  constexpr int forward = Us == WHITE ? 8 : -8;
  const SquareTable& attacks = Us == WHITE ? white_pawn_attacks : black_pawn_attacks;
  const std::uint64_t them = occupancy<~Us>(b);
  const std::uint8_t* their_names = w.their_names;

  // Only pawns that may capture, promote or take en passant have anything to add.
  constexpr std::uint64_t file_a = 0x0101010101010101ULL, file_h = file_a << 7, rank_1 = 0xFF;
  std::uint64_t active = rank_1 << (8 * promotion_rank);
  if constexpr (Us == WHITE) active |= (them & ~file_h) >> 7 | (them & ~file_a) >> 9;
  else active |= (them & ~file_h) << 9 | (them & ~file_a) << 7;
  if (b.taking_passage_yes == 1) active |= rank_1 << (8 * en_passant_rank);

  for (std::uint64_t pawns = piece_sets<Us>(b)[PAWN] & active; pawns; pawns = clear_lowest(pawns)) {
    const int s = bit_scan_forward(pawns);
    const int rank = s / 8, file = s % 8;
    if (rank == promotion_rank) {
      const int step = s + forward;
      if (!(b.all_piece & square_bit[step]))
        for (unsigned kind = MOVE_PROMOTE_QUEEN; kind >= MOVE_PROMOTE_KNIGHT; --kind)
          w.emit(pack_move(kind, PAWN, s, step, 0), static_cast<int>(kind));
      for (std::uint64_t t = attacks[s] & them; t; t = clear_lowest(t)) {
        const int to = bit_scan_forward(t);
        for (unsigned kind = MOVE_CAPTURE_PROMOTE_QUEEN; kind >= MOVE_CAPTURE_PROMOTE_KNIGHT; --kind)
          w.emit(pack_move(kind, PAWN, s, to, their_names[to]), static_cast<int>(kind));
      }
    } else {
      for (std::uint64_t t = attacks[s] & them; t; t = clear_lowest(t)) capture<Us>(w, s, PAWN, bit_scan_forward(t));
    }
    if (b.taking_passage_yes == 1 && rank == en_passant_rank) {
      const int e = 8 * b.taking_passage_y + b.taking_passage_x;
      const int d = s - e;
      // The captured pawn stands one rank behind the target square, seen from the mover.
      if constexpr (Us == WHITE) {
        if ((d == -9 && file != 7) || (d == -7 && file != 0))
          w.emit(pack_move(MOVE_EN_PASSANT, PAWN, s, e, their_names[e - 8]), 5);
      } else {
        if ((d == 9 && file != 0) || (d == 7 && file != 7))
          w.emit(pack_move(MOVE_EN_PASSANT, PAWN, s, e, their_names[e + 8]), 5);
      }
    }
  }
}

}  // namespace

template <Colour Us>
void generate_captures(MoveList& list) {
  const BoardState& b = thread.bitboard;
  const std::uint64_t* own = piece_sets<Us>(b);
  Writer w{list, piece_names<~Us>(b)};

  pawn_captures<Us>(w);
  for (std::uint64_t p = own[KNIGHT]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    leaper_captures<Us>(w, s, KNIGHT, knight_attacks[s]);
  }
  const std::uint64_t all = b.all_piece, them = occupancy<~Us>(b);
  for (std::uint64_t p = own[BISHOP]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    slider_captures<Us, ray_north_east, ray_north_west, ray_south_west, ray_south_east>(w, s, BISHOP,
                                                                                        bishop_attacks(s, all) & them);
  }
  for (std::uint64_t p = own[ROOK]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    slider_captures<Us, ray_north, ray_west, ray_south, ray_east>(w, s, ROOK, rook_attacks(s, all) & them);
  }
  // A queen's straight directions come first, then its diagonal ones.
  for (std::uint64_t p = own[QUEEN]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    slider_captures<Us, ray_north, ray_west, ray_south, ray_east, ray_north_east, ray_north_west, ray_south_west,
                    ray_south_east>(w, s, QUEEN, (rook_attacks(s, all) | bishop_attacks(s, all)) & them);
  }
  if (own[KING]) {
    const int k = bit_scan_forward(own[KING]);  // one king; a second one never moves
    leaper_captures<Us>(w, k, KING, king_attacks[k]);
  }
  list.capture_count = list.move_count = static_cast<std::uint8_t>(w.count);
}

template void generate_captures<WHITE>(MoveList&);
template void generate_captures<BLACK>(MoveList&);
