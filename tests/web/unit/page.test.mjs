import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import test from 'node:test';
import { gzipSync } from 'node:zlib';

import { addressWithSeed, readSettings, shareLink } from '../../../web/address.mjs';
import { drawingBufferSize } from '../../../web/drawingBuffer.mjs';
import { InputRecord } from '../../../web/input.mjs';
import { keepsFromBrowser, keyBits, keyBitsOf } from '../../../web/keys.mjs';
import { downloadGame, downloadProblem, readBuild } from '../../../web/loader.mjs';

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

test('links name the seed through URL, keeping a path with & whole', () => {
  const href = 'https://example.org/a&amp;b/quorralith.html?seed=abc&autoplay#x';
  assert.equal(addressWithSeed(href, '5'), 'https://example.org/a&amp;b/quorralith.html?seed=5&autoplay=#x');
  const shared = new URL(shareLink(href, '5'));
  assert.equal(shared.pathname, '/a&amp;b/quorralith.html');
  assert.equal(shared.search, '?seed=5');
});

test('keys count by their place, and the browser keeps only Escape, function keys and chords off the game', () => {
  assert.equal(keyBitsOf(['KeyW', 'ShiftLeft', 'KeyC', 'KeyZ', 'ShiftRight']), keyBits.forward | keyBits.run | keyBits.crouch);
  assert.equal(keyBitsOf(['ControlLeft', 'KeyA', 'KeyS', 'KeyD']), keyBits.crouch | keyBits.left | keyBits.back | keyBits.right);
  assert.equal(keyBitsOf(['ArrowUp', 'ArrowRight', 'ArrowDown', 'ArrowLeft']), keyBits.forward | keyBits.right | keyBits.back | keyBits.left);
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

test('the drawing buffer follows the pixel ratio up to its budget, never below the CSS size', () => {
  for (const [width, height, ratio, size] of [
    [1024, 768, 2, '2048x1536'],
    [393, 851, 2.75, '1081x2340'],
    [1024, 768, 0.5, '1024x768'],
    [1024, 768, undefined, '1024x768'],
    [1920, 1080, 2, '2560x1440'],  // the budget
    [3840, 2160, 2, '3840x2160'],  // over it at the CSS size alone
    [0, 0, 3, '3x3'],
  ]) {
    const buffer = drawingBufferSize(width, height, ratio);
    assert.equal(`${buffer.width}x${buffer.height}`, size, `${width}x${height} at ${ratio}`);
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
  input.releaseAll();
  assert.equal(input.take().keys, 0);
});
