import assert from 'node:assert/strict';
import test from 'node:test';

import { keyBits } from '../../../web/keys.mjs';
import { isTap, knobOffset, stickKeys } from '../../../web/touch.mjs';

const { forward, back, right, left, run } = keyBits;

test('the stick gives the keys of the eighth of the circle it points into, and runs at its rim', () => {
  for (const [dx, dy, keys] of [
    [0, 0, 0], [10, -10, 0],  // inside the dead zone
    [0, -30, forward], [0, 30, back], [30, 0, right], [-30, 0, left],
    [30, -30, forward | right], [-21, 21, back | left],
    [30, -11, right],  // 20 degrees off right: right alone
    [30, -13, forward | right],  // 23.4 degrees: into the diagonal's eighth
    [0, -54, forward | run], [0, -200, forward | run], [-60, 0, left | run],
    [NaN, 5, 0],
  ]) {
    assert.equal(stickKeys(dx, dy, 60), keys, `${dx}, ${dy}`);
  }
});

test('the knob follows the thumb up to the rim, along the thumb\'s direction', () => {
  assert.deepEqual(knobOffset(30, -40, 60), { x: 30, y: -40 });
  assert.deepEqual(knobOffset(300, -400, 60), { x: 36, y: -48 });
});

test('a tap lands and lifts within a small reach and half a second', () => {
  const down = { x: 100, y: 100, time: 0 };
  assert.ok(isTap(down, { x: 110, y: 110, time: 200 }));
  assert.ok(!isTap(down, { x: 130, y: 100, time: 200 }));
  assert.ok(!isTap(down, { x: 100, y: 100, time: 900 }));
});
