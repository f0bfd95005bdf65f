import { keyBitsOf } from './keys.mjs';

// Right after the pointer locks, a browser may report the cursor's jump to
// where the lock holds it as one move (a thousand pixels in one event has
// been seen): that is no turn of the player's. A real flick of the mouse
// moves a few dozen pixels an event, a hundred at most.
export const lockSettleMilliseconds = 250;
export const lockSpikePixels = 200;

// Whether a move of `dx`, `dy` pixels, `sinceLock` milliseconds after the
// pointer locked, is that jump, to be dropped rather than turned.
export function isLockSpike(dx, dy, sinceLock) {
  return sinceLock <= lockSettleMilliseconds && Math.hypot(dx, dy) > lockSpikePixels;
}

// What the player did since the game's last frame, gathered from the page's
// events and handed to the game in one piece each frame: the keys held, how
// far the mouse (or a finger) moved, and whether a click or a key took over
// the demo. The game turns the move into its cursor offset and the keys into
// its input record, exactly as the desktop's window gives them.
export class InputRecord {
  #held = new Set();
  #heldBits = 0;  // keys held by other hands than the keyboard (the touch stick)
  #moveX = 0;
  #moveY = 0;
  #handedOver = false;

  press(code) { this.#held.add(code); }
  release(code) { this.#held.delete(code); }
  // A key let go while the page had no focus never says so.
  releaseAll() {
    this.#held.clear();
    this.#heldBits = 0;
  }
  holdBits(bits) { this.#heldBits = bits; }
  move(dx, dy) {
    this.#moveX += dx;
    this.#moveY += dy;
  }
  // A move made before the game had the mouse is no turn of the player's.
  forgetMoves() {
    this.#moveX = 0;
    this.#moveY = 0;
  }
  handOver() { this.#handedOver = true; }

  // This frame's share, and a fresh start for the next.
  take() {
    const frame = {
      keys: keyBitsOf(this.#held) | this.#heldBits,
      moveX: this.#moveX,
      moveY: this.#moveY,
      handedOver: this.#handedOver,
    };
    this.forgetMoves();
    this.#handedOver = false;
    return frame;
  }
}
