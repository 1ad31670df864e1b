#!/usr/bin/env node
'use strict';
// Process-level fuzzer: drives the sanitizer build of the engine with random UCI
// sessions and checks what a sound engine must do. Every session is drawn from one
// seed, so a failure replays with `--seed S --session N`.
//
//   node session_fuzz.js [--seconds N] [--sessions N] [--seed S] [--session N]
//        [--engine PATH] [--skip CLASS,...] [--slack-ms MS] [--stop-ms MS]
//        [--out DIR] [--verbose]
//
// Inputs of a class named in --skip are not sent (and its check is not made), so a
// fault the engine is known to have does not hide the others. Classes:
//   hostile-fen     FENs without one king a side, with back-rank pawns, or with the
//                   side not to move in check: refused with a warning, `go` answers 0000
//   bogus-rights    castling rights and en-passant squares the board cannot have
//   illegal-moves   move texts that leave the own king attacked, come after mate, or
//                   name squares off the board: skipped with a warning
//   time            negative and huge clocks, movetime on crowded boards: `go` ends in time
//   long-line       lines of 64 KiB or more while `go infinite` runs: `stop` still seen
//   isready-search  `isready` during a search is answered at once
//   mate-plies      "score mate N" counts moves
//   stop-answer     after `stop` the answer is a legal move, never 0000 with moves left
//   chess960        Chess960 starts in Shredder-FEN and X-FEN, with castling texts and
//                   UCI_Chess960 on or off (off, only standard castlings): taken
//                   without a warning
//   ponder          `go ponder` answers only after `ponderhit` or `stop`, then by the
//                   clock it was given; with Ponder on, a named reply is legal
//   multipv         MultiPV k: each iteration's lines numbered 1, 2, ... up to k with
//                   distinct first moves, and bestmove the first line's move
//   threads         Threads above 1 (skipped: the option is only ever set to 1)
//   skill           Skill Level, UCI_LimitStrength and UCI_Elo: a weakened search
//                   plays one of its lines, which need not be the first
//   known           all of the above
// The exit status is 1 when a fault was found.
const { spawn } = require('child_process');
const fs = require('fs');
const path = require('path');
const { Chess } = require('chess.js');
const model = require('./engine_model');

const KNOWN = ['hostile-fen', 'bogus-rights', 'illegal-moves', 'time', 'long-line', 'isready-search', 'mate-plies',
  'stop-answer', 'chess960', 'ponder', 'multipv', 'threads', 'skill'];

function parseArgs(argv) {
  const o = { seconds: 30, sessions: Infinity, seed: null, session: null, engine: null, skip: new Set(),
    slackMs: 1500, stopMs: 1000, out: null, verbose: false };
  for (let i = 2; i < argv.length; ++i) {
    const a = argv[i];
    const v = () => argv[++i];
    if (a === '--seconds') o.seconds = Number(v());
    else if (a === '--sessions') o.sessions = Number(v());
    else if (a === '--seed') o.seed = Number(v()) >>> 0;
    else if (a === '--session') o.session = Number(v());
    else if (a === '--engine') o.engine = v();
    else if (a === '--skip') {
      for (const c of v().split(',').filter(Boolean)) {
        if (c === 'known') KNOWN.forEach((k) => o.skip.add(k));
        else if (KNOWN.includes(c)) o.skip.add(c);
        else throw new Error(`unknown class ${c}; classes: ${KNOWN.join(', ')}, known`);
      }
    } else if (a === '--slack-ms') o.slackMs = Number(v());
    else if (a === '--stop-ms') o.stopMs = Number(v());
    else if (a === '--out') o.out = v();
    else if (a === '--verbose') o.verbose = true;
    else throw new Error(`unknown argument ${a}`);
  }
  if (o.seed === null) o.seed = (Date.now() ^ (process.pid << 16)) >>> 0;
  o.engine = o.engine || path.resolve(__dirname, '../../build-asan/nerul');
  o.out = o.out || path.resolve(__dirname, '../../build-asan/session-fuzz-findings');
  return o;
}

// mulberry32: small, fast and the same everywhere.
function rng(seed) {
  let a = seed >>> 0;
  const next = () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  const r = {
    next,
    int: (lo, hi) => lo + Math.floor(next() * (hi - lo + 1)),
    chance: (p) => next() < p,
    pick: (xs) => xs[Math.floor(next() * xs.length)],
  };
  return r;
}

