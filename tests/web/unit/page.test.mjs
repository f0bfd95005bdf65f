import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { readFileSync } from 'node:fs';
import test from 'node:test';
import { gzipSync } from 'node:zlib';
import { runInNewContext } from 'node:vm';

import { addressWithSeed, readSettings, shareLink } from '../../../web/address.mjs';
import { drawingBufferSize, maxBufferPixels } from '../../../web/drawingBuffer.mjs';
import { InputRecord, isLockSpike } from '../../../web/input.mjs';
import { keepsFromBrowser, keyBits, keyBitsOf } from '../../../web/keys.mjs';
import { downloadGame, downloadProblem, readBuild, stallMilliseconds } from '../../../web/loader.mjs';
import { isFinal, runsGame, stateAfterPause, stateWhenShown, takesOver } from '../../../web/pageState.mjs';

test('the address gives a seed of 0 to 2^32-1, else a drawn one and the bad text, and the demo unless off', () => {
  const drawn = () => '99';
  for (const [search, seed, badSeed, demo] of [
    ['?seed=7', '7', null, false],
    ['?seed=007&autoplay', '7', null, true],
    ['?seed=4294967295&autoplay=1', '4294967295', null, true],
    ['?seed=4294967296', '99', '4294967296', false],
    ['?seed=-1&autoplay=0', '99', '-1', false],
    ['?seed=abc&autoplay=Off', '99', 'abc', false],
    ['?seed=&autoplay=false', '99', '', false],
    ['?seed=%3Cb%3E', '99', '<b>', false],
    ['', '99', null, false],
  ]) {
    assert.deepEqual(readSettings(search, drawn), { seed, badSeed, demo }, search);
  }
});

test('links name the seed through URL, keeping a path with & whole; a share carries nothing else', () => {
  const href = 'https://example.org/a&amp;b/quorralith.html?seed=abc&autoplay#x';
  assert.equal(addressWithSeed(href, '5'), 'https://example.org/a&amp;b/quorralith.html?seed=5&autoplay=');
  assert.equal(shareLink(href, '5'), 'https://example.org/a&amp;b/quorralith.html?seed=5');
});

test('each page state, and what a pause, a key or click, and a hidden tab shown again leave of it', () => {
  for (const [state, final, runs, afterPause, keyPlays, afterHiding] of [
    ['loading', false, false, 'loading', false, 'loading'],
    ['failed', true, false, 'failed', false, 'failed'],
    ['context-lost', true, false, 'context-lost', false, 'context-lost'],
    ['paused', false, false, 'paused', true, 'paused'],
    ['playing', false, true, 'paused', false, 'paused'],
    ['demo', false, true, 'paused', true, 'demo'],
  ]) {
    assert.deepEqual([isFinal(state), runsGame(state), stateAfterPause(state), takesOver(state),
      stateWhenShown(state, stateAfterPause(state))], [final, runs, afterPause, keyPlays, afterHiding], state);
  }
  // A demo the player took over before the tab was shown again stays theirs.
  assert.equal(stateWhenShown('demo', 'playing'), 'playing');
});

