// The panels over the game, as panels.mjs decides them: the page's state,
// the screen, the sheet the pause panel opened (the settings, or the keys in
// a small window), the every-cube panel, and the touch hints until the
// player has used what they point at. Also what the panels' own buttons do.
import { pageStates } from './pageState.mjs';
import { isCompact, isPhone, offersKeysButton, visiblePanels } from './panels.mjs';
import { keepControlsUsed, loadControlsUsed } from './settings.mjs';
import { shareMaze } from './sharing.mjs';

const panelIds = ['loading', 'stopped', 'prompt', 'demo', 'turn', 'settings', 'controls', 'licence', 'share',
  'every-cube', 'stick-hint', 'look-hint'];

// `touch` is touchAbilities(); `shareUrl()` the link to this maze and
// `newMazeUrl()` the address of another; `storage` keeps which touch
// controls the player has used.
export function setUpOverlay({ touch, shareUrl, newMazeUrl, storage }) {
  const root = document.documentElement;
  const element = (id) => document.getElementById(id);
  let state = root.dataset.state;
  let sheet = null;
  let everyCube = false;
  const used = loadControlsUsed(storage);

  // A phone held upright (not a tablet, whichever way it is held).
  const upright = () => innerHeight > innerWidth &&
    isPhone({ touchFirst: touch.touchFirst, screenWidth: screen.width, screenHeight: screen.height });

  function update(next = state) {
    state = next;
    // A sheet belongs to the pause it was opened in.
    if (state !== pageStates.paused && state !== pageStates.demo) sheet = null;
    const compact = isCompact(innerWidth, innerHeight);
    const keysOffered = offersKeysButton({ touchFirst: touch.touchFirst, compact });
    if (sheet === 'keys' && !keysOffered) sheet = null;
    const shown = visiblePanels({ state, touchFirst: touch.touchFirst, hasTouch: touch.hasTouch,
      upright: upright(), compact, sheet, everyCube, used });
    for (const id of panelIds) element(id).hidden = !shown.has(id);
    for (const hint of document.querySelectorAll('.button-hint')) hint.hidden = !shown.has('button-hints');
    root.classList.toggle('sheet-keys', sheet === 'keys' && shown.has('controls'));
    element('keys-button').hidden = !keysOffered;
  }
  const open = (name) => (event) => {
    // The pause panel's own click plays; these buttons open a sheet instead.
    event.stopPropagation();
    sheet = name;
    update();
  };
  element('settings-button').addEventListener('click', open('settings'));
  element('keys-button').addEventListener('click', open('keys'));
  element('keys-back').addEventListener('click', open(null));

  // Offered only where it works: not on an iPhone, nor in a frame that does
  // not allow it.
  element('fullscreen-button').hidden = !document.fullscreenEnabled;

  for (const id of ['share-button', 'every-cube-share']) {
    const button = element(id);
    button.addEventListener('click', async (event) => {
      event.stopPropagation();
      button.textContent = await shareMaze(navigator, shareUrl());
    });
  }
  element('every-cube-close').addEventListener('click', () => {
    everyCube = false;
    update();
  });

  return {
    update,
    upright,
    closeSheet() {
      sheet = null;
      update();
    },
    // The game ate its last food cube: the panel that says so, with a new
    // maze ready behind its link.
    everyCubeEaten() {
      element('new-maze').href = newMazeUrl();
      everyCube = true;
      update();
    },
    // A touch control was used: its hint has done its work.
    used(role) {
      if (used[role]) return;
      used[role] = true;
      keepControlsUsed(storage, used);
      update();
    },
  };
}
