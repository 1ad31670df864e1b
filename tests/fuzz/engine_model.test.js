'use strict';
// The fuzzer's model of the position command must read text exactly as the engine
// does, or every difference turns into a false fault.
const test = require('node:test');
const assert = require('node:assert');
const { Chess } = require('chess.js');
const model = require('./engine_model');

test('the start text reads as the standard position', () => {
  const st = model.readFen(model.START_TEXT);
  assert.strictEqual(model.fenOf(st), 'rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1');
});

test('a side letter and two spaces lose the castling field to the en-passant step', () => {
  const st = model.readFen('position fen 4k3/8/8/8/8/8/8/4K2R b  K - 0 1');
  assert.strictEqual(st.white, false);
  assert.strictEqual(st.K, false);
  assert.deepStrictEqual(st.ep, { x: 255, y: 255 });
});

test('an unknown placement character is one empty square; text past 256 is out of reach', () => {
  const st = model.readFen('position fen 4k2x/8/8/8/8/8/8/4K3 w - - 0 1');
  assert.strictEqual(st.board[60], 'k');
  assert.strictEqual(st.board[63], null);
  const far = model.readFen(`position fen ${'1'.repeat(300)}/8/8 w`);
  assert.strictEqual(far.white, false);
});

test('hostile positions are named, sound ones are not', () => {
  const reasons = (fen) => model.hostileReasons(model.readFen(`position fen ${fen}`));
  assert.deepStrictEqual(reasons('4k3/8/8/8/8/8/8/4K3 w - - 0 1'), []);
  assert.ok(reasons('8/8/8/8/8/8/8/4K3 w - - 0 1').length > 0);
  assert.ok(reasons('4k3/8/8/8/8/8/8/P3K3 w - - 0 1').length > 0);
  assert.deepStrictEqual(reasons('4k3/4R3/8/8/8/8/8/4K3 w - - 0 1'), ['side not to move in check']);
});

test('bogus castling rights and en-passant squares are dropped', () => {
  const st = model.readFen('position fen 4k3/8/8/8/8/8/8/P6K w KQ e6 0 1');
  assert.deepStrictEqual(model.dropBogusRights(st).sort(), ['castling K', 'castling Q', 'en passant 4,5']);
  const ok = model.readFen('position fen 4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1');
  assert.deepStrictEqual(model.dropBogusRights(ok), []);
});

test('the moves list: promotions, off-board squares, illegal moves and the reading window', () => {
  const m = model.modelPosition('position fen 8/P6k/8/8/8/8/6Kp/8 w - - 0 1 moves a7a8n h7g6 g1i4 a8c7 e2e4');
  assert.deepStrictEqual(m.skipped, ['g1i4: square off the board', 'e2e4: matches nothing']);
  assert.strictEqual(m.chess.fen().split(' ')[0], '8/2N5/6k1/8/8/8/6Kp/8');
  const pinned = model.modelPosition('position fen 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1 moves e2d3');
  assert.deepStrictEqual(pinned.skipped, ['e2d3: not legal here']);
  const trailing = model.modelPosition('position startpos moves e2e4\r');
  assert.deepStrictEqual(trailing.skipped, []);
  const letter = model.modelPosition('position startpos moves e2e4q e7e5r');
  assert.deepStrictEqual(letter.skipped, ['e7e5r: bad promotion letter']);
  const cut = model.modelPosition('position startpos moves e2e4\0 e7e5');
  assert.strictEqual(cut.chess.history().length, 1);
});

test('Chess960 castling texts: king takes rook but for standard castling with the option off', () => {
  for (const [k, rk, rank, on, text] of [[4, 7, '1', false, 'e1g1'], [4, 0, '8', false, 'e8c8'], [4, 7, '1', true, 'e1h1'],
    [1, 0, '1', false, 'b1a1'], [2, 1, '8', true, 'c8b8'], [5, 6, '1', false, 'f1g1'], [4, 6, '1', false, 'e1g1']])
    assert.strictEqual(model.castlingText(k, rk, rank, on), text, `${k} ${rk} ${on}`);
});

