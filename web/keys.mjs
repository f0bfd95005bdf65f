// The game's keys by their place on the keyboard (event.code), as the
// desktop game reads them: W A S D sit where they sit on a QWERTY keyboard,
// whatever the layout prints on them.

// The bits of the game's key set, as the game reads them
// (src/app/web/Platform.cpp).
export const keyBits = { forward: 1, back: 2, right: 4, left: 8, run: 16, crouch: 32 };

// The arrow keys walk as W A S D do, for a player who keeps a hand on them.
// C crouches too: Control and W together is the one chord that a browser
// outside fullscreen keeps for itself (it closes the tab), so a player who
// crouches and walks needs a crouch without Control.
const bitOfCode = new Map([
  ['KeyW', keyBits.forward],
  ['KeyS', keyBits.back],
  ['KeyD', keyBits.right],
  ['KeyA', keyBits.left],
  ['ArrowUp', keyBits.forward],
  ['ArrowDown', keyBits.back],
  ['ArrowRight', keyBits.right],
  ['ArrowLeft', keyBits.left],
  ['ShiftLeft', keyBits.run],
  ['ControlLeft', keyBits.crouch],
  ['KeyC', keyBits.crouch],
]);

export function isGameKey(code) {
  return bitOfCode.has(code);
}

// The game's key set for the codes held.
export function keyBitsOf(heldCodes) {
  let bits = 0;
  for (const code of heldCodes) bits |= bitOfCode.get(code) ?? 0;
  return bits;
}

// Whether the page keeps a key press from the browser while the game has the
// keyboard: every game key, and every chord with Control or Command, which a
// crouching player presses without meaning the browser's shortcut. Escape
// stays the browser's (it leaves the pointer lock), and so do the function
// keys (F11 is fullscreen).
export function keepsFromBrowser({ code, ctrlKey = false, metaKey = false }) {
  if (code === 'Escape' || /^F[0-9]+$/.test(code)) return false;
  return isGameKey(code) || ctrlKey || metaKey;
}