test('what the page says when its modules did not load, as the host served it', () => {
  const script = /<script>([\s\S]*?)<\/script>/.exec(readFileSync(new URL('../../../web/shell.html', import.meta.url), 'utf8'))[1];
  const advice = runInNewContext(`${script}; quorralithHostingAdvice`, { setTimeout: () => 0 });
  for (const [address, words, fixed] of [
    ['file:///home/me/build-web/quorralith.html', /serve this folder over HTTP.*make serve-web/, null],
    ['https://games.example/q/quorralith.html/?seed=7', /slash after the page's name/, '/q/quorralith.html?seed=7'],
    ['https://games.example/q/quorralith.html/page.mjs', /slash/, '/q/quorralith.html'],
    ['https://games.example/q/quorralith.html?seed=7', /page\.mjs .*did not load.*as JavaScript/, ''],
  ]) {
    const { text, address: opened } = advice(new URL(address));
    assert.match(text, words, address);
    assert.equal(opened, fixed, address);
  }
});

test('keys count by their place, and the browser keeps only Escape, function keys and chords off the game', () => {
  const { forward, back, left, right, run, crouch } = keyBits;
  for (const [code, bits] of [['KeyW', forward], ['KeyS', back], ['KeyA', left], ['KeyD', right], ['ShiftLeft', run],
    ['ControlLeft', crouch], ['KeyC', crouch], ['ArrowUp', forward], ['ArrowDown', back],
    ['ArrowLeft', left], ['ArrowRight', right], ['KeyZ', 0], ['ShiftRight', 0]]) {
    assert.equal(keyBitsOf([code]), bits, code);
  }
  assert.equal(keyBitsOf(['KeyW', 'KeyA', 'ShiftLeft']), forward | left | run);
  for (const [event, kept] of [
    [{ code: 'KeyW', ctrlKey: true }, true],
    [{ code: 'KeyF', ctrlKey: true }, true],
    [{ code: 'KeyR', metaKey: true }, true],
    [{ code: 'KeyA' }, true],
    [{ code: 'ArrowDown' }, true],
    [{ code: 'KeyQ' }, false],
    [{ code: 'Escape', ctrlKey: true }, false],
    [{ code: 'F11' }, false],
  ]) {
    assert.equal(keepsFromBrowser(event), kept, JSON.stringify(event));
  }
});

test('the drawing buffer follows the pixel ratio up to its budget, below the CSS size only beyond it', () => {
  for (const [width, height, ratio, size] of [
    [1024, 768, 2, '2048x1536'],
    [393, 851, 2.75, '1080x2340'],
    [1024, 768, 0.5, '1024x768'],
    [1024, 768, undefined, '1024x768'],
    [1920, 1080, 2, '2560x1440'],  // the budget
    [3840, 2160, 2, '2560x1440'],  // over it at the CSS size alone
    [5120, 1440, 1, '3620x1018'],  // a 32:9 monitor
    [0, 0, 3, '3x3'],
  ]) {
    const buffer = drawingBufferSize(width, height, ratio);
    assert.equal(`${buffer.width}x${buffer.height}`, size, `${width}x${height} at ${ratio}`);
    assert.ok(buffer.width * buffer.height <= maxBufferPixels);
  }
});

// The server of a build, as fetch: each file as given, or changed as a case
// says (a status alone, the bytes cut to a share, the connection dropped).
function serve(files, change = {}) {
  return async (url) => {
    const name = url.split('?')[0];
    const { status = 200, share = 1, drop = false, body = files[name] } = change[name] ?? {};
    if (drop) throw new TypeError('Failed to fetch');
    return new Response(status === 200 ? body.subarray(0, Math.floor(body.length * share)) : 'gone',
      { status });
  };
}

// A build of these contents, as the server holds it, with its build.json.
function buildOf(contents) {
  const files = Object.fromEntries(Object.entries(contents).map(([name, text]) => [name, gzipSync(text)]));
  const listed = Object.fromEntries(Object.entries(files).map(([name, bytes]) =>
    [name, { bytes: bytes.length, sha256: createHash('sha256').update(bytes).digest('hex') }]));
  return { ...files, 'build.json': Buffer.from(JSON.stringify({ version: 'v1', files: listed })) };
}

test('every failed download is named, and only checked files are handed on', async () => {
  const files = buildOf({ 'quorralith.js.gz': 'script', 'quorralith.wasm.gz': 'module', 'quorralith.data.gz': 'maze data' });
  const otherData = gzipSync('maze dat!');
  const shares = [];
  globalThis.fetch = serve(files);
  const loaded = await downloadGame((share) => shares.push(share));
  assert.equal(new TextDecoder().decode(loaded.data), 'maze data');
  assert.equal(shares.at(-1), 1);
  for (const [change, what, file, detail] of [
    [{ 'build.json': { status: 404 } }, 'missing', 'build.json', /404/],
    [{ 'build.json': { body: Buffer.from('{') } }, 'damaged', 'build.json', /JSON/],
    [{ 'quorralith.js.gz': { status: 404 } }, 'missing', 'quorralith.js.gz', /404/],
    [{ 'quorralith.js.gz': { share: 0.5 } }, 'damaged', 'quorralith.js.gz', /bytes where the build has/],
    [{ 'quorralith.wasm.gz': { share: 0.9 } }, 'damaged', 'quorralith.wasm.gz', /bytes where the build has/],
    [{ 'quorralith.wasm.gz': { body: Buffer.from('modules') } }, 'damaged', 'quorralith.wasm.gz', /7 bytes/],
    [{ 'quorralith.data.gz': { status: 404 } }, 'missing', 'quorralith.data.gz', /404/],
    [{ 'quorralith.data.gz': { share: 0 } }, 'damaged', 'quorralith.data.gz', /0 bytes/],
    [{ 'quorralith.data.gz': { body: otherData } }, 'damaged', 'quorralith.data.gz', /checksum/],
    [{ 'quorralith.data.gz': { drop: true } }, 'network', 'quorralith.data.gz', /^$/],
  ]) {
    globalThis.fetch = serve(files, change);
    await assert.rejects(downloadGame(() => {}), (failure) =>
      failure.what === what && failure.file === file && detail.test(failure.detail), JSON.stringify(change));
  }
  // Where the browser gives no digest (not HTTPS, not this machine), the size is checked alone.
  assert.equal(downloadProblem(10, null, { bytes: 10, sha256: 'ab' }), '');
  assert.throws(() => readBuild({ version: 'v', files: { 'quorralith.js.gz': { bytes: 1, sha256: 'ab' } } }), /build\.json/);
});

test('a frame of input takes the moves and a hand-over once, and keeps the keys held', () => {
  const input = new InputRecord();
  input.press('KeyW');
  input.move(3, -2);
  input.move(1, 1);
  input.handOver();
  assert.deepEqual(input.take(), { keys: keyBits.forward, moveX: 4, moveY: -1, handedOver: true });
  input.holdBits(keyBits.run);
  assert.deepEqual(input.take(), { keys: keyBits.forward | keyBits.run, moveX: 0, moveY: 0, handedOver: false });
  input.release('KeyW');
  assert.equal(input.take().keys, keyBits.run);
  input.press('KeyS');
  input.releaseAll();
  assert.equal(input.take().keys, 0);
});

test('a move right after the pointer locks is dropped when it jumps, turned when it is a flick', () => {
  for (const [dx, dy, sinceLock, dropped] of [
    [1015, 0, 16, true], [0, -600, 250, true], [-150, 150, 0, true],
    [150, 120, 10, false], [40, 3, 1, false], [1015, 0, 260, false],
  ]) {
    assert.equal(isLockSpike(dx, dy, sinceLock), dropped, `${dx}, ${dy} at ${sinceLock} ms`);
  }
});

test('a download that keeps moving never fails as stalled, however long it takes; one that stops does', async (t) => {
  t.mock.timers.enable({ apis: ['setTimeout'] });
  const files = buildOf({ 'quorralith.js.gz': 'script', 'quorralith.wasm.gz': 'module', 'quorralith.data.gz': 'maze data' });
  // The data a byte at a time, each `wait` after the last (minutes in all when half the stall's time).
  for (const [wait, outcome] of [[stallMilliseconds / 2, 'maze data'], [stallMilliseconds * 1.5, 'stalled']]) {
    globalThis.fetch = async (url, { signal }) => {
      if (!url.startsWith('quorralith.data')) return serve(files)(url);
      const bytes = [...files['quorralith.data.gz']];
      return new Response(new ReadableStream({
        start: (stream) => signal.addEventListener('abort', () => stream.error(signal.reason)),
        pull: (stream) => new Promise((resolve) => setTimeout(resolve, wait))
          .then(() => (bytes.length ? stream.enqueue(new Uint8Array([bytes.shift()])) : stream.close())) }));
    };
    let ended = null;
    downloadGame(() => {}).then((game) => new TextDecoder().decode(game.data), (failure) => failure.what)
      .then((end) => { ended = end; });
    while (ended === null) {
      await new Promise((resolve) => setImmediate(resolve));
      t.mock.timers.tick(1000);
    }
    assert.equal(ended, outcome, `a byte every ${wait} ms`);
  }
});