function sessionSeed(seed, n) {
  let h = (seed ^ Math.imul(n + 1, 0x9e3779b1)) >>> 0;
  h = Math.imul(h ^ (h >>> 16), 0x85ebca6b) >>> 0;
  return (h ^ (h >>> 13)) >>> 0;
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// ---------------------------------------------------------------- input makers

const INTERESTING = [
  'r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1',
  '8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1',
  'r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1',
  'rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8',
  '6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1',
  '6k1/5ppp/8/8/8/8/5PPP/r5K1 w - - 0 1',
  'k7/8/1K6/8/8/8/8/7R w - - 0 1',
  'k7/8/2K5/8/8/8/8/1R6 w - - 0 1',
  '7k/5Q2/6K1/8/8/8/8/8 b - - 0 1',
  'r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4',
  '8/P6k/8/8/8/8/6Kp/8 w - - 0 1',
  '4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1',
  'rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3',
  '1k6/1P6/1K6/8/8/8/8/8 w - - 0 1',
  'k1K5/8/8/8/8/8/8/8 w - - 0 1',
  '4k3/8/8/8/8/8/8/4K2R w K - 0 1',
  'r3k3/8/8/8/8/8/8/4K3 b q - 0 1',
  '2kr3r/ppp2ppp/8/8/8/8/PPP2PPP/2KR3R w - - 0 1',
];

// The side to move mates in 1, 1, 2 and 3 moves.
const MATES = ['6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1', 'k7/8/1K6/8/8/8/8/7R w - - 0 1',
  'r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1',
  'r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq - 0 1'];

// Crowded but legal: many queens and both kings, side not to move not in check.
const CROWDED = [
  'qqqqqqqk/8/8/8/8/8/8/KQQQQQQQ w - - 0 1',
  'k7/qqqqqqqq/8/8/8/8/QQQQQQQQ/7K w - - 0 1',
  'kqqqqqqq/qqqqqqqq/8/8/8/8/QQQQQQQQ/QQQQQQQK w - - 0 1',
  'rnbqkbnr/qqqqqqqq/8/8/8/8/QQQQQQQQ/RNBQKBNR w KQkq - 0 1',
];

function randomGame(r, fen, plies) {
  const chess = new Chess(fen);
  const moves = [];
  for (let k = 0; k < plies; ++k) {
    const legal = chess.moves({ verbose: true });
    if (!legal.length) break;
    const m = r.pick(legal);
    chess.move(m);
    moves.push(m.from + m.to + (m.promotion || ''));
  }
  return { chess, moves };
}

function startFen(r) {
  return r.chance(0.4) ? new Chess().fen() : r.pick(INTERESTING);
}

const SQUARES = 'abcdefgh';
function randomSquare(r) { return r.pick(SQUARES) + r.int(1, 8); }

function garbage(r, n) {
  let s = '';
  for (let k = 0; k < n; ++k) {
    const roll = r.next();
    if (roll < 0.7) s += String.fromCharCode(r.int(32, 126));
    else if (roll < 0.8) s += ' ';
    else if (roll < 0.85) s += '\r';
    else if (roll < 0.9) s += '\0';
    else s += String.fromCharCode(r.int(128, 255));
  }
  return s.replace(/\n/g, ' ');
}

// Small edits of a text: replace, insert, delete, swap characters.
function mutate(r, text, edits) {
  let t = text;
  const alphabet = 'pnbrqkPNBRQK12345678/ -wbKQkqabcdefgh0\r\0x';
  for (let k = 0; k < edits; ++k) {
    const at = r.int(0, Math.max(0, t.length - 1));
    const c = r.chance(0.9) ? r.pick(alphabet) : String.fromCharCode(r.int(1, 255));
    switch (r.int(0, 3)) {
      case 0: t = t.slice(0, at) + c + t.slice(at + 1); break;
      case 1: t = t.slice(0, at) + c + t.slice(at); break;
      case 2: t = t.slice(0, at) + t.slice(at + 1); break;
      default: {
        const b = r.int(0, Math.max(0, t.length - 1));
        const arr = t.split('');
        [arr[at], arr[b]] = [arr[b], arr[at]];
        t = arr.join('');
      }
    }
  }
  return t.replace(/\n/g, ' ');
}

function hostileFen(r) {
  const chess = new Chess(startFen(r));
  const fen = randomGame(r, chess.fen(), r.int(0, 20)).chess.fen();
  const st = model.readFen(`position fen ${fen}`);
  const kinds = ['no-white-king', 'no-black-king', 'extra-king', 'back-rank-pawn', 'idle-in-check', 'no-kings'];
  switch (r.pick(kinds)) {
    case 'no-white-king': st.board[st.board.indexOf('K')] = null; break;
    case 'no-black-king': st.board[st.board.indexOf('k')] = null; break;
    case 'no-kings': return `${r.pick(['qqqqqqqq/QQQQQQQQ', 'rnbq1bnr/pppppppp', 'pppppppp/PPPPPPPP'])}/8/8/8/8/8/8 w - - 0 1`;
    case 'extra-king': {
      const empty = st.board.map((p, s) => (p ? -1 : s)).filter((s) => s >= 0);
      st.board[r.pick(empty)] = r.pick(['K', 'k']);
      break;
    }
    case 'back-rank-pawn': {
      const s = r.chance(0.5) ? r.int(0, 7) : r.int(56, 63);
      if (st.board[s] !== 'K' && st.board[s] !== 'k') st.board[s] = r.pick(['P', 'p']);
      else st.board[(s + 1) % 64] = 'P';
      break;
    }
    default: {
      // Put a rook of the side to move next to the other king's file, nothing in between.
      const idle = st.white ? 'k' : 'K';
      const k = st.board.indexOf(idle);
      const rook = st.white ? 'R' : 'r';
      st.board[k >= 8 ? k - 8 : k + 8] = rook;
    }
  }
  return model.fenOf(st);
}

// Each with the move that only its bogus rights would allow.
const BOGUS = [['4k3/8/8/8/8/8/P7/7K w KQ - 0 1', 'h1c1'], ['4k3/8/4N3/3P4/8/8/8/4K3 w - e6 0 1', 'd5e6'],
  ['r3k3/8/8/8/8/8/8/R3K2R w KQkq - 0 1', 'e1g1 e8g8'], ['4k2r/8/8/8/8/8/8/4K3 b Kk - 0 1', 'e8g8'],
  ['k7/8/8/8/8/8/8/1R2K3 w Q - 0 1', 'e1c1'], ['4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1', 'd4e3'],
  ['rnbqkbnr/pppp1ppp/8/8/4p3/8/PPPPPPPP/RNBQKBNR b KQkq d3 0 1', 'e4d3']];

function bogusRightsFen(r) {
  if (r.chance(0.6)) {
    const [fen, move] = r.pick(BOGUS);
    return r.chance(0.8) ? `${fen} moves ${move}` : fen;
  }
  const fen = randomGame(r, startFen(r), r.int(0, 30)).chess.fen().split(' ');
  if (r.chance(0.6)) fen[2] = r.pick(['KQkq', 'K', 'Qk', 'kq', 'KQ', 'q', 'KkQqKQ']);
  if (r.chance(0.6)) fen[3] = r.chance(0.8) ? randomSquare(r) : r.pick(['i9', 'a0', 'z', 'h', 'e']);
  return fen.join(' ');
}

// A position line and the classes its inputs belong to.
// A Chess960 start: bishops on opposite colours, the king between the rooks;
// the back rank sometimes cleared but for king and rooks, so that both sides
// may castle at once, and then do. Rights in Shredder-FEN or X-FEN; with
// UCI_Chess960 off a right counts only with king and rook on their standard
// squares, so only such castlings are played then.
function chess960Position(r) {
  const rank = new Array(8).fill(null);
  const free = () => rank.map((p, f) => (p ? -1 : f)).filter((f) => f >= 0);
  rank[2 * r.int(0, 3)] = 'b';
  rank[2 * r.int(0, 3) + 1] = 'b';
  for (const p of ['q', 'n', 'n']) rank[r.pick(free())] = p;
  const [a, k, h] = free();
  rank[a] = 'r'; rank[k] = 'k'; rank[h] = 'r';
  const cleared = r.chance(0.5);
  const row = (upper) => {
    let s = '', gap = 0;
    for (const p of rank) {
      const here = p && (!cleared || p === 'r' || p === 'k') ? p : null;
      if (!here) { ++gap; continue; }
      if (gap) s += gap;
      gap = 0;
      s += upper ? here.toUpperCase() : here;
    }
    return gap ? s + gap : s;
  };
  const files = String.fromCharCode(65 + h, 65 + a);
  const rights = r.chance(0.5) ? files + files.toLowerCase() : 'KQkq';
  const chess960 = r.chance(0.5);
  let line = `position fen ${row(false)}/pppppppp/8/8/8/8/PPPPPPPP/${row(true)} w ${rights} - 0 1`;
  // A castling is legal here unless the other rook stands in its way.
  const within = (f, x, y) => f >= Math.min(x, y) && f <= Math.max(x, y);
  const open = [a, h].filter((rf) => {
    const other = rf === a ? h : a, kingSide = rf === h;
    const standing = chess960 || (k === 4 && rf === (kingSide ? 7 : 0));
    return standing && !within(other, k, kingSide ? 6 : 2) && !within(other, rf, kingSide ? 5 : 3);
  });
  if (cleared && open.length) {
    const moves = [model.castlingText(k, r.pick(open), '1', chess960)];
    if (r.chance(0.5)) moves.push(model.castlingText(k, r.pick(open), '8', chess960));
    line += ` moves ${moves.join(' ')}`;
  }
  return { line, model: model.chess960Model(), tags: new Set(['chess960']),
    setoption: `setoption name UCI_Chess960 value ${chess960}` };
}

function makePosition(r, o) {
  if (!o.skip.has('chess960') && r.chance(0.1)) return chess960Position(r);
  const tags = new Set();
  const options = ['legal', 'legal', 'legal', 'mutated', 'long-list'];
  if (!o.skip.has('hostile-fen')) options.push('hostile');
  if (!o.skip.has('bogus-rights')) options.push('bogus');
  if (!o.skip.has('illegal-moves')) options.push('illegal', 'illegal');
  if (!o.skip.has('time')) options.push('crowded');
  let line;
  switch (r.pick(options)) {
    case 'legal': {
      const fen = startFen(r);
      const { moves } = randomGame(r, fen, r.int(0, 60));
      const head = fen === new Chess().fen() && r.chance(0.5) ? 'position startpos' : `position fen ${fen}`;
      line = moves.length || r.chance(0.3) ? `${head} moves ${moves.join(' ')}` : head;
      if (r.chance(0.1)) line += r.pick([' ', '\r', '\0junk']);
      break;
    }
    case 'long-list': {
      // Knights out and back: legal, and over 256 moves the history counter wraps.
      const cycle = ['g1f3', 'g8f6', 'f3g1', 'f6g8'];
      const n = r.int(200, 3000);
      const moves = [];
      for (let k = 0; k < n; ++k) moves.push(cycle[k % 4]);
      line = `position startpos moves ${moves.join(' ')}`;
      break;
    }
    case 'mutated': {
      const fen = startFen(r);
      const { moves } = randomGame(r, fen, r.int(0, 20));
      // The keyword stays: a line that is no `position` command is another step's business.
      line = `position${mutate(r, ` fen ${fen} moves ${moves.join(' ')}`, r.int(1, 6))}`;
      break;
    }
    case 'hostile':
      tags.add('hostile-fen');
      line = `position fen ${hostileFen(r)}`;
      if (r.chance(0.3)) line += ` moves ${randomSquare(r)}${randomSquare(r)}`;
      break;
    case 'bogus':
      tags.add('bogus-rights');
      line = `position fen ${bogusRightsFen(r)}`;
      if (!line.includes('moves') && r.chance(0.5)) line += r.pick([' moves e1g1', ' moves e1c1', ' moves e8g8', ' moves e8c8', ' moves e5d6', ' moves d4e3', ' moves h1c1', ' moves h1g1', ' moves a8g8', ' moves d5e6']);
      break;
    case 'illegal': {
      tags.add('illegal-moves');
      const fen = startFen(r);
      const { chess, moves } = randomGame(r, fen, r.int(0, 30));
      const bad = r.pick(['pseudo', 'offboard', 'random', 'after-end']);
      if (bad === 'offboard') moves.push(r.pick(['g1i4', 'e2e9', 'a0a1', 'h8i9', 'b1a0', 'e7e0q']));
      else if (bad === 'random') moves.push(randomSquare(r) + randomSquare(r));
      else if (bad === 'after-end') {
        const g = randomGame(r, fen, 400);
        moves.length = 0;
        moves.push(...g.moves, randomSquare(r) + randomSquare(r));
      } else {
        // A move of the side to move's king onto an attacked square, or of a pinned piece.
        const from = chess.board().flat().filter((p) => p && p.color === chess.turn());
        const p = r.pick(from);
        moves.push(p.square + randomSquare(r));
      }
      if (r.chance(0.5)) {
        const more = randomGame(r, new Chess().fen(), 4).moves;
        moves.push(...more);
      }
      line = `position fen ${fen} moves ${moves.join(' ')}`;
      break;
    }
    default:
      tags.add('time');
      line = `position fen ${r.pick(CROWDED)}`;
      break;
  }
  const m = model.modelPosition(line);
  // Classify by what the engine will see, whatever the maker meant.
  if (m.hostile.length) tags.add('hostile-fen');
  if (m.dropped.length) tags.add('bogus-rights');
  // With rights dropped, a move that used them is skipped because of them.
  if (!m.dropped.length && m.skipped.some((s) => !s.endsWith('matches nothing') && !s.endsWith('bad promotion letter')))
    tags.add('illegal-moves');
  for (const t of tags) {
    if (o.skip.has(t)) return makePosition(r, o);  // drawn into a skipped class by chance: draw again
  }
  if (m.chess) {
    let pieces = 0, queens = 0;
    for (const row of m.chess.board()) for (const p of row) if (p) { ++pieces; if (p.type === 'q') ++queens; }
    if (pieces >= 24 && queens >= 6) {
      if (o.skip.has('time')) return makePosition(r, o);
      tags.add('time');
      m.crowded = true;
    }
  }
  return { line, model: m, tags };
}

// Mostly 1 and 2, so that many sessions search with a helper thread; now and then
// a count the option clamps.
function threadsValue(r, o) {
  if (o.skip.has('threads')) return r.pick(['1', '0', 'junk', '-3']);
  return r.pick(['2', '2', '2', '2', '1', '1', '1', '0', '4', '999', 'junk']);
}

function optionLine(r, o) {
  const kinds = ['threads'];
  if (!o.skip.has('ponder')) kinds.push('ponder');
  if (!o.skip.has('multipv')) kinds.push('multipv');
  if (!o.skip.has('skill')) kinds.push('skill', 'elo');
  switch (r.pick(kinds)) {
    case 'skill': return `setoption name Skill Level value ${r.pick(['0', '3', '10', '19', '20', '20', '99', '-1', 'junk'])}`;
    case 'elo': return r.chance(0.5) ? `setoption name UCI_LimitStrength value ${r.pick(['true', 'false', 'TRUE'])}`
      : `setoption name UCI_Elo value ${r.pick(['1350', '1600', '1899', '1900', '5000', '0', 'junk'])}`;
    case 'ponder': return `setoption name Ponder value ${r.pick(['true', 'true', 'false', 'false', 'TRUE', 'yes', ''])}`;
    case 'multipv': return `setoption name MultiPV value ${r.pick(['0', '1', '3', '3', '64', '1000', '-5', 'junk', String(r.int(2, 8))])}`;
    default: return `setoption name Threads value ${threadsValue(r, o)}`;
  }
}

// A ponder search, ended by `ponderhit`, `stop` or `quit`. After `ponderhit` the
// answer is due as for the same line without the word; a bare `go ponder`
// answers at once.
function makePonderGo(r, crowded, chess, tags) {
  const end = r.chance(0.08) ? 'quit' : r.chance(0.35) ? 'stop' : 'ponderhit';
  // On a refused position the answer is 0000 at once: ponder on a game's position.
  const position = chess ? null : `position startpos moves ${randomGame(r, new Chess().fen(), r.int(0, 40)).moves.join(' ')}`;
  tags.add('ponder');
  const g = { ponder: true, end, position, tags, bound: null };
  const forms = crowded && chess ? ['bare', 'clock', 'movetime', 'infinite']
    : ['bare', 'bare', 'depth', 'clock', 'clock', 'movetime', 'infinite', 'depth+clock', 'nodes'];
  const w = r.int(0, 30000), b = r.int(0, 30000);
  const clock = `wtime ${w} btime ${b}${r.chance(0.4) ? ` winc ${r.int(0, 2000)} binc ${r.int(0, 2000)}` : ''}`;
  switch (r.pick(forms)) {
    case 'bare': return { ...g, line: 'go ponder', bound: 0 };
    case 'depth': return { ...g, line: `go ponder depth ${r.int(1, 4)}`, depthOnly: true };
    case 'clock': return { ...g, line: r.chance(0.7) ? `go ponder ${clock}` : `go ${clock} ponder`, clock: { w, b } };
    case 'movetime': {
      const t = r.int(1, 400);
      return { ...g, line: `go ponder movetime ${t}`, bound: t };
    }
    case 'infinite': return { ...g, line: 'go ponder infinite', infinite: true };
    case 'depth+clock': return { ...g, line: `go ponder ${clock} depth ${r.int(1, 3)}`, depthOnly: true };
    default: return { ...g, line: `go ponder nodes ${r.int(1, 5000)}`, depthOnly: true };
  }
}

// A `go` line and the time within which its answer is due (null: only `stop` ends it).
function makeGo(r, o, crowded, chess) {
  const tags = new Set();
  const big = () => r.pick([2147483647, 4294967295, 99999999999, 1e15, 86400000]);
  const neg = () => -r.int(1, 100000);
  const count = () => r.pick(['0', `-${r.int(1, 99999)}`, '', 'x', `${r.int(1, 3000)}`, `${r.int(1, 3)}`, '99999999999999999999']);
  const kinds = ['depth', 'movetime', 'clock', 'infinite', 'depth+clock', 'nodes', 'mate', 'searchmoves', 'perft'];
  if (!o.skip.has('time')) kinds.push('neg', 'huge');
  if (!o.skip.has('ponder')) kinds.push('ponder', 'ponder');
  let kind = r.pick(kinds);
  if (kind === 'ponder') return makePonderGo(r, crowded, chess, tags);
  if (crowded && (kind === 'depth' || kind === 'depth+clock')) kind = 'movetime';
  const maxDepth = r.chance(0.8) ? 4 : 6;
  switch (kind) {
    case 'depth': {
      const d = r.int(0, maxDepth);
      return { line: `go depth ${d}`, bound: null, depthOnly: true, tags, wantsStop: false };
    }
    case 'depth+clock': {
      const d = r.int(1, 3);
      return { line: `go wtime ${r.int(0, 100000)} btime ${r.int(0, 100000)} depth ${d}`, bound: null, depthOnly: true, tags };
    }
    case 'movetime': {
      const t = r.int(1, 400);
      return { line: `go movetime ${t}`, bound: t, tags };
    }
    case 'clock': {
      const w = r.int(0, 30000), b = r.int(0, 30000);
      const wi = r.chance(0.5) ? r.int(0, 3000) : 0, bi = r.chance(0.5) ? r.int(0, 3000) : 0;
      let line = `go wtime ${w} btime ${b}`;
      if (wi || bi) line += ` winc ${wi} binc ${bi}`;
      if (r.chance(0.3)) line += ` movestogo ${r.pick([r.int(1, 40), 0, -r.int(1, 50), 99999999999, ''])}`;
      return { line, clock: { w, b }, tags };
    }
    case 'neg': {
      tags.add('time');
      const line = r.chance(0.5) ? `go movetime ${neg()}` : `go wtime ${neg()} btime ${neg()} winc ${r.int(-5000, 5000)} binc ${r.int(-5000, 5000)}`;
      return { line, bound: 0, tags };
    }
    case 'huge': {
      tags.add('time');
      const line = r.chance(0.5) ? `go movetime ${big()}` : `go wtime ${big()} btime ${big()} winc ${big()} binc ${big()}`;
      return { line, bound: null, tags, huge: true };
    }
    case 'nodes': {
      const n = count();  // a huge count runs until stop
      return { line: `go nodes ${n}`, bound: null, depthOnly: n.length < 6, tags };
    }
    case 'mate':
      // Often from a position with a mate to find, so that the search can end by itself.
      return { line: `go mate ${count()}`, bound: null, mate: true, tags,
        position: r.chance(0.5) ? `position fen ${r.pick(MATES)}` : null };
    case 'searchmoves': {
      // Legal moves, duplicates, moves not legal here and words that end the list.
      const pool = [...(chess ? model.legalMoveTexts(chess) : []), 'e2e4', 'a7a8', 'e7e8q', 'h1h8', 'e1g1', 'zz', '0000'];
      const words = Array.from({ length: r.int(0, 6) }, () => (r.chance(0.2) ? randomSquare(r) + randomSquare(r) : r.pick(pool)));
      const limit = crowded ? `movetime ${r.int(1, 300)}` : `depth ${r.int(1, 3)}`;
      return { line: `go ${limit} searchmoves ${words.join(' ')}`, bound: crowded ? 300 : null, depthOnly: !crowded, tags };
    }
    case 'perft':
      return { line: `go perft ${r.pick(['-2', '', 'x', '0', '1', '2', crowded ? '2' : '3'])}`, perft: true, tags };
    default:
      return { line: r.chance(0.8) ? 'go infinite' : 'go infinite depth 0', bound: null, infinite: true, tags };
  }
}

// ---------------------------------------------------------------- the engine

class Engine {
  constructor(o) {
    this.lines = [];
    this.ready = [];  // index + 1 of every "readyok" line
    this.stderr = '';
    this.exit = null;
    this.waiters = [];
    this.partial = '';
    this.proc = spawn(o.engine, [], {
      stdio: ['pipe', 'pipe', 'pipe'],
      env: { ...process.env, ASAN_OPTIONS: 'detect_leaks=0:abort_on_error=0', UBSAN_OPTIONS: 'print_stacktrace=1' },
    });
    this.proc.stdin.on('error', () => {});
    this.proc.stdout.on('data', (d) => {
      const text = this.partial + d.toString('latin1');
      const parts = text.split('\n');
      this.partial = parts.pop();
      const now = Date.now();
      for (const p of parts) {
        this.lines.push({ text: p, at: now });
        if (p.startsWith('readyok')) this.ready.push(this.lines.length);
      }
      this.wake();
    });
    this.proc.stderr.on('data', (d) => { this.stderr += d.toString('latin1'); this.wake(); });
    this.proc.on('exit', (code, signal) => { this.exit = { code, signal, at: Date.now() }; this.wake(); });
  }
  wake() { for (const w of this.waiters.splice(0)) w(); }
  send(text) {
    if (this.exit || this.proc.stdin.destroyed) return;
    this.proc.stdin.write(Buffer.from(`${text}\n`, 'latin1'));
  }
  // Waits until pred() gives a value, the process ends, or the time runs out.
  async waitFor(pred, ms) {
    const deadline = Date.now() + ms;
    for (;;) {
      const v = pred();
      if (v) return v;
      if (this.exit || Date.now() >= deadline) return null;
      await new Promise((res) => {
        const t = setTimeout(res, Math.max(1, deadline - Date.now()));
        this.waiters.push(() => { clearTimeout(t); res(); });
      });
    }
  }
  // Index of the first line at or after `from` that satisfies test.
  findLine(from, test) {
    for (let k = from; k < this.lines.length; ++k) if (test(this.lines[k].text)) return k + 1;
    return 0;
  }
  kill() { if (!this.exit) this.proc.kill('SIGKILL'); }
}

function sanitizerReport(stderr) {
  const m = stderr.match(/(==\d+==ERROR: \w+Sanitizer[^\n]*|[^\n]*runtime error:[^\n]*|SUMMARY: \w+Sanitizer[^\n]*)/);
  return m ? m[1] : null;
}

// ---------------------------------------------------------------- one session

async function runSession(o, n, stats) {
  const r = rng(sessionSeed(o.seed, n));
  const eng = new Engine(o);
  const transcript = [];
  const faults = [];
  let positionTags = new Set();
  // Until the first `position` the board is empty: no kings, so `go` answers 0000.
  let current = { hostile: ['no position set'], skipped: [], dropped: [], chess: null };
  let endedOnPurpose = null;  // an exit the protocol asks for: {code, why}
  let chess960On = false;
  let options = model.OPTIONS_AT_START;
  let helpers = false;

  // Every `isready` the engine will answer is counted, so that a wait for "readyok"
  // never takes an earlier answer for its own.
  let readySent = 0;
  const send = (text) => {
    if (model.engineLine(text).startsWith('isready')) ++readySent;
    options = model.applyOption(options, text);
    transcript.push(`> ${text.length > 300 ? `${JSON.stringify(text.slice(0, 200))}... (${text.length} chars)` : JSON.stringify(text)}`);
    eng.send(text);
  };
  const synced = (ms) => eng.waitFor(() => (eng.ready.length >= readySent ? eng.ready[readySent - 1] : 0), ms);
  const fault = (cls, msg, extraTags = []) => {
    const tags = new Set([...positionTags, ...extraTags]);
    const known = cls !== 'other' ? cls : [...tags][0];
    faults.push({ cls: cls === 'other' && known ? `${known}?` : cls, msg, tags: [...tags] });
  };
  const checkErrorLines = (from) => {
    for (let k = from; k < eng.lines.length; ++k) {
      if (eng.lines[k].text.startsWith('ERROR')) {
        fault('other', `output line begins with ERROR: ${eng.lines[k].text}`);
        break;
      }
    }
  };

  try {
    send('uci');
    if (!(await eng.waitFor(() => eng.findLine(0, (t) => t.startsWith('uciok')), 10000))) {
      fault('other', 'no uciok within 10 s');
      return { faults, transcript, eng, inputs: 1 };
    }
    let inputs = 1;
    const opening = [];
    if (r.chance(0.7)) opening.push(`setoption name Threads value ${threadsValue(r, o)}`);
    if (!o.skip.has('ponder') && r.chance(0.4)) opening.push(`setoption name Ponder value ${r.pick(['true', 'true', 'false'])}`);
    if (!o.skip.has('multipv') && r.chance(0.3)) opening.push(optionLine(r, { skip: new Set(['ponder']) }));
    for (const line of opening) send(line);
    inputs += opening.length;
    const steps = r.int(3, 14);
    for (let step = 0; step < steps && !eng.exit && faults.length === 0; ++step) {
      const roll = r.next();
      const mark = eng.lines.length;
      if (roll < 0.35) {
        const p = makePosition(r, o);
        positionTags = p.tags;
        // The option holds until set again; standard positions are played with it off.
        if (p.setoption || chess960On) send(p.setoption || 'setoption name UCI_Chess960 value false');
        chess960On = Boolean(p.setoption);
        current = p.model;
        send(p.line);
        send('isready');
        inputs += 2;
        const got = await synced(10000);
        if (!got) { if (!eng.exit) fault('other', 'no readyok after position within 10 s'); break; }
        const warnings = eng.lines.slice(mark, got).filter((l) => l.text.startsWith('WARNING')).length;
        if (current.hostile.length) {
          if (!o.skip.has('hostile-fen') && warnings < 1)
            fault('hostile-fen', `hostile FEN (${current.hostile.join(', ')}) taken without a warning`);
        } else if (warnings !== current.skipped.length) {
          const cls = current.dropped.length ? 'bogus-rights' : positionTags.has('illegal-moves') ? 'illegal-moves' : 'other';
          if (!o.skip.has(cls))
            fault(cls, `${warnings} warning lines, expected ${current.skipped.length} (${current.skipped.join('; ')})`);
        }
        checkErrorLines(mark);
      } else if (roll < 0.75) {
        const g = makeGo(r, o, current.crowded, current.chess);
        if (g.position) {
          if (chess960On) send('setoption name UCI_Chess960 value false');
          chess960On = false;
          send(g.position);
          inputs += 1;
          current = model.modelPosition(g.position);
          positionTags = new Set();
        }
        if (options.threads > 1) helpers = true;
        inputs += await runGo(o, r, eng, g, current, send, fault, synced, options);
        if (g.quitSent && eng.exit) endedOnPurpose = { code: 1 };
        checkErrorLines(mark);
      } else if (roll < 0.82) {
        // Lines outside a search, with stray bytes: the engine keeps serving.
        const line = r.pick(['stop', 'isready\r', 'isready\0junk', 'ucinewgame', optionLine(r, o), optionLine(r, o),
          `setoption name Hash value ${r.int(1, 32)}`, 'debug on', 'ponderhit', garbage(r, r.int(0, 200)),
          `go ${garbage(r, 20)} depth 1`, 'setoption name Hash value', 'go depth', 'go movetime', 'register later',
          `setoption name Move Overhead value ${r.pick(['-5', '0', '100', '5000', '99999', 'x', ''])}`, 'debug off',
          'setoption name Clear Hash']);
        send(line);
        inputs += 1;
        // A search answers `isready` at once and goes on: its bestmove, seconds later
        // under the sanitizers, must not be taken for the answer to the next `go`.
        const end = model.goEnd(line);
        if (end) {
          const ended = () => eng.findLine(mark, (t) => t.startsWith(end));
          if (!(await eng.waitFor(ended, 30000)) && !eng.exit) {
            send('stop');
            inputs += 1;
            // A count cut short by stop writes no total.
            if (!(await eng.waitFor(ended, 5000)) && !eng.exit && end === 'bestmove')
              fault('other', `no bestmove after ${JSON.stringify(line.slice(0, 60))}, even after stop`);
          }
        }
        send('isready');
        inputs += 1;
        const got = await synced(10000);
        // Only a `go` that names no limit may end the engine (status 1).
        if (!got && !eng.exit) fault('other', `no readyok after ${JSON.stringify(line.slice(0, 60))}`);
        if (eng.exit) {
          if (!line.startsWith('go')) fault('other', `engine ended after ${JSON.stringify(line.slice(0, 60))}`);
          endedOnPurpose = { code: 1 };
        } else if (got && !line.startsWith('go')) {
          const warned = eng.lines.slice(mark, got).some((l) => l.text.startsWith('WARNING ! Unknown command'));
          if (warned !== model.warnsUnknown(line)) fault('other', `${JSON.stringify(line.slice(0, 60))}: warned ${warned}`);
        }
        checkErrorLines(mark);
      } else if (roll < 0.87) {
        // A long line outside a search: under 64 KiB it is an unknown command; from
        // 64 KiB on the reader may give up, which ends the engine with status 0.
        const size = r.chance(0.5) ? r.int(1000, 65533) : r.int(65534, 70000);
        const text = r.chance(0.5) ? 'x'.repeat(size) : `position startpos moves ${'e2e4 '.repeat(Math.ceil(size / 5))}`.slice(0, size);
        send(text);
        send('isready');
        inputs += 2;
        const got = await synced(15000);
        if (!got) {
          if (eng.exit && size > 65533 && eng.exit.code === 0) endedOnPurpose = { code: 0 };
          else fault('other', `no readyok after a line of ${size} characters`);
          break;
        }
        if (text.startsWith('position')) {
          positionTags = new Set();
          // Whether a sound reader takes a line it cannot hold, or a part of it, is open.
          current = size <= 65533 ? model.modelPosition(text) : { hostile: [], skipped: [], dropped: [], chess: null };
        }
      } else if (roll < 0.97) {
        send('isready');
        inputs += 1;
        const got = await synced(5000);
        if (!got && !eng.exit) fault('other', 'no readyok within 5 s');
      } else {
        // A go without any limit ends the engine, by the protocol of this engine.
        send(r.pick(['go', 'go winc 100 binc 100', 'go depth 255', 'go movestogo 3', 'go searchmoves e2e4']));
        inputs += 1;
        await eng.waitFor(() => eng.exit, 10000);
        if (!eng.exit) { fault('other', 'a go without limits neither searched to a limit nor ended'); break; }
        endedOnPurpose = { code: 1 };
      }
    }
    if (!eng.exit && faults.length === 0) {
      if (r.chance(0.5)) { send('quit'); endedOnPurpose = { code: 1 }; } else { eng.proc.stdin.end(); endedOnPurpose = { code: 0 }; }
      inputs += 1;
      await eng.waitFor(() => eng.exit, 10000);
      if (!eng.exit) fault('other', 'engine did not end after quit or end of input');
    }
    return { faults, transcript, eng, inputs, endedOnPurpose };
  } finally {
    eng.kill();
    await eng.waitFor(() => eng.exit, 5000);
    const report = sanitizerReport(eng.stderr);
    if (report) fault('other', `sanitizer: ${report}`);
    else if (eng.exit && eng.exit.signal && eng.exit.signal !== 'SIGKILL') fault('other', `engine died of ${eng.exit.signal}`);
    else if (eng.exit && eng.exit.signal !== 'SIGKILL' && endedOnPurpose && eng.exit.code !== endedOnPurpose.code && faults.length === 0)
      fault('other', `exit status ${eng.exit.code}, expected ${endedOnPurpose.code}`);
    else if (eng.exit && !endedOnPurpose && faults.length === 0 && eng.exit.signal !== 'SIGKILL')
      fault('other', `engine ended unasked with status ${eng.exit.code}`);
    stats.lastSessionFaults = faults;
    if (helpers) stats.helperSessions += 1;
  }
}

function checkMateReports(lines, chess, fault) {
  for (const { text } of lines) {
    const m = text.match(/ score mate (-?\d+) .* pv ((?:[a-h][1-8][a-h][1-8][nbrq]? ?)+)\s*$/);
    if (!m || !chess) continue;
    const n = Number(m[1]);
    const pv = m[2].trim().split(/\s+/);
    const c = new Chess(chess.fen());
    let ok = true;
    for (const mv of pv) {
      try { c.move({ from: mv.slice(0, 2), to: mv.slice(2, 4), promotion: mv[4] }); } catch { ok = false; break; }
    }
    if (!ok || !c.isCheckmate()) continue;
    const plies = pv.length;
    const expected = plies % 2 === 1 ? (plies + 1) / 2 : -(plies / 2);
    if (n !== expected) {
      fault('mate-plies', `"${text.trim()}": a pv of ${plies} plies ending in mate is mate ${expected}`);
      return;
    }
  }
}

// The iteration reports of one search with MultiPV k: with k above 1, each
// iteration's lines are numbered 1, 2, ... without a gap, at most k of them, with
// distinct legal first moves, and the answer is the last first line's move; with
// k 1 no line is numbered. `legal` is null where the model knows no moves.
function checkMultiPV(lines, k, legal, answer, weakened, fail) {
  let block = null, lastFirst = null;
  for (const { text } of lines) {
    if (!text.startsWith('info  nps ')) continue;
    const m = text.match(/ depth (\d+)(?: multipv (\d+))? seldepth /);
    const first = (text.match(/ pv (\S+)/) || [])[1] || null;
    if (!m) { fail(`unread report "${text.trim()}"`); return; }
    if (k === 1) {
      if (m[2] !== undefined) { fail(`a numbered line "${text.trim()}"`); return; }
      continue;
    }
    if (m[2] === undefined) { fail(`a line without its number "${text.trim()}"`); return; }
    const i = Number(m[2]);
    if (i === 1) {
      block = { depth: m[1], next: 2, firsts: new Set([first]) };
      lastFirst = first;
    } else if (!block || i !== block.next || m[1] !== block.depth || i > k || block.firsts.has(first)) {
      fail(`"${text.trim()}" after ${block ? `${block.next - 1} lines of depth ${block.depth}` : 'no first line'}`);
      return;
    } else {
      block.next += 1;
      block.firsts.add(first);
    }
    if (legal && first && !legal.has(first)) { fail(`"${text.trim()}" begins with an illegal move`); return; }
  }
  if (k > 1 && !weakened && lastFirst && legal && legal.size && answer !== lastFirst) fail(`bestmove ${answer}, yet the last first line begins ${lastFirst}`);
}

// Runs one `go` with whatever `stop`, `isready` and long lines the session throws in.
async function runGo(o, r, eng, g, current, send, fault, synced, options) {
  const mark = eng.lines.length;
  let inputs = 1;
  const sentAt = Date.now();
  send(g.line);
  const hostile = current.hostile.length > 0;
  const legal = current.chess ? model.legalMoveTexts(current.chess) : null;
  if (g.perft) {
    // A count ends by itself with its total, and names no move.
    const total = await eng.waitFor(() => eng.findLine(mark, (t) => t.startsWith('Nodes searched: ')), 60000);
    send('isready');
    const ready = await synced(10000);
    const depth = Math.max(0, Number.parseInt(g.line.slice(9), 10) || 0);
    // Depth 0 counts the position itself, even the empty board of a refused one.
    const want = !depth ? 1 : hostile ? 0 : current.chess ? current.chess.perft(depth) : null;
    const best = eng.findLine(mark, (t) => t.startsWith('bestmove'));
    if (!total || !ready) fault('other', `"${g.line}": no total or no readyok after it`);
    else if (want !== null && eng.lines[total - 1].text !== `Nodes searched: ${want}`)
      fault('other', `"${g.line}" in ${current.chess ? current.chess.fen() : 'no position'}: ${eng.lines[total - 1].text}, expected ${want}`);
    else if (best && best < ready) fault('other', `"${g.line}" answered a bestmove`);
    return inputs + 1;
  }

  // When a sound engine must answer on its own, and when we send stop.
  let due = null;
  if (hostile) due = 0;
  else if (g.bound !== undefined && g.bound !== null) due = Math.max(0, g.bound);
  else if (g.clock) due = current.chess && current.chess.turn() === 'w' ? g.clock.w : g.clock.b;
  const needsStop = g.infinite || g.huge || (due === null && !g.depthOnly);
  const laterStop = (from) => from + r.int(0, needsStop ? 1500 : Math.max(50, due === null ? 1000 : due));
  // A ponder search is ended by `ponderhit`, `stop` or `quit`; after `ponderhit` it
  // may still get a `stop`, as any search.
  let stopAt = null, hitAt = null, quitAt = null;
  if (g.ponder) {
    const at = r.int(0, 1500);
    if (g.end === 'stop') stopAt = at;
    else if (g.end === 'quit') quitAt = at;
    else {
      hitAt = at;
      if (needsStop || r.chance(0.3)) stopAt = laterStop(at);
    }
  } else if (needsStop || r.chance(0.3)) stopAt = laterStop(0);
  const isreadyAt = !o.skip.has('isready-search') && r.chance(0.3) ? r.int(0, g.ponder ? 1500 : 300) : null;
  const longLine = g.infinite && !o.skip.has('long-line') && r.chance(0.3) ? r.int(65534, 80000) : null;
  // A `ponderhit` with no ponder search under way is ignored: during another
  // search, or after the `ponderhit` or `stop` that ended pondering.
  const endAt = hitAt ?? stopAt;
  let strayHitAt = null;
  if (!o.skip.has('ponder') && r.chance(0.15) && (!g.ponder || endAt !== null))
    strayHitAt = g.ponder ? endAt + r.int(1, 200) : r.int(0, 300);

  let stopSent = null, isreadySent = null, hitSent = null, quitSent = null;
  const events = [];
  if (isreadyAt !== null) events.push({ at: isreadyAt, what: 'isready' });
  if (hitAt !== null) events.push({ at: hitAt, what: 'ponderhit' });
  if (stopAt !== null) {
    if (longLine) events.push({ at: stopAt, what: 'long' });
    events.push({ at: stopAt, what: 'stop' });
  }
  if (quitAt !== null) events.push({ at: quitAt, what: 'quit' });
  if (strayHitAt !== null) events.push({ at: strayHitAt, what: 'stray' });
  events.sort((a, b) => a.at - b.at);

  const bestmove = () => eng.findLine(mark, (t) => t.startsWith('bestmove'));
  const depthBound = 60000;
  const limit = due !== null ? due + o.slackMs : g.depthOnly ? depthBound : null;
  for (const ev of events) {
    const wait = sentAt + ev.at - Date.now();
    if (wait > 0 && (await eng.waitFor(bestmove, wait))) break;
    if (bestmove() || eng.exit) break;
    if (ev.what === 'stop') { send(r.pick(['stop', 'stop\r', 'stop\0x'])); stopSent = Date.now(); }
    else if (ev.what === 'isready') { send('isready'); isreadySent = Date.now(); }
    else if (ev.what === 'ponderhit') { send(r.pick(['ponderhit', 'ponderhit', 'ponderhit\r'])); hitSent = Date.now(); }
    else if (ev.what === 'stray') send('ponderhit');
    else if (ev.what === 'quit') { send('quit'); quitSent = Date.now(); g.quitSent = true; }
    else send(r.chance(0.5) ? 'x'.repeat(longLine) : `position startpos ${'y'.repeat(longLine)}`);
    inputs += 1;
  }
  const tags = [...g.tags];
  if (g.ponder && !o.skip.has('ponder')) {
    // Only a line that arrived before the ending word was sent is surely early.
    const endSent = [stopSent, hitSent, quitSent].filter((t) => t !== null).sort((a, b) => a - b)[0] ?? null;
    const early = bestmove();
    if (early && (endSent === null || eng.lines[early - 1].at < endSent)) {
      fault('ponder', `"${g.line}": ${eng.lines[early - 1].text.trim()} ${eng.lines[early - 1].at - sentAt} ms after go, before ${g.end}`, tags);
      return inputs;
    }
  }
  if (quitSent !== null) {
    if (!(await eng.waitFor(() => eng.exit, 5000))) fault('ponder', `"${g.line}": quit did not end the engine`, tags);
    return inputs;
  }
  // Wait for the answer: by the limit, or shortly after stop. A ponder search's
  // limit counts from `ponderhit`.
  const from = g.ponder ? hitSent : sentAt;
  let waitUntil;
  if (stopSent !== null) waitUntil = Math.min(limit === null || from === null ? Infinity : from + limit, stopSent + o.stopMs);
  else if (limit !== null && from !== null) waitUntil = from + limit;
  else waitUntil = Date.now() + 30000;  // cannot happen: every unbounded go gets a stop
  let got = await eng.waitFor(bestmove, Math.max(0, waitUntil - Date.now()));
  if (!got && !eng.exit) {
    const late = await eng.waitFor(bestmove, 20000);
    const what = stopSent !== null ? `stop sent after ${stopSent - sentAt} ms`
      : `due ${limit} ms after ${g.ponder ? `ponderhit (sent after ${hitSent - sentAt} ms)` : 'go'}`;
    const cls = tags.includes('time') || current.crowded ? 'time' : longLine ? 'long-line' : hostile ? 'hostile-fen'
      : g.ponder ? 'ponder' : 'other';
    if (!late) {
      send('stop');
      got = await eng.waitFor(bestmove, 3000);
      fault(cls, `"${g.line}": no bestmove (${what}) even 20 s later${got ? '' : ', nor after another stop'}`, tags);
      if (!got) { eng.kill(); return inputs; }
    } else {
      // Late but there: the clock and input are seen too seldom, a known fault class.
      const lateCls = cls === 'other' ? 'time' : cls;
      if (!o.skip.has(lateCls))
        fault(lateCls, `"${g.line}": bestmove ${eng.lines[late - 1].at - sentAt} ms after go (${what})`, tags);
      got = late;
    }
  }
  if (!got) return inputs;
  const answer = eng.lines[got - 1].text.split(/\s+/)[1] || '';
  if (hostile) {
    if (!o.skip.has('hostile-fen') && answer !== '0000') fault('hostile-fen', `"${g.line}" on a refused position answered ${answer}`, tags);
  } else if (legal) {
    if (legal.size === 0) {
      if (answer !== '0000') fault('other', `no legal move in ${current.chess.fen()}, yet bestmove ${answer}`, tags);
    } else if (answer === '0000') {
      // Depth 0 asks for no search at all: the null move is a fair answer.
      const depthZero = /depth 0(\D|$)/.test(g.line);
      if (depthZero) { /* fine */ } else if (stopSent !== null) {
        if (!o.skip.has('stop-answer')) fault('stop-answer', `bestmove 0000 after stop in ${current.chess.fen()}`, tags);
      } else fault('other', `bestmove 0000 in ${current.chess.fen()} (${g.line})`, tags);
    } else if (!legal.has(answer)) {
      const cls = current.dropped.length ? 'bogus-rights' : 'other';
      if (!o.skip.has(cls)) fault(cls, `illegal bestmove ${answer} in ${current.chess.fen()}${current.dropped.length ? ` (dropped ${current.dropped.join(', ')})` : ''}`, tags);
    }
  }
  if (!o.skip.has('mate-plies')) checkMateReports(eng.lines.slice(mark, got), current.chess, (c, m) => fault(c, m, tags));
  if (/ searchmoves /.test(g.line) && legal && legal.size && !hostile) {
    const allowed = model.searchmovesAllowed(g.line, current.chess);
    const roots = new Set([...allowed].map((m) => m.slice(0, 4)));
    const stray = eng.lines.slice(mark, got).find((l) => l.text.startsWith('info currmove ') && !roots.has(l.text.slice(14, 18)));
    if (!allowed.has(answer) || stray) fault('other', `"${g.line}": bestmove ${answer}${stray ? `, ${stray.text}` : ''}`, tags);
  }
  // The reply named for pondering: only with Ponder on, and legal after the move.
  const reply = eng.lines[got - 1].text.match(/^bestmove \S+ ponder (\S+)/);
  if (!o.skip.has('ponder') && reply && legal && legal.has(answer)) {
    const c = new Chess(current.chess.fen(), { skipValidation: true });
    c.move({ from: answer.slice(0, 2), to: answer.slice(2, 4), promotion: answer[4] });
    if (!options.ponder) fault('ponder', `Ponder off, yet "${eng.lines[got - 1].text.trim()}"`, tags);
    else if (!model.legalMoveTexts(c).has(reply[1]))
      fault('ponder', `"${eng.lines[got - 1].text.trim()}": ${reply[1]} is no legal reply in ${c.fen()}`, tags);
  }
  if (!o.skip.has('multipv') && !hostile) checkMultiPV(eng.lines.slice(mark, got), options.multipv, legal, answer, model.weakened(options), (m) => fault('multipv', `"${g.line}" with MultiPV ${options.multipv}: ${m}`, tags));
  // A `go mate N` that ended by itself found a mate for the mover within N moves.
  const ownEnd = g.mate && stopSent === null && current.chess;
  const last = ownEnd ? eng.lines.slice(mark, got).reverse().find((l) => l.text.startsWith('info  nps ')) : null;
  const mate = last && last.text.match(/ score mate (\d+) .* pv (.*)$/);
  if (mate && Number(mate[1]) > 0) {
    const asked = Math.min(100, Math.max(1, Number.parseInt(g.line.slice(8), 10) || 0));
    const c = new Chess(current.chess.fen(), { skipValidation: true });
    try {
      for (const mv of mate[2].trim().split(' ')) c.move({ from: mv.slice(0, 2), to: mv.slice(2, 4), promotion: mv[4] });
    } catch { /* an illegal move: the line is no mate */ }
    if (!c.isCheckmate() || Number(mate[1]) > asked || mate[2].trim().split(' ').length > 2 * asked - 1)
      fault('other', `"${g.line}" ended by itself on "${last.text.trim()}"`, tags);
  }
  if (isreadySent !== null) {
    const ready = await synced(o.stopMs);
    const readyAt = ready ? eng.lines[ready - 1].at : null;
    const answeredInTime = ready && (readyAt - isreadySent <= o.stopMs || ready < got);
    if (!answeredInTime) {
      fault('isready-search', `isready sent ${isreadySent - sentAt} ms into "${g.line}" not answered`, tags);
      return inputs;
    }
  }
  // A `stop` that reached the engine after its answer is an unknown command there:
  // wait for its warning before the next step counts lines.
  send('isready');
  inputs += 1;
  if (!(await synced(10000)) && !eng.exit) fault('other', `no readyok within 10 s after "${g.line}"`, tags);
  return inputs;
}

// ---------------------------------------------------------------- main

async function main() {
  const o = parseArgs(process.argv);
  if (!fs.existsSync(o.engine)) {
    console.error(`no engine at ${o.engine}: build it with \`make test-asan\``);
    process.exit(2);
  }
  const stats = { sessions: 0, inputs: 0, faults: [], helperSessions: 0 };
  const started = Date.now();
  const only = o.session !== null;
  console.log(`session fuzz: seed ${o.seed}, engine ${o.engine}${o.skip.size ? `, skipping ${[...o.skip].join(',')}` : ''}`);
  for (let n = only ? o.session : 0; ; ++n) {
    if (only && n > o.session) break;
    if (!only && (Date.now() - started > o.seconds * 1000 || stats.sessions >= o.sessions)) break;
    const res = await runSession(o, n, stats);
    stats.sessions += 1;
    stats.inputs += res.inputs || 0;
    const faults = stats.lastSessionFaults;
    if (o.verbose || faults.length) {
      for (const f of faults) {
        stats.faults.push({ ...f, session: n });
        console.log(`FAULT [${f.cls}] session ${n}: ${f.msg}`);
      }
      if (faults.length) {
        fs.mkdirSync(o.out, { recursive: true });
        const file = path.join(o.out, `seed${o.seed}-session${n}.txt`);
        const out = [`replay: node tests/fuzz/session_fuzz.js --seed ${o.seed} --session ${n}`,
          ...faults.map((f) => `fault [${f.cls}] ${f.msg}`), '--- sent', ...res.transcript, '--- engine stdout',
          ...res.eng.lines.map((l) => l.text.slice(0, 500)), '--- engine stderr', res.eng.stderr.slice(0, 20000)];
        fs.writeFileSync(file, `${out.join('\n')}\n`);
        console.log(`  transcript: ${file}`);
        console.log(`  replay: node tests/fuzz/session_fuzz.js --seed ${o.seed} --session ${n}${o.skip.size ? ` --skip ${[...o.skip].join(',')}` : ''}`);
      }
      if (o.verbose && !faults.length) console.log(`session ${n}: ok\n  ${res.transcript.join('\n  ')}`);
    }
  }
  const byClass = {};
  for (const f of stats.faults) byClass[f.cls] = (byClass[f.cls] || 0) + 1;
  console.log(`session fuzz: ${stats.sessions} sessions (${stats.helperSessions} searching with helper threads), ${stats.inputs} inputs run, ${stats.faults.length} faults found` +
    (stats.faults.length ? ` (${Object.entries(byClass).map(([k, v]) => `${k}: ${v}`).join(', ')})` : ''));
  process.exit(stats.faults.length ? 1 : 0);
}

main().catch((e) => { console.error(e); process.exit(2); });
