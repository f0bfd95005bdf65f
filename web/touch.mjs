// The arithmetic of the touch controls: where the thumb holds the stick
// becomes the keys the keyboard would hold, and a drag becomes the mouse's
// move. Pure, so that node's tests check it; touchControls.mjs wires it to
// the fingers.
import { keyBits } from './keys.mjs';

// The stick's reach from where the thumb first landed, in CSS pixels: about
// a thumb's comfortable sweep without lifting the hand.
export const stickRadiusPixels = 60;
// Near the centre the stick holds nothing, so a resting thumb stands still.
export const stickDeadZone = 0.25;
// Pushed this far out of its reach, the stick runs, as Shift does.
export const stickRunReach = 0.9;
// A key is held while the stick points within 67.5 degrees of its direction,
// so that the eight directions of W, A, S, D and their pairs share the
// circle equally, 45 degrees each.
const keyCone = Math.sin(Math.PI / 8);

// The game's key set for the thumb `dx`, `dy` CSS pixels from where it
// landed (y grows downward: pushing up walks forward).
export function stickKeys(dx, dy, radius = stickRadiusPixels) {
  const length = Math.hypot(dx, dy);
  if (!(length >= stickDeadZone * radius)) return 0;
  const x = dx / length;
  const y = dy / length;
  let bits = 0;
  if (-y > keyCone) bits |= keyBits.forward;
  if (y > keyCone) bits |= keyBits.back;
  if (x > keyCone) bits |= keyBits.right;
  if (-x > keyCone) bits |= keyBits.left;
  if (length >= stickRunReach * radius) bits |= keyBits.run;
  return bits;
}

// Where the stick's knob is drawn: under the thumb, but never past its rim.
export function knobOffset(dx, dy, radius = stickRadiusPixels) {
  const length = Math.hypot(dx, dy);
  const scale = length > radius ? radius / length : 1;
  return { x: dx * scale, y: dy * scale };
}

// Cursor pixels of turn per CSS pixel of drag. The mouse turns 0.005 radians
// a pixel; a thumb sweeps much less far than a mouse travels, so a drag turns
// one and a half times that, 0.0075 radians (0.43 degrees) a pixel: a
// 210-pixel sweep, about half the right side of a phone held sideways, turns
// a corridor's corner (90 degrees), and the whole right side half a circle.
export const dragTurnScale = 1.5;

// The mouse move the game takes for a drag of `dx`, `dy` CSS pixels.
export function dragMove(dx, dy) {
  return { x: dx * dragTurnScale, y: dy * dragTurnScale };
}

// Whether a touch landing at `x` of a `width`-wide screen steers the stick
// (the left half) or looks around (the right half).
export function touchRole(x, width) {
  return x < width / 2 ? 'stick' : 'look';
}

// A finger that lifts near where it landed, soon, is a tap; anything else is
// a swipe or a hold.
export const tapReachPixels = 16;
export const tapMilliseconds = 500;
export function isTap(down, up) {
  return Math.hypot(up.x - down.x, up.y - down.y) <= tapReachPixels && up.time - down.time <= tapMilliseconds;
}
