'use strict';
// What a sound engine makes of a `position` line: the engine's own fixed-index FEN
// scanner and moves-list reader, with the rules of chess from chess.js. The fuzzer
// compares the engine's answers with this model.
const { Chess } = require('chess.js');

const START_TEXT = 'position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 ';
const FEN_REACH = 256;
const PIECE_LETTERS = 'PNBRQKpnbrqk';

// The engine hands its handlers the line up to a NUL, without one trailing CR.
function engineLine(raw) {
  let line = raw;
  if (line.endsWith('\r')) line = line.slice(0, -1);
  const nul = line.indexOf('\0');
  return nul < 0 ? line : line.slice(0, nul);
}

function fileOf(c) { return c >= 'a' && c <= 'h' ? c.charCodeAt(0) - 97 : 255; }
function rankOf(c) { return c >= '1' && c <= '8' ? c.charCodeAt(0) - 49 : 255; }
function squareName(s) { return String.fromCharCode(97 + (s % 8)) + String.fromCharCode(49 + Math.floor(s / 8)); }

// The engine's reader: index 13 on, single spaces between fields, first 256 characters.
function readFen(text) {
  const board = new Array(64).fill(null);
  const st = { board, white: false, K: false, Q: false, k: false, q: false, ep: null };
  let i = 13;
  const atEnd = () => i >= text.length || i >= FEN_REACH;
  const peek = (a = 0) => (i + a < text.length && i + a < FEN_REACH ? text[i + a] : '\0');
  let row = 0;
  while (!atEnd() && peek() !== ' ') {
    let file = 0;
    while (!atEnd()) {
      const c = peek();
      if (c === '/' || c === ' ') break;
      if (PIECE_LETTERS.includes(c)) {
        if (row <= 7 && file <= 7) board[8 * (7 - row) + file] = c;
        ++file;
      } else if (c >= '2' && c <= '8') {
        file += c.charCodeAt(0) - 48;
      } else {
        ++file;
      }
      ++i;
    }
    if (atEnd() || peek() === ' ') break;
    ++i;
    ++row;
  }
  while (!atEnd() && peek() === ' ') ++i;
  if (atEnd()) return st;
  st.white = peek() === 'w';
  i += 2;
  while (!atEnd() && peek() !== ' ') {
    const c = peek();
    if (c === 'K' || c === 'Q' || c === 'k' || c === 'q') st[c] = true;
    ++i;
  }
  while (!atEnd() && peek() === ' ') ++i;
  if (atEnd() || peek() === '-') return st;
  st.ep = { x: fileOf(peek()), y: rankOf(peek(1)) };
  return st;
}

function placement(board) {
  let out = '';
  for (let r = 7; r >= 0; --r) {
    let empty = 0;
    for (let f = 0; f < 8; ++f) {
      const p = board[8 * r + f];
      if (!p) { ++empty; continue; }
      if (empty) out += empty;
      empty = 0;
      out += p;
    }
    if (empty) out += empty;
    if (r) out += '/';
  }
  return out;
}

// Why a position can never come from a game; an empty list when it can.
function hostileReasons(st) {
  const reasons = [];
  const count = (p) => st.board.filter((x) => x === p).length;
  if (count('K') !== 1) reasons.push(`${count('K')} white kings`);
  if (count('k') !== 1) reasons.push(`${count('k')} black kings`);
  for (let f = 0; f < 8; ++f) {
    if (st.board[f] === 'P' || st.board[f] === 'p' || st.board[56 + f] === 'P' || st.board[56 + f] === 'p') {
      reasons.push('pawn on a back rank');
      break;
    }
  }
  if (reasons.length === 0) {
    const chess = new Chess();
    chess.load(`${placement(st.board)} ${st.white ? 'w' : 'b'} - - 0 1`, { skipValidation: true });
    const idle = st.white ? 'k' : 'K';
    const king = squareName(st.board.indexOf(idle));
    if (chess.isAttacked(king, st.white ? 'w' : 'b')) reasons.push('side not to move in check');
  }
  return reasons;
}

