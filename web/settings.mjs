// The player's own settings for this page: how fast the mouse and a drag
// turn the view, whether up and down are swapped, and the sound. They belong
// to the page alone (the game's rules and the desktop's values never change)
// and are kept in the browser's localStorage, which may hold anything, be
// full, or refuse to be read at all: every answer here is a whole, bounded
// set of settings whatever it holds.

// A look speed is a factor on the game's own turn per pixel: a quarter of it
// for a fast mouse on a large desk, four times it for a small trackpad.
export const lookFactorRange = Object.freeze({ min: 0.25, max: 4, step: 0.05 });
export const volumeRange = Object.freeze({ min: 0, max: 1, step: 0.05 });

export const defaultSettings = Object.freeze({
  mouseLook: 1,
  touchLook: 1,
  invertY: false,
  sound: true,
  volume: 0.7,
});

const rangeOf = { mouseLook: lookFactorRange, touchLook: lookFactorRange, volume: volumeRange };

const storageKey = 'quorralith.settings';

// `value` within `range`, on its steps; anything that is not a finite
// number is `fallback`.
function bounded(value, range, fallback) {
  if (typeof value !== 'number' || !Number.isFinite(value)) return fallback;
  const within = Math.min(range.max, Math.max(range.min, value));
  const steps = Math.round((within - range.min) / range.step);
  return Number((range.min + steps * range.step).toFixed(2));
}

// A whole set of settings from anything (a stored object, a form's values):
// each one known and of its kind is kept, bounded; the others are defaults.
export function settingsFrom(given) {
  const source = given !== null && typeof given === 'object' ? given : {};
  const settings = {};
  for (const [name, fallback] of Object.entries(defaultSettings)) {
    const value = source[name];
    settings[name] = typeof fallback === 'boolean'
      ? (typeof value === 'boolean' ? value : fallback)
      : bounded(value, rangeOf[name], fallback);
  }
  return settings;
}

const usedKey = 'quorralith.touchControlsUsed';

// What `storage` keeps under `key`, parsed, or null where it holds nothing
// readable or refuses to be read.
function readKept(storage, key) {
  try {
    return JSON.parse(storage?.getItem(key) ?? 'null');
  } catch {
    return null;
  }
}

// Keeps `value` under `key`; false when the browser refuses (storage full,
// blocked or absent): it then lasts as long as the page.
function keep(storage, key, value) {
  try {
    storage.setItem(key, JSON.stringify(value));
    return true;
  } catch {
    return false;
  }
}

// The settings kept in `storage` (a Storage, or null where the browser gives
// none), or the defaults.
export const loadSettings = (storage) => settingsFrom(readKept(storage, storageKey));

// Keeps `settings` in `storage`; false when the browser refuses.
export const saveSettings = (storage, settings) => keep(storage, storageKey, settingsFrom(settings));

// Which touch controls (the stick, the look) `given` says were used: only a
// true counts.
const controlsUsed = (given) => ({ stick: given?.stick === true, look: given?.look === true });

// The touch controls this player has used on an earlier visit or this one:
// their hints have done their work for good.
export const loadControlsUsed = (storage) => controlsUsed(readKept(storage, usedKey));

export const keepControlsUsed = (storage, used) => keep(storage, usedKey, controlsUsed(used));

// The browser's localStorage, or null where reading it throws (storage
// blocked for the site, a sandboxed frame).
export function browserStorage() {
  try {
    return globalThis.localStorage ?? null;
  } catch {
    return null;
  }
}

// The move the game takes for a mouse's or a drag's move of `dx`, `dy`
// (`hand` is 'mouse' or 'touch'): each axis by the hand's factor, and the
// vertical one turned over when the player looks the other way.
export function lookMove(dx, dy, settings, hand) {
  const factor = hand === 'touch' ? settings.touchLook : settings.mouseLook;
  return { x: dx * factor, y: dy * factor * (settings.invertY ? -1 : 1) };
}

// The game's sound volume (0 to 1): silent until the player has started a
// game with a click or a tap (browsers start sound only after one), and
// while the sound is switched off.
export function soundVolume(settings, playerStarted) {
  return playerStarted && settings.sound ? settings.volume : 0;
}

// What the settings panel shows beside its sliders.
export const factorText = (factor) => `${factor.toFixed(2)}×`;
export const volumeText = (volume) => `${Math.round(volume * 100)} %`;
