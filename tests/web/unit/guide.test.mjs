import assert from 'node:assert/strict';
import test from 'node:test';

import { isCompact, isPhone, visiblePanels } from '../../../web/panels.mjs';
import { defaultSettings, loadSettings, lookMove, saveSettings, soundVolume } from '../../../web/settings.mjs';
import { shareMaze } from '../../../web/sharing.mjs';

// A Storage holding `text` under any key, or refusing as a browser may.
function storageOf(text, { refuses = false } = {}) {
  const kept = { text };
  return {
    kept,
    getItem: () => { if (refuses) throw new DOMException('denied', 'SecurityError'); return kept.text; },
    setItem: (key, value) => { if (refuses) throw new DOMException('full', 'QuotaExceededError'); kept.text = value; },
  };
}

test('settings come back bounded and whole from whatever the storage holds', () => {
  const with_ = (changes) => ({ ...defaultSettings, ...changes });
  for (const [text, settings] of [
    [null, defaultSettings],
    ['not json', defaultSettings],
    ['[1, 2]', defaultSettings],
    ['"text"', defaultSettings],
    ['{"mouseLook": 2.5, "invertY": true, "sound": false}', with_({ mouseLook: 2.5, invertY: true, sound: false })],
    ['{"mouseLook": 99, "touchLook": -3, "volume": 7}', with_({ mouseLook: 4, touchLook: 0.25, volume: 1 })],
    ['{"mouseLook": 1.333, "volume": 0.42}', with_({ mouseLook: 1.35, volume: 0.4 })],
    ['{"mouseLook": "2", "touchLook": null, "invertY": "yes", "volume": -0.5}', with_({ volume: 0 })],
    ['{"mouseLook": 1e999}', defaultSettings],
  ]) {
    assert.deepEqual(loadSettings(storageOf(text)), settings, text);
  }
  assert.deepEqual(loadSettings(storageOf('{}', { refuses: true })), defaultSettings);
  assert.deepEqual(loadSettings(null), defaultSettings);
  const storage = storageOf(null);
  assert.ok(saveSettings(storage, with_({ touchLook: 3, invertY: true })));
  assert.deepEqual(loadSettings(storage), with_({ touchLook: 3, invertY: true }));
  assert.ok(!saveSettings(storageOf(null, { refuses: true }), defaultSettings));
  assert.ok(!saveSettings(null, defaultSettings));
});

test('a move turns each axis its own way, by its hand\'s factor, up and down swapped when inverted', () => {
  const settings = { ...defaultSettings, mouseLook: 2, touchLook: 0.5 };
  for (const [dx, dy, changes, hand, move] of [
    [10, 0, {}, 'mouse', { x: 20, y: 0 }],
    [0, 10, {}, 'mouse', { x: 0, y: 20 }],
    [-4, 6, {}, 'touch', { x: -2, y: 3 }],
    [-4, 6, { invertY: true }, 'touch', { x: -2, y: -3 }],
    [3, -5, { invertY: true }, 'mouse', { x: 6, y: 10 }],
  ]) {
    assert.deepEqual(lookMove(dx, dy, { ...settings, ...changes }, hand), move, `${dx}, ${dy} ${hand}`);
  }
});

test('the game hears the volume only once the player started play and with the sound on', () => {
  assert.equal(soundVolume({ ...defaultSettings, volume: 0.4 }, true), 0.4);
  assert.equal(soundVolume({ ...defaultSettings, volume: 0.4 }, false), 0);
  assert.equal(soundVolume({ ...defaultSettings, volume: 0.4, sound: false }, true), 0);
});

test('only a touch-first screen whose shorter side is under 600 pixels is a phone', () => {
  for (const [touchFirst, screenWidth, screenHeight, phone] of [
    [true, 393, 851, true],  // Pixel 5, upright
    [true, 851, 393, true],  // and on its side
    [true, 375, 667, true],  // iPhone SE
    [true, 768, 1024, false],  // iPad
    [true, 600, 960, false],  // a small tablet
    [false, 390, 844, false],  // a narrow desktop window's screen
  ]) {
    assert.equal(isPhone({ touchFirst, screenWidth, screenHeight }), phone, `${screenWidth}x${screenHeight}`);
  }
  assert.deepEqual([[320, 240], [699, 900], [1024, 499], [1024, 768]].map(([w, h]) => isCompact(w, h)),
    [true, true, true, false]);
});

test('each state shows its own panels, as a player meets them', () => {
  const desk = { touchFirst: false, hasTouch: false, upright: false, compact: false, sheet: null, everyCube: false,
    used: { stick: false, look: false } };
  const phone = { ...desk, touchFirst: true, hasTouch: true, compact: true };
  const shown = (state, situation, changes = {}) =>
    [...visiblePanels({ state, ...situation, ...changes })].sort().join(' ');
  for (const [state, situation, changes, panels] of [
    ['loading', desk, {}, 'controls licence loading share'],
    ['paused', desk, {}, 'controls licence prompt share'],
    ['paused', desk, { compact: true }, 'prompt share'],
    ['paused', desk, { sheet: 'settings' }, 'settings'],
    ['paused', desk, { sheet: 'keys', compact: true }, 'controls'],
    ['demo', desk, {}, 'controls demo licence share'],
    ['playing', desk, {}, ''],
    ['playing', desk, { everyCube: true }, 'every-cube'],
    ['paused', desk, { everyCube: true }, 'controls every-cube licence prompt share'],
    ['failed', desk, { everyCube: true }, 'share stopped'],
    ['context-lost', desk, {}, 'stopped'],
    ['paused', phone, {}, 'prompt share'],
    ['paused', phone, { compact: false }, 'licence prompt share'],  // a tablet: no keys table
    ['paused', phone, { upright: true, sheet: 'settings', everyCube: true }, 'turn'],
    ['demo', phone, { upright: true }, 'turn'],
    ['playing', phone, {}, 'button-hints look-hint stick-hint'],
    ['playing', phone, { used: { stick: true, look: false } }, 'button-hints look-hint'],
    ['playing', phone, { used: { stick: true, look: true }, everyCube: true }, 'every-cube'],
    ['failed', phone, { upright: true }, 'share stopped'],
  ]) {
    assert.equal(shown(state, situation, changes), panels, `${state} ${JSON.stringify(changes)}`);
  }
});

test('sharing uses the system\'s sheet where there is one, else the clipboard, and says which', async () => {
  const refused = (name) => () => Promise.reject(Object.assign(new Error(name), { name }));
  const copied = { clipboard: { writeText: () => Promise.resolve() } };
  for (const [system, said] of [
    [{ share: () => Promise.resolve(), ...copied }, 'Shared.'],
    [{ share: refused('AbortError'), ...copied }, 'Not shared.'],
    [{ share: refused('NotAllowedError'), ...copied }, 'Link copied: paste it anywhere.'],
    [copied, 'Link copied: paste it anywhere.'],
    [{ clipboard: { writeText: refused('NotAllowedError') } }, 'Copy the link above to share it.'],
    [{}, 'Copy the link above to share it.'],
  ]) {
    assert.equal(await shareMaze(system, 'https://example.org/q.html?seed=7'), said, Object.keys(system).join());
  }
});
