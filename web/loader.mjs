// Downloads the game (its .js, .wasm and .data, each gzipped), checks each
// file against build.json before anything runs, unpacks it, and starts it. Every way this can fail
// ends, within a bounded time, in one failure: { what, file, detail }, which
// failureMessage turns into words for the player.

// A download that receives nothing for this long has stalled.
export const stallMilliseconds = 20000;
// Gzipped by the build, so that a host that compresses nothing still sends a
// third of the bytes; the page unpacks them itself.
export const gameFiles = ['quorralith.js.gz', 'quorralith.wasm.gz', 'quorralith.data.gz'];

export class LoadFailure extends Error {
  constructor(what, file = '', detail = '') {
    super(`${what} ${file} ${detail}`.trim());
    this.what = what;
    this.file = file;
    this.detail = detail;
  }
}

const reloadAdvice = 'Reload the page to try again.';

// The player's words for a failure: what went wrong, then what to do.
export function failureMessage({ what, file = '', detail = '' }) {
  switch (what) {
    case 'no-webgl2':
      return 'This browser cannot draw the maze: Quorralith needs WebGL2, which it does not offer. ' +
        'Open the page in a recent Firefox, Chrome, Edge or Safari, or turn on hardware ' +
        'acceleration in the browser\'s settings.';
    case 'missing':
      return `The game's file ${file} could not be downloaded (the server answered ${detail}). ` +
        `${reloadAdvice} If it fails again, the game on this site is incomplete.`;
    case 'network':
      return `The download of ${file} failed: the connection was lost. ` +
        `Check the connection, then reload the page.`;
    case 'stalled':
      return `The download of ${file} stopped: nothing arrived for ` +
        `${stallMilliseconds / 1000} seconds. Check the connection, then reload the page.`;
    case 'damaged':
      return `The downloaded ${file} is damaged (${detail}), so the game will not start with it. ` +
        `${reloadAdvice}`;
    case 'crashed':
      return `The game stopped with an error (${detail}). ${reloadAdvice}`;
    case 'no-start':
      return `The game downloaded but did not start within ${detail} seconds. ${reloadAdvice}`;
    default:
      return `The game could not start (${what}). ${reloadAdvice}`;
  }
}

// What is wrong with a downloaded file against its build.json entry, or ''.
// `sha256` is the file's digest in hex, or null where the browser cannot
// compute one (a page not served over HTTPS or from this machine): the size
// is checked then.
export function downloadProblem(bytes, sha256, expected) {
  if (bytes !== expected.bytes) return `${bytes} bytes where the build has ${expected.bytes}`;
  if (sha256 !== null && sha256 !== expected.sha256) return 'its checksum does not match the build';
  return '';
}

// The build's version and its files' sizes and digests, as the build wrote
// them beside the game.
export function readBuild(json) {
  const build = typeof json === 'object' && json !== null ? json : {};
  const complete = typeof build.version === 'string' && gameFiles.every((name) =>
    Number.isInteger(build.files?.[name]?.bytes) && typeof build.files[name].sha256 === 'string');
  if (!complete) throw new LoadFailure('damaged', 'build.json', 'it does not list the game\'s files');
  return build;
}

// The digest in hex, or null where the browser computes none.
export async function sha256Hex(buffer) {
  if (!globalThis.crypto?.subtle) return null;
  const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', buffer));
  return Array.from(digest, (byte) => byte.toString(16).padStart(2, '0')).join('');
}

// fetch, failing as a LoadFailure: a stall of stallMilliseconds aborts it.
async function download(name, url, onBytes, cache = 'default') {
  const abort = new AbortController();
  let stall;
  const waitForBytes = () => {
    clearTimeout(stall);
    stall = setTimeout(() => abort.abort(), stallMilliseconds);
  };
  waitForBytes();
  try {
    const response = await fetch(url, { signal: abort.signal, cache });
    if (!response.ok) throw new LoadFailure('missing', name, `${response.status} ${response.statusText}`.trim());
    const chunks = [];
    const reader = response.body.getReader();
    for (;;) {
      waitForBytes();
      const { done, value } = await reader.read();
      if (done) break;
      chunks.push(value);
      onBytes(value.length);
    }
    return await new Blob(chunks).arrayBuffer();
  } catch (error) {
    if (error instanceof LoadFailure) throw error;
    throw new LoadFailure(abort.signal.aborted ? 'stalled' : 'network', name);
  } finally {
    clearTimeout(stall);
  }
}

// A checked file, unpacked.
async function unpacked(name, buffer) {
  try {
    const stream = new Blob([buffer]).stream().pipeThrough(new DecompressionStream('gzip'));
    return await new Response(stream).arrayBuffer();
  } catch {
    throw new LoadFailure('damaged', name, 'it does not unpack');
  }
}

// The build's description, then its three files, checked and unpacked. `onProgress`
// hears the share of the bytes downloaded, from 0 to 1.
export async function downloadGame(onProgress) {
  // Asked afresh every time: it is what says which build the files are of.
  const buildBytes = await download('build.json', 'build.json', () => {}, 'no-cache');
  let build;
  try {
    build = readBuild(JSON.parse(new TextDecoder().decode(buildBytes)));
  } catch (error) {
    throw error instanceof LoadFailure ? error : new LoadFailure('damaged', 'build.json', 'it is not JSON');
  }
  const total = gameFiles.reduce((sum, name) => sum + build.files[name].bytes, 0);
  let received = 0;
  const countBytes = (count) => {
    received += count;
    onProgress(Math.min(1, received / total));
  };
  const buffers = await Promise.all(gameFiles.map(
    (name) => download(name, `${name}?v=${encodeURIComponent(build.version)}`, countBytes)));
  await Promise.all(gameFiles.map(async (name, index) => {
    const problem = downloadProblem(buffers[index].byteLength, await sha256Hex(buffers[index]),
      build.files[name]);
    if (problem) throw new LoadFailure('damaged', name, problem);
  }));
  const [script, wasm, data] = await Promise.all(gameFiles.map((name, index) => unpacked(name, buffers[index])));
  return { version: build.version, script, wasm, data };
}

// Runs the game's script with the checked files handed to it, so that
// nothing is downloaded twice and nothing unchecked runs. `module` is
// Emscripten's Module object, already set up by the page.
export function startGame(module, files) {
  module.wasmBinary = files.wasm;
  module.getPreloadedPackage = () => files.data;
  const script = document.createElement('script');
  script.src = URL.createObjectURL(new Blob([files.script], { type: 'text/javascript' }));
  return new Promise((resolve, reject) => {
    script.onload = resolve;
    script.onerror = () => reject(new LoadFailure('crashed', 'quorralith.js', 'its script did not run'));
    document.body.appendChild(script);
  });
}
