// The touch controls, drawn by the page over the game while it is played: a
// stick that appears under the left thumb, a look area on the right, a
// crouch button and a pause button. Several fingers at once, each followed
// by its own pointer id, so that walking and looking go together. They feed
// the same input record as the keyboard and the mouse.
import { keyBits } from './keys.mjs';
import { dragMove, knobOffset, stickKeys, touchRole } from './touch.mjs';

// Whether the device has a touch screen at all (then the controls are
// offered, beside a mouse if it has one too), and whether touch is its main
// pointer (then the page speaks of taps).
export function touchAbilities() {
  const hasTouch = navigator.maxTouchPoints > 0;
  return { hasTouch, touchFirst: hasTouch && matchMedia('(pointer: coarse)').matches };
}

// `input` is the page's InputRecord; `pause` pauses the game; `look(dx, dy)`
// turns the view for a drag of that many CSS pixels; `onUse(role)` hears
// each use of the stick or of a look.
export function setUpTouchControls({ input, pause, look, onUse = () => {} }) {
  const layer = document.getElementById('touch');
  const base = document.getElementById('stick');
  const knob = document.getElementById('stick-knob');
  const crouchButton = document.getElementById('crouch-button');
  const fingers = new Map();  // pointer id → { role, x, y, startX, startY }
  let stickBits = 0;
  let crouching = false;

  // A held button would need a third thumb: crouch is a toggle.
  const holdKeys = () => input.holdBits(stickBits | (crouching ? keyBits.crouch : 0));
  const placeStick = (finger) => {
    base.hidden = !finger;
    if (!finger) return;
    base.style.left = `${finger.startX}px`;
    base.style.top = `${finger.startY}px`;
    const offset = knobOffset(finger.x - finger.startX, finger.y - finger.startY);
    knob.style.transform = `translate(${offset.x}px, ${offset.y}px)`;
  };

  layer.addEventListener('pointerdown', (event) => {
    // The buttons take their own taps.
    if (event.target.closest('button')) return;
    event.preventDefault();
    layer.setPointerCapture?.(event.pointerId);
    const role = touchRole(event.clientX, innerWidth);
    if (role === 'stick' && [...fingers.values()].some((finger) => finger.role === 'stick')) return;
    const finger = { role, x: event.clientX, y: event.clientY, startX: event.clientX, startY: event.clientY };
    fingers.set(event.pointerId, finger);
    onUse(role);
    if (role === 'stick') placeStick(finger);
  });
  layer.addEventListener('pointermove', (event) => {
    const finger = fingers.get(event.pointerId);
    if (!finger) return;
    event.preventDefault();
    if (finger.role === 'look') {
      const move = dragMove(event.clientX - finger.x, event.clientY - finger.y);
      look(move.x, move.y);
    }
    finger.x = event.clientX;
    finger.y = event.clientY;
    if (finger.role === 'stick') {
      stickBits = stickKeys(finger.x - finger.startX, finger.y - finger.startY);
      placeStick(finger);
      holdKeys();
    }
  });
  const lift = (event) => {
    const finger = fingers.get(event.pointerId);
    fingers.delete(event.pointerId);
    if (finger?.role !== 'stick') return;
    stickBits = 0;
    placeStick(null);
    holdKeys();
  };
  layer.addEventListener('pointerup', lift);
  layer.addEventListener('pointercancel', lift);

  crouchButton.addEventListener('click', () => {
    crouching = !crouching;
    crouchButton.setAttribute('aria-pressed', String(crouching));
    holdKeys();
  });
  document.getElementById('pause-button').addEventListener('click', () => pause());

  layer.addEventListener('contextmenu', (event) => event.preventDefault());

  // Whatever the fingers held is let go whenever the game stops listening.
  return function letGo() {
    fingers.clear();
    stickBits = 0;
    crouching = false;
    crouchButton.setAttribute('aria-pressed', 'false');
    placeStick(null);
    holdKeys();
  };
}
