// The page played with no network after a first visit, then a new build
// served in its place: the page must move to it whole, its old cache gone.
// In Debian's headless Chromium, on a copy of the browser build served on
// this machine only. Prints the cache's size and files. Exits 77 (skipped)
// when there is no browser build (make web).
//   node offline_test.mjs BUILD_WEB SOURCE_ROOT SCRATCH_DIR
import { execFileSync, spawn } from 'node:child_process';
import { createHash } from 'node:crypto';
import { appendFileSync, cpSync, existsSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import puppeteer from 'puppeteer-core';

const [build, root, scratch] = process.argv.slice(2);
if (!existsSync(`${build}/sw.js`)) {
  console.log(`SKIP: no browser build in ${build} (make web)`);
  process.exit(77);
}
const fail = (why) => { console.log(`FAIL: ${why}`); process.exit(1); };
const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');
const site = `${scratch}/site`;
rmSync(scratch, { recursive: true, force: true });
cpSync(build, site, { recursive: true, filter: (path) => !/CMakeFiles|glm-only|\/src$/.test(path) });

// Every file the worker must keep, as served now: name -> SHA-256.
const keptFiles = () => Object.fromEntries(readdirSync(site, { recursive: true })
  .filter((name) => /\.(html|js|wasm|data|json|mjs|webmanifest|png)$/.test(name) && name !== 'sw.js')
  .map((name) => [name, sha256(readFileSync(`${site}/${name}`))]));

const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site]);
process.on('exit', () => server.kill());
const served = [];
server.stderr.on('data', (chunk) => served.push(...chunk.toString().split('\n').filter(Boolean)));
const port = await new Promise((resolve) =>
  server.stdout.on('data', (chunk) => { const m = /port (\d+)/.exec(chunk); if (m) resolve(m[1]); }));
const base = `http://127.0.0.1:${port}/`;

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'],
});
process.on('exit', () => browser.process()?.kill());
const page = await browser.newPage();
// What the page's latest document loaded and printed, from its navigation on.
let loads = [];
let lines = [];
let navigations = 0;
page.on('response', (response) => {
  if (response.request().isNavigationRequest()) { loads = []; lines = []; navigations += 1; }
  loads.push(response);
});
page.on('console', (message) => lines.push(message.text()));
const gameRuns = () => page.waitForFunction(() => document.documentElement.dataset.offline === 'ready', { timeout: 60000 })
  .then(() => waitUntil(() => lines.filter((line) => line === 'Linking program').length === 4, 'the game to link its shaders'));
async function waitUntil(condition, what, timeoutMs = 60000) {
  for (const start = Date.now(); !condition(); await new Promise((r) => setTimeout(r, 100))) {
    if (Date.now() - start > timeoutMs) fail(`waited in vain for ${what}: ${lines.join(' | ')}`);
  }
}

// Every cache of the site: cache name -> file name -> SHA-256 and size.
const cachesHeld = () => page.evaluate(async (origin) => {
  const hex = (digest) => Array.from(new Uint8Array(digest), (b) => b.toString(16).padStart(2, '0')).join('');
  const held = {};
  for (const name of await caches.keys()) {
    held[name] = {};
    const cache = await caches.open(name);
    for (const request of await cache.keys()) {
      const bytes = await (await cache.match(request)).arrayBuffer();
      held[name][request.url.slice(origin.length)] = { sha256: hex(await crypto.subtle.digest('SHA-256', bytes)), bytes: bytes.byteLength };
    }
  }
  return held;
}, base);
async function expectOneWholeCache(version) {
  const held = await cachesHeld();
  const names = Object.keys(held);
  if (names.length !== 1 || !names[0].endsWith(` ${version}`)) fail(`caches held: ${names.join(', ')}`);
  const kept = Object.fromEntries(Object.entries(held[names[0]]).map(([name, file]) => [name, file.sha256]));
  if (JSON.stringify(kept, Object.keys(kept).sort()) !== JSON.stringify(keptFiles(), Object.keys(keptFiles()).sort())) {
    fail(`the cache is not the served build: ${JSON.stringify(kept)}`);
  }
  return held[names[0]];
}
const versionServed = () => JSON.parse(readFileSync(`${site}/build.json`)).version;

// A first visit, then a reload with the network off.
await page.goto(`${base}quorralith.html?seed=7`);
await gameRuns();
const held = await expectOneWholeCache(versionServed());
const heldBytes = Object.values(held).reduce((sum, file) => sum + file.bytes, 0);
console.log(`cache: ${heldBytes} bytes in ${Object.keys(held).length} files: ` +
  Object.entries(held).map(([name, file]) => `${name} ${file.bytes}`).join(', '));
await page.setOfflineMode(true);
const servedBefore = served.length;
await page.reload();
await gameRuns();
if (served.length !== servedBefore) fail(`offline, the server still answered: ${served.slice(servedBefore)}`);
await page.setOfflineMode(false);

// A new build in its place: one page module changed, build.json and sw.js
// written again by the build's own script.
cpSync(`${root}/web`, `${scratch}/web`, { recursive: true });
appendFileSync(`${scratch}/web/offline.mjs`, '// the next build\n');
execFileSync('cmake', [`-DSOURCE_DIR=${scratch}/web`, `-DBUILD_DIR=${site}`, '-P', `${root}/cmake/WebPageFiles.cmake`]);
const newBuild = keptFiles();
// The reload opens the old build from its cache; once the new worker has
// its cache whole, the page, in no game yet, reloads itself onto it.
navigations = 0;
await page.reload();
await waitUntil(() => navigations === 2, 'the page to reload itself onto the new build');
await gameRuns();
await expectOneWholeCache(versionServed());
const ran = loads.filter((response) => response.url().startsWith(base));
for (const response of ran) {
  const name = new URL(response.url()).pathname.slice(1);
  if (!(name in newBuild) && name !== 'sw.js') fail(`the page loaded ${name}, which the build does not have`);
  if (name in newBuild && sha256(await response.buffer()) !== newBuild[name]) fail(`the page ran the old ${name}`);
}
const ranNames = ran.map((response) => new URL(response.url()).pathname.slice(1));
for (const name of ['quorralith.html', 'offline.mjs', 'quorralith.js', 'quorralith.wasm', 'quorralith.data']) {
  if (!ranNames.includes(name)) fail(`the page did not load ${name}: ${ranNames}`);
}

// Installable as Chromium judges it: a manifest that parses, with an icon it
// could download at a size it accepts, and a worker that answers the page.
const client = await page.createCDPSession();
const manifest = await client.send('Page.getAppManifest');
const { installabilityErrors } = await client.send('Page.getInstallabilityErrors');
if (manifest.errors.length || installabilityErrors.length) {
  fail(`not installable: ${JSON.stringify([manifest.errors, installabilityErrors])}`);
}
console.log(`PASS: played offline; the new build ${versionServed()} replaced the old whole (${ranNames.length} files)`);
await browser.close();
process.exit(0);
