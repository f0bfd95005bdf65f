// The page around the game: it downloads and starts it, owns the canvas, the
// keys, the mouse and the pause, and talks to the game through one surface,
// Module.quorralithPage: the game takes a frame of input from it, and tells
// it when its first frame is drawn and when every food cube is eaten.
import { addressWithSeed, drawSeed, readSettings, shareLink } from './address.mjs';
import { drawingBufferSize } from './drawingBuffer.mjs';
import { InputRecord, isLockSpike } from './input.mjs';
import { isGameKey, keepsFromBrowser } from './keys.mjs';
import { downloadGame, failureMessage, LoadFailure, startGame } from './loader.mjs';
import { registerOfflineCache } from './offline.mjs';
import { setUpOverlay } from './overlay.mjs';
import { isFinal, pageStates, runsGame, stateAfterPause, stateWhenShown, takesOver } from './pageState.mjs';
import { browserStorage, loadSettings, lookMove, soundVolume } from './settings.mjs';
import { setUpSettingsForm } from './settingsForm.mjs';
import { isTap } from './touch.mjs';
import { setUpTouchControls, touchAbilities } from './touchControls.mjs';

// The page's modules all loaded and run: the page's watch for modules that
// never arrive (shell.html) stands down.
clearTimeout(globalThis.quorralithModulesWatch);

// The game builds its scene and draws its first frame in a few seconds; a
// minute and a half covers a slow phone.
const startSeconds = 90;
// Rebuilding every texture, mesh and program for a rare driver reset would be
// a second start-up path that only that reset ever runs; the seed in the
// reload link brings the same maze back.
const contextLostMessage = 'The picture was lost: the graphics driver was reset, or the ' +
  'computer switched graphics cards. Reload the page to play this maze again.';

const root = document.documentElement;
const canvas = document.getElementById('canvas');
const element = (id) => document.getElementById(id);
const settings = readSettings(location.search);
const input = new InputRecord();
const touch = touchAbilities();
// The player's own look speeds, invert-Y and sound, and the touch controls
// used, kept by the browser.
const storage = browserStorage();
let playerSettings = loadSettings(storage);
const overlay = setUpOverlay({
  touch,
  shareUrl: () => shareLink(location.href, settings.seed),
  newMazeUrl: () => addressWithSeed(location.href, drawSeed()),
  storage,
});
setUpSettingsForm({
  storage,
  initial: playerSettings,
  onChange: (changed) => { playerSettings = changed; },
  close: () => overlay.closeSheet(),
});
const look = (hand) => (dx, dy) => {
  const move = lookMove(dx, dy, playerSettings, hand);
  input.move(move.x, move.y);
};
const [lookWithMouse, lookWithTouch] = [look('mouse'), look('touch')];
const letGoOfTouches = setUpTouchControls({
  input, pause: () => pause(), look: lookWithTouch, onUse: (role) => overlay.used(role),
});
root.classList.toggle('has-touch', touch.hasTouch);
root.classList.toggle('touch-first', touch.touchFirst);

let state = pageStates.loading;
// The visitor has played: leaving the page then asks first.
let played = false;
// The game did not run since its last frame.
let waited = true;
// When the pointer last locked (event time), and the state the tab was last
// hidden in.
let lockedAt = -Infinity;
let hiddenIn = null;

// Who hears of every change of state (the offline copy, which moves to a new
// build only before anyone has played).
const stateListeners = [];
const progress = () => ({ state, hasPlayed: played });

// Every state is shown by this one function; the style sheet shows and hides
// the panels by root's data-state.
function show(next, message = '') {
  if (isFinal(state)) return;
  state = next;
  root.dataset.state = next;
  element('message').textContent = message;
  if (!runsGame(next)) {
    waited = true;
    input.releaseAll();
    letGoOfTouches();
  }
  played ||= next === pageStates.playing;
  overlay.update(next);
  stateListeners.forEach((listener) => listener(progress()));
}

