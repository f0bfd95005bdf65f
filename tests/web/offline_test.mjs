// In headless Chromium, on a copy of the browser build served here only: the
// page plays with no network after a first visit, has its copy made again
// once the visitor cleared the site's storage, then moves whole to a new
// build served in its place, its old cache gone. Prints the cache's size and
// files; exits 77 (skipped) without a browser build (make web).
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
// Every file the worker must keep, as served now, sorted: name -> SHA-256.
// The page is index.html, and the game's files are their gzipped copies.
const servedFiles = () => Object.fromEntries(readdirSync(site, { recursive: true }).sort()
  .filter((name) => /\.(gz|json|mjs|webmanifest|png)$|^index\.html$/.test(name))
  .map((name) => [name, sha256(readFileSync(`${site}/${name}`))]));
const servedVersion = () => JSON.parse(readFileSync(`${site}/build.json`)).version;

const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site]);
process.on('exit', () => server.kill());
const requestsServed = [];
server.stderr.on('data', (chunk) => requestsServed.push(...chunk.toString().split('\n').filter(Boolean)));
const port = await new Promise((resolve) => server.stdout.on('data', (chunk) => resolve(/port (\d+)/.exec(chunk)?.[1])));
const base = `http://127.0.0.1:${port}/`;
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'] });
process.on('exit', () => browser.process()?.kill());
const page = await browser.newPage();
// What the latest document loaded and printed, and how many there were.
let [loads, lines, navigations] = [[], [], 0];
page.on('response', (response) => {
  if (response.request().isNavigationRequest()) [loads, lines, navigations] = [[], [], navigations + 1];
  loads.push(response);
});
page.on('console', (message) => lines.push(message.text()));
async function waitUntil(condition, what) {
  for (const start = Date.now(); !condition(); await new Promise((resolve) => setTimeout(resolve, 100))) {
    if (Date.now() - start > 60000) fail(`waited in vain for ${what}: ${lines.join(' | ')}`);
  }
}
const gameRuns = () => page.waitForFunction(() => document.documentElement.dataset.offline === 'ready', { timeout: 60000 })
  .catch(() => fail(`the page never said it plays offline: ${lines.join(' | ')}`))
  .then(() => waitUntil(() => lines.filter((line) => line === 'Linking program').length === 4, 'the game'));
// The site's only cache must hold the served build whole: name -> size.
async function expectOnlyTheServedBuildCached() {
  const held = await page.evaluate(async (origin) => {
    const hex = (digest) => Array.from(new Uint8Array(digest), (b) => b.toString(16).padStart(2, '0')).join('');
    const names = await caches.keys();
    const cache = await caches.open(names[0]);
    const files = await Promise.all((await cache.keys()).map(async (request) => {
      const bytes = await (await cache.match(request)).arrayBuffer();
      return [request.url.slice(origin.length), bytes.byteLength, hex(await crypto.subtle.digest('SHA-256', bytes))];
    }));
    return { names, files: files.sort(([a], [b]) => (a < b ? -1 : 1)) };
  }, base);
  if (held.names.length !== 1 || !held.names[0].endsWith(` ${servedVersion()}`)) fail(`caches: ${held.names}`);
  const hashes = Object.fromEntries(held.files.map(([name, , hash]) => [name, hash]));
  if (JSON.stringify(hashes) !== JSON.stringify(servedFiles())) fail(`the cache is not the served build: ${held.files}`);
  return held.files;
}

// A first visit, then a reload with the network off: nothing reaches the server.
await page.goto(`${base}?seed=7`);
await gameRuns();
const held = await expectOnlyTheServedBuildCached();
console.log(`cache: ${held.reduce((sum, [, bytes]) => sum + bytes, 0)} bytes in ${held.length} files: ` +
            held.map(([name, bytes]) => `${name} ${bytes}`).join(', '));
await page.setOfflineMode(true);
const requestsBefore = requestsServed.length;
await page.reload();
await gameRuns();
if (requestsServed.length !== requestsBefore) fail(`offline, the server answered ${requestsServed.slice(requestsBefore)}`);
await page.setOfflineMode(false);

// The visitor clears the site's storage, which leaves the worker installed:
// the next visit has the copy made again.
const client = await page.createCDPSession();
await client.send('Storage.clearDataForOrigin', { origin: base.slice(0, -1), storageTypes: 'cache_storage' });
await page.reload();
await gameRuns();
await expectOnlyTheServedBuildCached();

// A new build (a page module changed, build.json and sw.js written by the build's
// own script). A returning visitor's reload opens the old build from its cache;
// once the new worker's cache is whole, the page, in no game yet, reloads onto it.
cpSync(`${root}/web`, `${scratch}/web`, { recursive: true });
appendFileSync(`${scratch}/web/offline.mjs`, '// the next build\n');
execFileSync('cmake', [`-DSOURCE_DIR=${scratch}/web`, `-DBUILD_DIR=${site}`, '-P', `${root}/cmake/WebPageFiles.cmake`]);
navigations = 0;
await page.reload();
await waitUntil(() => navigations === 2, 'the page to reload itself onto the new build');
await gameRuns();
await expectOnlyTheServedBuildCached();
const newBuild = servedFiles();
const ran = loads.filter((response) => response.url().startsWith(base))
  .map((response) => [new URL(response.url()).pathname.slice(1) || 'index.html', response]);
for (const [name, response] of ran) {
  if (name !== 'sw.js' && newBuild[name] !== sha256(await response.buffer())) fail(`the page ran ${name}, not the new build's`);
}
const ranNames = ran.map(([name]) => name).join(', ');
const whole = ['index.html', 'offline.mjs', 'quorralith.js.gz', 'quorralith.wasm.gz', 'quorralith.data.gz'];
if (!whole.every((name) => ran.some(([ranName]) => ranName === name))) fail(`the page did not load it all: ${ranNames}`);

// Installable as Chromium judges it: the manifest parses, an icon loads at a size it takes, a worker answers.
const problems = [(await client.send('Page.getAppManifest')).errors,
  (await client.send('Page.getInstallabilityErrors')).installabilityErrors].flat();
if (problems.length) fail(`not installable: ${JSON.stringify(problems)}`);
console.log(`PASS: played offline; build ${servedVersion()} replaced the old whole: ${ranNames}`);
process.exit(0);  // the exit handlers stop the browser and the server
