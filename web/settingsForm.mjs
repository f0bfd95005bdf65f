// The settings panel's form: each control shows the player's setting and
// its value in words, and every change goes through settings.mjs's bounds
// before the page takes it and keeps it.
import {
  defaultSettings, factorText, lookFactorRange, saveSettings, settingsFrom, volumeRange, volumeText,
} from './settings.mjs';

const sliders = [
  ['mouse-look', 'mouseLook', lookFactorRange, factorText],
  ['touch-look', 'touchLook', lookFactorRange, factorText],
  ['volume', 'volume', volumeRange, volumeText],
];
const switches = [['invert-y', 'invertY'], ['sound', 'sound']];

// `storage` is where the settings are kept (or null); `initial` what was
// kept there; `onChange(settings)` hears every change; `close()` closes
// the panel.
export function setUpSettingsForm({ storage, initial, onChange, close }) {
  const element = (id) => document.getElementById(id);
  let current = initial;

  const showValues = () => {
    for (const [id, name, , text] of sliders) {
      element(id).value = String(current[name]);
      element(`${id}-value`).textContent = text(current[name]);
    }
    for (const [id, name] of switches) element(id).checked = current[name];
    element('volume').disabled = !current.sound;
  };
  const take = (settings) => {
    current = settingsFrom(settings);
    showValues();
    element('settings-note').textContent = saveSettings(storage, current)
      ? '' : 'This browser keeps no settings for this page: they last until it is closed.';
    onChange(current);
  };

  for (const [id, name, range] of sliders) {
    Object.assign(element(id), { min: range.min, max: range.max, step: range.step });
    element(id).addEventListener('input', (event) => take({ ...current, [name]: Number(event.target.value) }));
  }
  for (const [id, name] of switches) {
    element(id).addEventListener('change', (event) => take({ ...current, [name]: event.target.checked }));
  }
  element('settings-reset').addEventListener('click', () => take(defaultSettings));
  element('settings-done').addEventListener('click', close);
  showValues();
}
