import assert from 'node:assert/strict';
import test from 'node:test';

import { addressWithSeed, readSettings, shareLink } from '../../../web/address.mjs';
import { drawingBufferSize, maxBufferPixels } from '../../../web/drawingBuffer.mjs';
import { InputRecord } from '../../../web/input.mjs';
import { keepsFromBrowser, keyBits, keyBitsOf } from '../../../web/keys.mjs';
import { downloadProblem, readBuild } from '../../../web/loader.mjs';

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
  for (const [event, kept] of [
    [{ code: 'KeyW', ctrlKey: true }, true],
    [{ code: 'KeyF', ctrlKey: true }, true],
    [{ code: 'KeyR', metaKey: true }, true],
    [{ code: 'KeyA' }, true],
    [{ code: 'KeyQ' }, false],
    [{ code: 'Escape', ctrlKey: true }, false],
    [{ code: 'F11' }, false],
  ]) {
    assert.equal(keepsFromBrowser(event), kept, JSON.stringify(event));
  }
});

test('the drawing buffer follows the pixel ratio up to its budget, never below the CSS size', () => {
  for (const [width, height] of [[1024, 768], [393, 851], [1920, 1080], [3840, 2160], [0, 0]]) {
    for (const ratio of [0.5, 1, 2, 2.75, 3, undefined]) {
      const size = drawingBufferSize(width, height, ratio);
      const css = Math.max(1, width) * Math.max(1, height);
      const wanted = css * Math.max(1, ratio ?? 1) ** 2;
      assert.ok(size.width >= Math.max(1, width) && size.height >= Math.max(1, height));
      assert.ok(Math.abs(size.width * size.height - Math.min(wanted, Math.max(css, maxBufferPixels))) <=
        size.width + size.height, `${width}x${height} at ${ratio}: ${size.width}x${size.height}`);
    }
  }
});

test('a download is checked by its size, then by its digest where the browser gives one', () => {
  const expected = { bytes: 10, sha256: 'ab' };
  assert.equal(downloadProblem(10, 'ab', expected), '');
  assert.equal(downloadProblem(10, null, expected), '');
  assert.match(downloadProblem(9, 'ab', expected), /9 bytes where the build has 10/);
  assert.match(downloadProblem(10, 'cd', expected), /checksum/);
  assert.throws(() => readBuild({ version: 'v', files: { 'quorralith.js': expected } }), /build\.json/);
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