// Castling rights without king and rook at home, and an en-passant square no double
// step can have made, are dropped. Returns what was dropped.
function dropBogusRights(st) {
  const dropped = [];
  const at = (s, p) => st.board[s] === p;
  const rules = [['K', 4, 'K', 7, 'R'], ['Q', 4, 'K', 0, 'R'], ['k', 60, 'k', 63, 'r'], ['q', 60, 'k', 56, 'r']];
  for (const [flag, ks, kp, rs, rp] of rules) {
    if (st[flag] && !(at(ks, kp) && at(rs, rp))) {
      st[flag] = false;
      dropped.push(`castling ${flag}`);
    }
  }
  if (st.ep) {
    const { x, y } = st.ep;
    const rank = st.white ? 5 : 2;
    let ok = x <= 7 && y === rank;
    if (ok) {
      const target = 8 * rank + x;
      const pawn = st.white ? target - 8 : target + 8;
      const origin = st.white ? target + 8 : target - 8;
      ok = !st.board[target] && !st.board[origin] && at(pawn, st.white ? 'p' : 'P');
    }
    if (!ok) {
      dropped.push(`en passant ${x},${y}`);
      st.ep = null;
    }
  }
  return dropped;
}

function fenOf(st) {
  let castling = (st.K ? 'K' : '') + (st.Q ? 'Q' : '') + (st.k ? 'k' : '') + (st.q ? 'q' : '');
  if (!castling) castling = '-';
  const ep = st.ep ? squareName(8 * st.ep.y + st.ep.x) : '-';
  return `${placement(st.board)} ${st.white ? 'w' : 'b'} ${castling} ${ep} 0 1`;
}

// Applies one move text the sound way: a legal move is made, anything else skipped.
// Returns null when made, or the reason for skipping.
function applyMoveText(chess, t) {
  const from = fileOf(t.f1) > 7 || rankOf(t.r1) > 7 ? null : t.f1 + t.r1;
  const to = fileOf(t.f2) > 7 || rankOf(t.r2) > 7 ? null : t.f2 + t.r2;
  if (!from || !to) return 'square off the board';
  // One move tried, not the whole list generated: move lists run to thousands of moves.
  const piece = chess.get(from);
  const isPromotion = !!piece && piece.type === 'p' && (to[1] === '8' || to[1] === '1');
  let promotion;
  if (t.promo === '' || t.promo === 'q') promotion = isPromotion ? 'q' : undefined;
  else if ('rbn'.includes(t.promo) && isPromotion) promotion = t.promo;
  else if (!isPromotion || !'rbn'.includes(t.promo)) return 'bad promotion letter';
  try {
    chess.move({ from, to, promotion });
  } catch {
    return piece && piece.color === chess.turn() ? 'not legal here' : 'matches nothing';
  }
  return null;
}

// The whole `position` line as a sound engine takes it.
function modelPosition(rawLine) {
  const line = engineLine(rawLine);
  const text = line.startsWith('position fen') ? line : START_TEXT;
  const st = readFen(text);
  const result = { line, hostile: hostileReasons(st), dropped: [], skipped: [], chess: null, fen: null };
  if (result.hostile.length) return result;
  result.dropped = dropBogusRights(st);
  result.fen = fenOf(st);
  const chess = new Chess();
  try {
    chess.load(result.fen);
  } catch {
    chess.load(result.fen, { skipValidation: true });
  }
  const found = line.indexOf('moves');
  if (found >= 0) {
    let i = found + 6;
    const n = line.length;
    while (i < n - 3) {
      const t = { f1: line[i], r1: line[i + 1], f2: line[i + 2], r2: line[i + 3], promo: '' };
      if (i + 4 < n && line[i + 4] !== ' ') {
        t.promo = line[i + 4];
        ++i;
      }
      const why = applyMoveText(chess, t);
      if (why) result.skipped.push(`${t.f1}${t.r1}${t.f2}${t.r2}${t.promo}: ${why}`);
      i += 5;
    }
  }
  result.chess = chess;
  return result;
}

// Chess960: a castling is written as the king taking its own rook when the king
// is off the e-file or the rook off the corner, and always with UCI_Chess960 on;
// else as the king's two-square step. Files 0 to 7, rank '1' or '8'.
function castlingText(kingFile, rookFile, rank, chess960) {
  const sq = (f) => String.fromCharCode(97 + f) + rank;
  const standard = kingFile === 4 && (rookFile === 0 || rookFile === 7);
  if (standard && !chess960) return sq(4) + sq(rookFile === 7 ? 6 : 2);
  return sq(kingFile) + sq(rookFile);
}

// A Chess960 position the model cannot play through (chess.js knows no such
// castling): nothing refused, nothing skipped, no legality check.
function chess960Model() {
  return { hostile: [], skipped: [], dropped: [], chess: null, chess960: true };
}

