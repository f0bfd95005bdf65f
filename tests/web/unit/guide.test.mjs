import assert from 'node:assert/strict';
import test from 'node:test';

import { isCompact, isPhone, visiblePanels } from '../../../web/panels.mjs';
import {
  defaultSettings, keepControlsUsed, loadControlsUsed, loadSettings, lookMove, saveSettings, soundVolume,
} from '../../../web/settings.mjs';
import { shareMaze } from '../../../web/sharing.mjs';

const refusal = (name) => () => { throw Object.assign(new Error(name), { name }); };
const storageOf = (text) => ({ getItem: () => text, setItem(key, value) { text = value; } });
const settingsWith = (changes) => ({ ...defaultSettings, ...changes });

test('settings come back bounded and whole from whatever the storage holds, or refuses', () => {
  for (const [storage, settings] of [
    [storageOf(null), defaultSettings],
    [storageOf('not json'), defaultSettings],
    [storageOf('{"mouseLook": 2.5, "invertY": true, "sound": false}'), settingsWith({ mouseLook: 2.5, invertY: true, sound: false })],
    [storageOf('{"mouseLook": 99, "touchLook": -3, "volume": 7}'), settingsWith({ mouseLook: 4, touchLook: 0.25, volume: 1 })],
    [storageOf('{"mouseLook": 1.333, "volume": 0.42}'), settingsWith({ mouseLook: 1.35, volume: 0.4 })],
    [storageOf('{"mouseLook": "2", "touchLook": null, "invertY": "yes", "volume": -0.5}'), settingsWith({ volume: 0 })],
    [{ getItem: refusal('SecurityError') }, defaultSettings],
    [null, defaultSettings],
  ]) {
    assert.deepEqual(loadSettings(storage), settings, storage?.getItem.toString());
  }
  const storage = storageOf(null);
  const saved = [storage, { setItem: refusal('QuotaExceededError') }, null].map((to) => saveSettings(to, settingsWith({ touchLook: 3 })));
  assert.deepEqual([saved, loadSettings(storage)], [[true, false, false], settingsWith({ touchLook: 3 })]);
});

// Read and kept as the settings are, refusals and all.
test('a touch control used once keeps its hint away on later visits; only a true counts as used', () => {
  assert.deepEqual(loadControlsUsed(storageOf('{"stick": "yes", "look": true}')), { stick: false, look: true });
  const storage = storageOf(null);
  keepControlsUsed(storage, { stick: true });
  assert.deepEqual(loadControlsUsed(storage), { stick: true, look: false });
});

test('a move turns each axis its own way by its hand\'s factor, up and down swapped when inverted; ' +
  'the game hears the volume once the player has started play, with the sound on', () => {
  const factors = { mouseLook: 2, touchLook: 0.5 };
  const moves = [[10, 0, false, 'mouse'], [0, 10, false, 'mouse'], [-4, 6, false, 'touch'], [-4, 6, true, 'touch'],
    [3, -5, true, 'mouse']].map(([dx, dy, invertY, hand]) => lookMove(dx, dy, settingsWith({ ...factors, invertY }), hand));
  assert.deepEqual(moves, [{ x: 20, y: 0 }, { x: 0, y: 20 }, { x: -2, y: 3 }, { x: -2, y: -3 }, { x: 6, y: 10 }]);
  assert.deepEqual([[true, true], [false, true], [true, false]].map(([started, sound]) =>
    soundVolume(settingsWith({ volume: 0.4, sound }), started)), [0.4, 0, 0]);
});

test('only a touch-first screen whose shorter side is under 600 pixels is a phone; small windows are compact', () => {
  const phones = [[true, 393, 851], [true, 851, 393], [true, 375, 667], [true, 768, 1024], [true, 600, 960],
    [false, 390, 844]].map(([touchFirst, screenWidth, screenHeight]) => isPhone({ touchFirst, screenWidth, screenHeight }));
  assert.deepEqual(phones, [true, true, true, false, false, false]);  // Pixel 5 both ways, iPhone SE, iPad, a small tablet, a desk
  assert.deepEqual([[320, 240], [699, 900], [1024, 499], [1024, 768]].map(([w, h]) => isCompact(w, h)),
    [true, true, true, false]);
});

test('each state shows its own panels, as a player meets them', () => {
  const desk = { touchFirst: false, hasTouch: false, upright: false, compact: false, sheet: null, everyCube: false,
    used: { stick: false, look: false } };
  const phone = { ...desk, touchFirst: true, hasTouch: true, compact: true };
  for (const [state, situation, changes, panels] of [
    ['loading', desk, {}, 'controls licence loading share'],
    ['paused', desk, {}, 'controls licence prompt share'],
    ['paused', desk, { compact: true }, 'prompt share'],
    ['paused', desk, { sheet: 'settings' }, 'settings'],
    ['paused', desk, { sheet: 'keys', compact: true }, 'controls'],
    ['demo', desk, {}, 'controls demo licence share'],
    ['playing', desk, { everyCube: true }, 'every-cube'],
    ['paused', desk, { everyCube: true }, 'controls every-cube licence prompt share'],
    ['failed', desk, { everyCube: true }, 'share stopped'],
    ['context-lost', desk, {}, 'stopped'],
    ['paused', phone, {}, 'prompt share'],
    ['paused', phone, { compact: false }, 'licence prompt share'],  // a tablet: no keys table
    ['paused', phone, { upright: true, sheet: 'settings', everyCube: true }, 'turn'],
    ['playing', phone, {}, 'button-hints look-hint stick-hint'],
    ['playing', phone, { used: { stick: true, look: false } }, 'button-hints look-hint'],
    ['playing', phone, { used: { stick: true, look: true }, everyCube: true }, 'every-cube'],
  ]) {
    const shown = [...visiblePanels({ state, ...situation, ...changes })].sort().join(' ');
    assert.equal(shown, panels, `${state} ${JSON.stringify(changes)}`);
  }
});

test('sharing uses the system\'s sheet where there is one, else the clipboard, and says which', async () => {
  const copies = { clipboard: { writeText: async () => {} } };
  const said = await Promise.all([{ share: async () => {}, ...copies }, { share: refusal('AbortError'), ...copies },
    { share: refusal('NotAllowedError'), ...copies }, copies, { clipboard: { writeText: refusal('NotAllowedError') } }]
    .map((system) => shareMaze(system, 'https://example.org/q.html?seed=7')));
  assert.deepEqual(said, ['Shared.', 'Not shared.', 'Link copied: paste it anywhere.', 'Link copied: paste it anywhere.',
    'Copy the link above to share it.']);
});
