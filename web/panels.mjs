// Which of the page's panels show, decided in one place from the page's
// state and the screen, so that no two handlers can show two panels that
// were never meant to be seen together. Pure: overlay.mjs hands in what it
// sees and shows what it gets back. Where each panel stands is the style
// sheet's (a grid that never lays two of them over each other).
import { pageStates } from './pageState.mjs';

// A phone, not a tablet: a touch-first screen whose shorter side is under
// 600 CSS pixels. Only a phone is too narrow to play upright; a tablet plays
// either way.
export const phoneShorterSidePixels = 600;
export function isPhone({ touchFirst, screenWidth, screenHeight }) {
  return touchFirst && Math.min(screenWidth, screenHeight) < phoneShorterSidePixels;
}

// A window under these sizes (a small desktop window, a phone on its side)
// keeps the picture and the prompt: the keys and the licence wait behind a
// button or step aside.
export const compactWidthPixels = 700;
export const compactHeightPixels = 500;
export function isCompact(width, height) {
  return width < compactWidthPixels || height < compactHeightPixels;
}

// The sheets the pause panel opens, each in its place.
const sheetPanels = { settings: 'settings', keys: 'controls' };

// The panels shown for a situation:
//   state         the page's state (pageState.mjs)
//   touchFirst    the page speaks of taps: the touch guide, no keys table
//   hasTouch      the touch controls are offered (their hints with them)
//   upright       a phone held upright: it is asked to turn
//   compact       a small window (isCompact)
//   sheet         'settings' or 'keys' opened from the pause panel, or null
//   everyCube     every food cube is eaten and the player has not closed
//                 the panel that says so
//   used          { stick, look }: the touch controls the player has used
// Returns the set of panel names.
export function visiblePanels({ state, touchFirst, hasTouch, upright, compact, sheet, everyCube, used }) {
  const shown = new Set();
  const waits = state === pageStates.paused || state === pageStates.demo;
  if (state === pageStates.loading) shown.add('loading');
  if (state === pageStates.failed || state === pageStates.contextLost) shown.add('stopped');
  if (waits && upright) return new Set(['turn']);
  if (waits && sheet) return new Set([sheetPanels[sheet]]);
  if (state === pageStates.paused) shown.add('prompt');
  if (state === pageStates.demo) shown.add('demo');
  const aside = waits || state === pageStates.loading;
  if (aside || state === pageStates.failed) shown.add('share');
  if (aside && !compact) {
    if (!touchFirst) shown.add('controls');
    shown.add('licence');
  }
  if (everyCube && state !== pageStates.loading && state !== pageStates.failed &&
      state !== pageStates.contextLost) shown.add('every-cube');
  if (state === pageStates.playing && hasTouch) {
    if (!used.stick) shown.add('stick-hint');
    if (!used.look) shown.add('look-hint');
    if (!used.stick || !used.look) shown.add('button-hints');
  }
  return shown;
}

// Whether the pause panel offers the keys behind a button: a keyboard's
// player in a window too small for the keys beside the prompt.
export function offersKeysButton({ touchFirst, compact }) {
  return compact && !touchFirst;
}
