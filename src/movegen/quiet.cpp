#include "board/castling.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "movegen/rays.h"
#include "movegen/sliders.h"

namespace {

struct Appender {
  MoveList& list;
  int count;
  // Quiet moves carry no ordering score: the slot keeps what it held.
  void targets(unsigned piece, int from, std::uint64_t to_set) {
    for (; to_set; to_set = clear_lowest(to_set)) {
      if (count >= MAX_LIST_MOVES) return;
      list.move[count++] = pack_move(MOVE_QUIET, piece, from, bit_scan_forward(to_set), 0);
    }
  }
  // A slider's targets go out ray by ray, in a fixed order of the directions.
  void straight(unsigned piece, int from, std::uint64_t to_set) {
    targets(piece, from, to_set & ray_north[from]);
    targets(piece, from, to_set & ray_west[from]);
    targets(piece, from, to_set & ray_south[from]);
    targets(piece, from, to_set & ray_east[from]);
  }
  void diagonal(unsigned piece, int from, std::uint64_t to_set) {
    targets(piece, from, to_set & ray_north_east[from]);
    targets(piece, from, to_set & ray_north_west[from]);
    targets(piece, from, to_set & ray_south_west[from]);
    targets(piece, from, to_set & ray_south_east[from]);
  }
};

// The kind of the castling Us may make on one wing now, or 0.
template <Colour Us, bool KingSide>
unsigned castling_allowed() {
  const BoardState& b = thread.bitboard;
  if (!(KingSide ? castling_king_side<Us>(b) : castling_queen_side<Us>(b))) return 0;
  // Either kind of castling asks the wing's description: the squares to be
  // empty, and the king's path free of attack with its rook already gone.
  const CastlingWing& w = castling_wings[Us][KingSide];
  if ((b.all_piece & w.must_be_empty) || attacks_any<~Us>(w.king_path, b.all_piece ^ square_bit[w.rook])) return 0;
  if (w.standard) return KingSide ? MOVE_CASTLE_KING : MOVE_CASTLE_QUEEN;
  return KingSide ? MOVE_CASTLE_KING_960 : MOVE_CASTLE_QUEEN_960;
}

// The quiet steps of one pawn on `s`: one square, or two from its home rank.
template <Colour Us>
std::uint64_t pawn_steps(int s, std::uint64_t empty) {
  std::uint64_t steps = 0;
  if constexpr (Us == WHITE) {
    if (s >= 48) return 0;  // steps from the seventh rank are promotions
    if (empty & square_bit[s + 8]) {
      steps = square_bit[s + 8];
      if (s >= 8 && s <= 15 && (empty & square_bit[s + 16])) steps |= square_bit[s + 16];
    }
  } else {
    if (s < 16) return 0;
    if (empty & square_bit[s - 8]) {
      steps = square_bit[s - 8];
      if (s >= 48 && s <= 55 && (empty & square_bit[s - 16])) steps |= square_bit[s - 16];
    }
  }
  return steps;
}

}  // namespace

// Targets of each ray are emitted in ascending square order, ray after ray.
template <Colour Us>
void generate_quiet(MoveList& list) {
  BoardState& b = thread.bitboard;
  const std::uint64_t* own = piece_sets<Us>(b);
  const std::uint64_t all = b.all_piece;
  const std::uint64_t empty = ~all;
  constexpr int base = back_rank_base(Us);

  Appender a{list, list.move_count};

  if (own[KING]) {
    const int k = bit_scan_forward(own[KING]);
    a.targets(KING, k, king_attacks[k] & empty);
    list.move_count = static_cast<std::uint8_t>(a.count);
    if (const unsigned kind = castling_allowed<Us, false>()) add_move(list, kind, KING, k, base + 2, 0);
    if (const unsigned kind = castling_allowed<Us, true>()) add_move(list, kind, KING, k, base + 6, 0);
    a.count = list.move_count;
  }

  for (std::uint64_t p = own[QUEEN]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    a.straight(QUEEN, s, rook_attacks(s, all) & empty);
    a.diagonal(QUEEN, s, bishop_attacks(s, all) & empty);
  }
  for (std::uint64_t p = own[ROOK]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    a.straight(ROOK, s, rook_attacks(s, all) & empty);
  }
  for (std::uint64_t p = own[BISHOP]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    a.diagonal(BISHOP, s, bishop_attacks(s, all) & empty);
  }
  for (std::uint64_t p = own[KNIGHT]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    a.targets(KNIGHT, s, knight_attacks[s] & empty);
  }
  for (std::uint64_t p = own[PAWN]; p; p = clear_lowest(p)) {
    const int s = bit_scan_forward(p);
    a.targets(PAWN, s, pawn_steps<Us>(s, empty));
  }
  list.move_count = static_cast<std::uint8_t>(a.count);
}

template void generate_quiet<WHITE>(MoveList&);
template void generate_quiet<BLACK>(MoveList&);

// The same rules as generate_quiet, asked of one move.
template <Colour Us>
bool generates_quiet(Move m) {
  const BoardState& b = thread.bitboard;
  const std::uint64_t* own = piece_sets<Us>(b);
  const unsigned kind = kind_move(m), piece = name_piece(m);
  const int from = static_cast<int>(from_coord(m)), to = static_cast<int>(to_coord(m));
  if (m != pack_move(kind, piece, from, to, 0) || piece < PAWN || piece > KING) return false;
  if (!(own[piece] & square_bit[from])) return false;
  // Only the first king moves, as in the generator.
  if (piece == KING && from != bit_scan_forward(own[KING])) return false;
  // A castling king may land where it or its rook stands.
  if (is_castling_kind(kind)) {
    constexpr int base = back_rank_base(Us);
    const bool king_side = kind == MOVE_CASTLE_KING || kind == MOVE_CASTLE_KING_960;
    if (piece != KING || to != base + (king_side ? 6 : 2)) return false;
    return kind == (king_side ? castling_allowed<Us, true>() : castling_allowed<Us, false>());
  }
  if (kind != MOVE_QUIET || (b.all_piece & square_bit[to])) return false;
  const std::uint64_t all = b.all_piece;
  std::uint64_t reach = 0;
  switch (piece) {
    case PAWN:
      reach = pawn_steps<Us>(from, ~all);
      break;
    case KNIGHT:
      reach = knight_attacks[from];
      break;
    case BISHOP:
      reach = bishop_attacks(from, all);
      break;
    case ROOK:
      reach = rook_attacks(from, all);
      break;
    case QUEEN:
      reach = rook_attacks(from, all) | bishop_attacks(from, all);
      break;
    case KING:
      reach = king_attacks[from];
      break;
  }
  return reach & square_bit[to];
}

template bool generates_quiet<WHITE>(Move);
template bool generates_quiet<BLACK>(Move);