function fail(failure) {
  const known = failure instanceof LoadFailure ? failure : new LoadFailure('crashed', '', String(failure));
  console.error(`The page stopped: ${known.message}`);
  if (document.pointerLockElement) document.exitPointerLock();
  show(pageStates.failed, failureMessage(known));
}

function pause() {
  if (document.pointerLockElement === canvas) document.exitPointerLock();
  show(stateAfterPause(state));
}

// A phone held upright: the page asks for it turned (the two thumbs need
// the width, and the score line, laid out for a wide window, would be
// squeezed to half its width). A tablet plays either way.
const heldUpright = () => overlay.upright();

// A click, a tap or a key on the paused page or the demo: the player's game,
// from where it is. A mouse gets it once the pointer is locked; a finger at
// once, as do browsers without pointer lock.
function play(event) {
  if (!takesOver(state) || heldUpright()) return;
  input.handOver();
  if (event?.pointerType === 'touch' || !canvas.requestPointerLock) {
    input.forgetMoves();
    show(pageStates.playing);
    return;
  }
  const request = canvas.requestPointerLock();
  // Refused (a lock asked again too soon after Escape): the prompt stays.
  request?.catch?.(() => {});
}

function takeFrame() {
  const size = drawingBufferSize(canvas.clientWidth, canvas.clientHeight, devicePixelRatio);
  if (canvas.width !== size.width || canvas.height !== size.height) {
    canvas.width = size.width;
    canvas.height = size.height;
  }
  const runs = runsGame(state);
  // A waiting game takes no input: a hand-over made on the way to play stays
  // for the first frame that runs.
  const frame = {
    runs,
    looks: state === pageStates.playing,
    bufferWidth: size.width,
    bufferHeight: size.height,
    waited: runs && waited,
    // Browsers start sound only after a click or a tap: the game's first
    // sound waits for the player's first start of play.
    soundVolume: soundVolume(playerSettings, played),
    ...(runs ? input.take() : { keys: 0, moveX: 0, moveY: 0, handedOver: false }),
  };
  waited &&= !runs;
  return frame;
}

function hear(event) {
  if (event === 'all-eaten') return overlay.everyCubeEaten();
  if (event !== 'first-frame') return;
  clearTimeout(startWatch);
  performance.mark('quorralith-first-frame');
  show(settings.demo ? pageStates.demo : pageStates.paused);
}

function showSettings() {
  const link = element('share-link');
  link.href = link.textContent = shareLink(location.href, settings.seed);
  element('reload-link').href = addressWithSeed(location.href, settings.seed);
  // A reload, a bookmark or a copied address brings this maze back.
  history.replaceState(null, '', addressWithSeed(location.href, settings.seed));
  if (settings.badSeed !== null) {
    element('seed-note').textContent = `"${settings.badSeed}" in the address is no maze number ` +
      `(they go from 0 to 4294967295), so this is maze ${settings.seed}.`;
  }
}

// A tap plays as it lifts, rather than on the click the browser makes of it:
// a tap that follows a swipe too closely gets no click at all.
function listenForTaps(target) {
  const landed = new Map();
  target.addEventListener('pointerdown', (event) => {
    landed.set(event.pointerId, { x: event.clientX, y: event.clientY, time: event.timeStamp });
  });
  target.addEventListener('pointerup', (event) => {
    const down = landed.get(event.pointerId);
    landed.delete(event.pointerId);
    // A panel's own buttons and links do what they say, not play.
    if (event.target.closest('button, a, input, label')) return;
    if (event.pointerType === 'touch' && down &&
        isTap(down, { x: event.clientX, y: event.clientY, time: event.timeStamp })) play(event);
  });
}