test('searchmoves: the legal moves named up to the first word that is no move, or every move', () => {
  const chess = new Chess('8/P6k/8/8/8/8/6K1/8 w - - 0 1');
  const allowed = (line) => [...model.searchmovesAllowed(line, chess)].sort();
  assert.deepStrictEqual(allowed('go depth 2 searchmoves a7a8 g2g3 g2g3 e2e4 a7a8n a7a8k g2h3'), ['a7a8n', 'a7a8q', 'g2g3']);
  assert.deepStrictEqual(allowed('go depth 2 searchmoves e2e4 zz g2g3'), [...model.legalMoveTexts(chess)].sort());
  assert.deepStrictEqual(allowed('go depth 2'), [...model.legalMoveTexts(chess)].sort());
});

test('debug and register are commands; other lines no command begins are warned', () => {
  for (const l of ['debug on', 'register later', 'setoption name Clear Hash', 'ucinewgame', 'go nodes 5', 'isready\0x',
    'ponderhit'])
    assert.strictEqual(model.warnsUnknown(l), false, l);
  for (const l of ['ponderhit now', ' uci', 'stop', '', 'Debug on']) assert.strictEqual(model.warnsUnknown(l), true, l);
});

test('a go line ends with bestmove, a count with its total; other lines start neither', () => {
  for (const [l, end] of [['go movetime', 'bestmove'], ['go depth', 'bestmove'], ['go x\r depth 1', 'bestmove'],
    ['gox', 'bestmove'], ['go perft 2', 'Nodes searched: '], ['go  perft', 'Nodes searched: '],
    ['go perftx 2', 'bestmove'], ['go depth 1\0 perft 2', 'bestmove'], ['isready', null], [' go depth 1', null]])
    assert.strictEqual(model.goEnd(l), end, JSON.stringify(l));
});

// Digits stop counting once the value passes 2^40: twenty nines read as thirteen.
test('numbers read as the engine reads them: sign, digits up to the first other character, 32 bits', () => {
  for (const [text, n] of [['64', 64], [' -5', -5], ['+3x', 3], ['junk', 0], ['', 0], ['1000', 1000],
    ['4294967297', 1], ['2147483648', -2147483648], ['99999999999999999999', Number(BigInt.asIntN(32, 9999999999999n))]])
    assert.strictEqual(model.readNumber(text), n, text);
});

test('Ponder, MultiPV and Threads: clamped, case-blind names, "true" alone turns a check box on', () => {
  const after = (...lines) => lines.reduce(model.applyOption, model.OPTIONS_AT_START);
  assert.deepStrictEqual(after('setoption name MultiPV value 0'),
    { ponder: false, multipv: 1, threads: 1, skill: 20, limitStrength: false, elo: 1350 });
  assert.strictEqual(after('setoption name Skill Level value 99').skill, 20);
  assert.strictEqual(after('setoption name skill level value -4').skill, 0);
  assert.strictEqual(model.weakened(after('setoption name Skill Level value 7')), true);
  assert.strictEqual(model.weakened(after('setoption name Skill Level value 7', 'setoption name UCI_LimitStrength value true',
    'setoption name UCI_Elo value 99999')), false);
  assert.strictEqual(after('setoption name UCI_Elo value 5').elo, 1350);
  assert.strictEqual(after('setoption name multipv value 1000').multipv, 64);
  assert.strictEqual(after('setoption name MultiPV value -5').multipv, 1);
  assert.strictEqual(after('setoption name MultiPV value 3 \r').multipv, 3);
  assert.strictEqual(after('setoption name MultiPV value 3', 'setoption name MultiPV value junk').multipv, 1);
  assert.strictEqual(after('setoption name MultiPV value 3', 'setoption name MultiPV').multipv, 3);
  assert.strictEqual(after('setoption name Threads value 999').threads, 64);
  assert.strictEqual(after('setoption name Threads value 2\0x').threads, 2);
  assert.strictEqual(after('setoption name  Ponder  value TRUE').ponder, true);
  assert.strictEqual(after('setoption name Ponder value true', 'setoption name Ponder value yes').ponder, false);
  assert.deepStrictEqual(after('setoption name Hash value 4', 'isready'), model.OPTIONS_AT_START);
});