// The UCI text of every legal move in the position.
function legalMoveTexts(chess) {
  return new Set(chess.moves({ verbose: true }).map((m) => m.from + m.to + (m.promotion || '')));
}

// The root moves `go ... searchmoves ...` leaves: the legal ones among the words
// after the keyword, up to the first word that reads as no move (a promotion
// without its letter is a queen's); when none is legal, every move.
function searchmovesAllowed(rawLine, chess) {
  const all = legalMoveTexts(chess);
  const words = engineLine(rawLine).split(' ').filter(Boolean);
  const named = new Set();
  for (let k = words.indexOf('searchmoves') + 1; k > 0 && /^[a-h][1-8][a-h][1-8][qrbn]?$/.test(words[k] || ''); ++k) {
    const w = all.has(words[k]) || words[k].length === 5 ? words[k] : `${words[k]}q`;
    if (all.has(w)) named.add(w);
  }
  return named.size ? named : all;
}

// Whether the command loop answers the line with its unknown-command warning.
function warnsUnknown(rawLine) {
  const line = engineLine(rawLine);
  if (line === 'ponderhit') return false;  // with no ponder search under way, ignored
  return !['uci', 'setoption', 'isready', 'position', 'go', 'debug', 'register', 'quit'].some((k) => line.startsWith(k));
}

// The line that ends what a `go` line starts: "Nodes searched: " after a count,
// "bestmove" after a search (which may run long after a `readyok` the search
// itself answered); null for a line that starts neither.
function goEnd(rawLine) {
  const line = engineLine(rawLine);
  if (!line.startsWith('go')) return null;
  return line.split(' ').includes('perft') ? 'Nodes searched: ' : 'bestmove';
}

// The engine's reading of a number: leading blanks and one sign, digits up to the
// first other character (none reads as 0), and a value past 32 bits wrapped.
function readNumber(text) {
  let i = 0;
  while (i < text.length && (text[i] === ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  let negative = false;
  if (text[i] === '+' || text[i] === '-') negative = text[i++] === '-';
  let value = 0n;
  for (; i < text.length && text[i] >= '0' && text[i] <= '9'; ++i) if (value < 1n << 40n) value = value * 10n + BigInt(text[i]);
  return Number(BigInt.asIntN(32, negative ? -value : value));
}

const OPTIONS_AT_START = { ponder: false, multipv: 1, threads: 1, skill: 20, limitStrength: false, elo: 1350 };
const clamp = (x, lo, hi) => Math.min(hi, Math.max(lo, x));

// The options a `setoption` line leaves: the name is matched without regard to
// case, name and value lose the spaces around them, a spin is clamped to its range
// and a check box is on only for "true". Returns the options unchanged otherwise.
function applyOption(options, rawLine) {
  const line = engineLine(rawLine);
  if (!line.startsWith('setoption')) return options;
  const at = line.indexOf(' name ');
  if (at < 0) return options;
  const rest = line.slice(at + 6);
  const v = rest.indexOf(' value ');
  if (v < 0) return options;
  const name = rest.slice(0, v).replace(/^ +| +$/g, '').toLowerCase();
  const value = rest.slice(v + 7).replace(/^ +| +$/g, '');
  if (name === 'ponder') return { ...options, ponder: value.toLowerCase() === 'true' };
  if (name === 'multipv') return { ...options, multipv: clamp(readNumber(value), 1, 64) };
  if (name === 'threads') return { ...options, threads: clamp(readNumber(value), 1, 64) };
  if (name === 'skill level') return { ...options, skill: clamp(readNumber(value), 0, 20) };
  if (name === 'uci_limitstrength') return { ...options, limitStrength: value.toLowerCase() === 'true' };
  if (name === 'uci_elo') return { ...options, elo: clamp(readNumber(value), 1350, ELO_MAX) };
  return options;
}

// The top of UCI_Elo: the engine's full strength, where it plays as at Skill Level 20.
const ELO_MAX = 1900;
// Whether the options may play below full strength (an Elo just under the top
// may round to the full engine): then the move played may be any of the lines
// searched, not the first.
function weakened(options) {
  return options.limitStrength ? options.elo < ELO_MAX : options.skill < 20;
}

module.exports = { engineLine, readFen, hostileReasons, dropBogusRights, fenOf, modelPosition, legalMoveTexts,
  searchmovesAllowed, warnsUnknown, goEnd, START_TEXT, placement, castlingText, chess960Model, readNumber, applyOption,
  weakened,
  OPTIONS_AT_START };