function listenToThePlayer() {
  for (const asks of [canvas, element('prompt'), element('demo')]) {
    asks.addEventListener('click', play);
    listenForTaps(asks);
  }
  document.addEventListener('pointerlockchange', (event) => {
    if (document.pointerLockElement === canvas) {
      lockedAt = event.timeStamp;
      input.forgetMoves();
      show(pageStates.playing);
    } else if (state === pageStates.playing) {
      show(pageStates.paused);
    }
  });
  document.addEventListener('mousemove', (event) => {
    if (document.pointerLockElement !== canvas) return;
    if (!isLockSpike(event.movementX, event.movementY, event.timeStamp - lockedAt)) {
      lookWithMouse(event.movementX, event.movementY);
    }
  });
  // Control with the wheel would zoom the page under a crouching player.
  addEventListener('wheel', (event) => {
    if (state === pageStates.playing) event.preventDefault();
  }, { passive: false });
  addEventListener('resize', () => {
    if (heldUpright()) pause();
    overlay.update();
  });
  addEventListener('keydown', (event) => {
    if (event.code === 'Escape') return pause();
    // A key on the settings' own controls sets them rather than takes over.
    if (event.target.closest?.('#settings')) return;
    if (state === pageStates.demo && !event.repeat) play();
    if (!runsGame(state)) return;
    if (state === pageStates.playing && keepsFromBrowser(event)) event.preventDefault();
    if (isGameKey(event.code)) input.press(event.code);
  });
  addEventListener('keyup', (event) => input.release(event.code));
  addEventListener('blur', () => input.releaseAll());
  // A phone freezes a page in the background without always hiding it first.
  const hide = () => {
    hiddenIn ??= state;
    pause();
  };
  const reappear = () => {
    const next = stateWhenShown(hiddenIn, state);
    hiddenIn = null;
    if (next !== state) show(next);
  };
  document.addEventListener('visibilitychange', () => (document.hidden ? hide() : reappear()));
  document.addEventListener('freeze', hide);
  document.addEventListener('resume', () => document.hidden || reappear());
  element('fullscreen-button').addEventListener('click', enterFullscreen);
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement) navigator.keyboard?.unlock?.();
  });
  // Without this the browser never gives a lost context back.
  canvas.addEventListener('webglcontextlost', (event) => {
    event.preventDefault();
    if (document.pointerLockElement) document.exitPointerLock();
    show(pageStates.contextLost, contextLostMessage);
  });
  addEventListener('beforeunload', (event) => {
    if (played && !isFinal(state)) event.preventDefault();
  });
}

// Fullscreen only ever at the player's word, and then straight into play:
// the click that asked for it also locks the pointer (asked first, as the
// fullscreen request uses the click up), and the keyboard lock lets Control
// with W crouch and walk rather than close the tab. A browser may drop the
// lock just taken as the page switches to fullscreen (Chromium keeps it,
// also in a portal's frame): the page then asks for it again.
function enterFullscreen(event) {
  event.stopPropagation();
  play(event);
  root.requestFullscreen({ navigationUI: 'hide' })
    .then(() => {
      if (document.pointerLockElement !== canvas && state === pageStates.paused) play(event);
      return Promise.all([navigator.keyboard?.lock?.(), screen.orientation?.lock?.('landscape')]);
    })
    .catch(() => {});
}

let startWatch;

async function load() {
  if (!document.createElement('canvas').getContext('webgl2')) {
    return fail(new LoadFailure('no-webgl2'));
  }
  addEventListener('error', (event) => {
    if (state === pageStates.loading) fail(new LoadFailure('crashed', '', event.message));
  });
  const bar = element('bar-done');
  const files = await downloadGame((share) => { bar.style.width = `${100 * share}%`; });
  globalThis.Module = {
    canvas,
    arguments: ['--seed', settings.seed, ...(settings.demo ? ['--autoplay'] : [])],
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    onAbort: (what) => fail(new LoadFailure('crashed', '', String(what))),
    quorralithPage: { takeFrame, hear },
  };
  startWatch = setTimeout(() => {
    if (state === pageStates.loading) fail(new LoadFailure('no-start', '', String(startSeconds)));
  }, startSeconds * 1000);
  await startGame(globalThis.Module, files);
}

showSettings();
listenToThePlayer();
show(pageStates.loading);
// The offline copy is made once the game's files are here, from the
// browser's cache, rather than downloaded beside them a second time.
load().then(() => registerOfflineCache({
  now: progress,
  onChange: (listener) => stateListeners.push(listener),
}), fail);
