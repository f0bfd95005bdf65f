import assert from 'node:assert/strict';
import test from 'node:test';

import { InputRecord } from '../../../web/input.mjs';
import { keyBits } from '../../../web/keys.mjs';
import { dragMove, isTap, knobOffset, stickKeys, touchRole } from '../../../web/touch.mjs';
import { setUpTouchControls } from '../../../web/touchControls.mjs';

const { forward, back, right, left, run, crouch } = keyBits;

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

test('a finger on the left half holds the stick, on the right looks; a drag turns each axis its own way', () => {
  for (const [x, role] of [[0, 'stick'], [499, 'stick'], [500, 'look'], [999, 'look']]) assert.equal(touchRole(x, 1000), role, x);
  assert.deepEqual([dragMove(10, 0), dragMove(0, -10)], [{ x: 15, y: 0 }, { x: 0, y: -15 }]);
});

test('the stick lets go of every key when its finger lifts, whatever the other fingers do', () => {
  const elements = {};
  const element = () => ({ listeners: {}, style: {}, addEventListener(type, listener) { this.listeners[type] = listener; },
    setAttribute() {}, setPointerCapture() {} });
  globalThis.document = { getElementById: (id) => (elements[id] ??= element()) };
  globalThis.innerWidth = 1000;
  const input = new InputRecord();
  const letGo = setUpTouchControls({ input, pause: () => {}, look: (x, y) => input.move(x, y) });
  const finger = (type, pointerId, clientX, clientY) => elements.touch.listeners[type](
    { pointerId, clientX, clientY, target: { closest: () => null }, preventDefault() {} });
  elements['crouch-button'].listeners.click();
  finger('pointerdown', 1, 200, 600);
  finger('pointerdown', 2, 800, 400);
  finger('pointermove', 1, 150, 540);
  finger('pointermove', 2, 810, 390);
  assert.deepEqual(input.take(), { keys: forward | left | run | crouch, moveX: 15, moveY: -15, handedOver: false });
  finger('pointerup', 2, 800, 400);
  assert.equal(input.take().keys, forward | left | run | crouch);
  finger('pointerup', 1, 150, 540);
  assert.equal(input.take().keys, crouch);
  letGo();
  assert.equal(input.take().keys, 0);
});
