// The browser page's figures, from one headless Chromium: the time to the
// game's first frame on first visits, then the game's frame time against the
// floor (floor.html: the same canvas, only cleared) in pairs that take turns
// at going first.
//
// Beside them, from visits of their own, as the wrappers they need would slow
// a timed frame: the WebGL calls of one of the demo's first frames, and the
// bytes a first visit has the server send (counting_server.py's log), by the
// first frame and by the time the offline copy is whole.
//
// Both pages are timed by the same instrument, installed before any script of
// theirs runs: the intervals between the browser's animation frames, which
// is when the game plays its frames. Chromium runs without its 60 frames/s
// limit, as the desktop floor runs without vsync, so that the floor shows
// what a cleared frame costs rather than the display's rate. Beside each
// median stands the CPU time of a frame, all of Chromium's processes
// together (the page, the GPU process where SwiftShader draws, the browser):
// as on the desktop, other programs' load moves it less than the wall clock.
//   node browser_bench.mjs GAME_URL FLOOR_URL [PAIRS] [SECONDS] [LOADS] [BYTES_LOG]
import { execFileSync } from 'node:child_process';
import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

// The browser tests' pinned puppeteer-core serves the bench as well.
const require = createRequire(new URL('../../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const viewport = Object.freeze({ width: 1024, height: 768, deviceScaleFactor: 1 });
// The page gives up on a start after 90 s and says so; a little longer here
// hears that failure rather than timing out over it.
const startTimeoutMs = 100000;
// The demo's first frames upload the textures and settle; the floor's settle
// too. Neither is what a frame costs.
const settleMs = 1000;
// Fewer intervals than this in a run would be no median worth printing.
const fewestFrames = 5;
const clockTicksPerSecond = Number(execFileSync('getconf', ['CLK_TCK']).toString());

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function fail(why) {
  console.log(`FAIL: ${why}`);
  process.exit(1);
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// "minimum, median, maximum"
function spread(values) {
  return [Math.min(...values), median(values), Math.max(...values)].map((v) => v.toFixed(3)).join(', ');
}

function readArguments() {
  const [gameUrl, floorUrl, pairs = '10', seconds = '3', loads = '5', bytesLog = ''] = process.argv.slice(2);
  if (!gameUrl || !floorUrl) {
    fail('usage: node browser_bench.mjs GAME_URL FLOOR_URL [PAIRS] [SECONDS] [LOADS] [BYTES_LOG]');
  }
  return { gameUrl, floorUrl, pairs: Number(pairs), seconds: Number(seconds), loads: Number(loads), bytesLog };
}

function launchBrowser() {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run',
           '--disable-frame-rate-limit', '--disable-gpu-vsync',
           // Every first visit compiles its shaders, as on a new machine.
           '--disable-gpu-program-cache'],
  });
}

// CPU time of the browser's process and all its descendants, in ms.
function chromiumCpuMs(rootPid) {
  const parents = new Map();
  const ticks = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    let stat;
    try {
      stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
    } catch {
      continue;  // ended since the listing
    }
    // The fields after the command name, which may hold spaces itself.
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    parents.set(Number(entry), Number(fields[1]));
    ticks.set(Number(entry), Number(fields[11]) + Number(fields[12]));
  }
  const inTree = (pid) => {
    for (let at = pid; at > 1; at = parents.get(at) ?? 0) {
      if (at === rootPid) return true;
    }
    return false;
  };
  let total = 0;
  for (const [pid, used] of ticks) {
    if (inTree(pid)) total += used;
  }
  return (total * 1000) / clockTicksPerSecond;
}

// Installed in every document before its own scripts: records the start of
// each animation frame while asked to.
function installFrameClock() {
  const clock = { recording: false, stamps: [] };
  const tick = (stamp) => {
    if (clock.recording) clock.stamps.push(stamp);
    requestAnimationFrame(tick);
  };
  requestAnimationFrame(tick);
  globalThis.benchFrameClock = clock;
}

// Installed before the page's own scripts: counts every call of a WebGL2
// context's methods, and keeps the count of each animation frame.
function installWebGlCallCounter() {
  const counter = { calls: 0, perFrame: [] };
  const methods = WebGL2RenderingContext.prototype;
  for (const name of Object.getOwnPropertyNames(methods)) {
    const method = Object.getOwnPropertyDescriptor(methods, name).value;
    if (typeof method !== 'function' || name === 'constructor') continue;
    methods[name] = function (...args) {
      counter.calls++;
      return method.apply(this, args);
    };
  }
  const tick = () => {
    counter.perFrame.push(counter.calls);
    counter.calls = 0;
    requestAnimationFrame(tick);
  };
  requestAnimationFrame(tick);
  globalThis.benchWebGlCalls = counter;
}

// The bytes the server has sent since `from` (a length of its log).
function bytesSent(log, from) {
  return readFileSync(log, 'utf8').slice(from).split('\n').filter(Boolean)
    .reduce((total, line) => total + Number(line.split(' ')[0]), 0);
}

// A first visit to the demo in a browser context of its own: the WebGL calls
// of its frames once it draws (the median of the frames that drew), and the
// bytes the server sent by its first frame and by the time its offline copy
// was whole.
async function measureCallsAndBytes(browser, url, bytesLog) {
  const visit = await browser.createBrowserContext();
  const bench = await newBenchPage(visit);
  await bench.page.evaluateOnNewDocument(installWebGlCallCounter);
  const logStart = existsSync(bytesLog) ? readFileSync(bytesLog, 'utf8').length : 0;
  await bench.page.goto(`${url}?seed=7&autoplay`);
  await waitToLeave(bench.page, 'loading', 'the game page');
  const toFirstFrame = bytesLog ? bytesSent(bytesLog, logStart) : null;
  const calls = await bench.page.evaluate(async () => {
    const counter = globalThis.benchWebGlCalls;
    const from = counter.perFrame.length;
    while (counter.perFrame.slice(from).filter(Boolean).length < 30) {
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    return counter.perFrame.slice(from).filter(Boolean);
  });
  console.log(`WebGL calls per frame, the demo's first ${calls.length} drawn frames from the start view ` +
    `(minimum, median, maximum): ${Math.min(...calls)}, ${median(calls)}, ${Math.max(...calls)}`);
  if (bytesLog) {
    try {
      await bench.page.waitForFunction(() => document.documentElement.dataset.offline === 'ready',
        { timeout: startTimeoutMs, polling: 100 });
    } catch {
      fail(`the game page's offline copy was not ready within ${startTimeoutMs / 1000} s`);
    }
    console.log(`bytes on the wire, a first visit from a host that compresses nothing: ` +
      `${toFirstFrame} by the first frame, ${bytesSent(bytesLog, logStart)} with the offline copy whole`);
  }
  await visit.close();
}

async function newBenchPage(browser) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  return { page, errors };
}

// Waits until the page's state leaves `waitingState`; fails loudly when it
// fails or never does.
async function waitToLeave(page, waitingState, name) {
  try {
    await page.waitForFunction((waiting) => {
      const state = document.documentElement.dataset.state;
      return state !== undefined && state !== waiting;
    }, { timeout: startTimeoutMs, polling: 100 }, waitingState);
  } catch {
    fail(`${name} stayed '${waitingState}' for ${startTimeoutMs / 1000} s`);
  }
  const state = await page.evaluate(() => document.documentElement.dataset.state);
  if (state === 'failed') {
    const message = await page.evaluate(() => document.getElementById('message')?.textContent ?? '');
    fail(`${name} failed: ${message || 'no message'}`);
  }
  return state;
}

// The canvas as each page made it: its context's attributes and its
// drawing buffer. The floor must match the game's, or the ratio means nothing.
function describeCanvas(page) {
  return page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    const attributes = canvas.getContext('webgl2')?.getContextAttributes() ?? null;
    return JSON.stringify({ attributes, width: canvas.width, height: canvas.height });
  });
}

async function openGame(bench, url) {
  await bench.page.goto(`${url}?seed=7&autoplay`);
  const state = await waitToLeave(bench.page, 'loading', 'the game page');
  if (state !== 'demo') fail(`the game page shows '${state}' where its demo should play`);
  // While playing the page shows the game alone; the demo is timed so too.
  await bench.page.addStyleTag({ content: '.panel { display: none !important; }' });
}

async function openFloor(bench, url) {
  await bench.page.goto(url);
  await waitToLeave(bench.page, 'loading', 'the floor page');
}

// One run on the page already open: { msPerFrame, cpuMsPerFrame, frames }.
async function timeFrames(bench, seconds, browserPid, expectedState) {
  await pause(settleMs);
  const cpuBefore = chromiumCpuMs(browserPid);
  const wallBefore = performance.now();
  const stamps = await bench.page.evaluate(async (ms) => {
    const clock = globalThis.benchFrameClock;
    clock.stamps = [];
    clock.recording = true;
    await new Promise((resolve) => setTimeout(resolve, ms));
    clock.recording = false;
    return clock.stamps;
  }, seconds * 1000);
  const wallMs = performance.now() - wallBefore;
  const cpuMs = chromiumCpuMs(browserPid) - cpuBefore;
  const state = await bench.page.evaluate(() => document.documentElement.dataset.state);
  if (state !== expectedState) fail(`the page went from '${expectedState}' to '${state}' while timed`);
  if (bench.errors.length) fail(`page errors: ${bench.errors.join(' | ')}`);
  const intervals = stamps.slice(1).map((stamp, index) => stamp - stamps[index]);
  if (intervals.length < fewestFrames) fail(`only ${intervals.length} frames in ${seconds} s`);
  const meanInterval = (stamps.at(-1) - stamps[0]) / intervals.length;
  return {
    msPerFrame: median(intervals),
    // The share of the run's wall clock that Chromium spent on the CPU,
    // times the mean frame: the CPU time of one frame.
    cpuMsPerFrame: (cpuMs / wallMs) * meanInterval,
    frames: intervals.length,
  };
}

// Navigation start to the game's first frame on a first visit: a new page in
// a browser context of its own (no offline copy, no stored data) that may
// not use the HTTP cache. A mark's time counts from the document's time
// origin, which for a navigation is its start.
async function firstVisitFirstFrameMs(browser, url) {
  const visit = await browser.createBrowserContext();
  const bench = await newBenchPage(visit);
  await bench.page.setCacheEnabled(false);
  await bench.page.goto(`${url}?seed=7`);
  await waitToLeave(bench.page, 'loading', 'the game page');
  const firstFrame = await bench.page.evaluate(
    () => performance.getEntriesByName('quorralith-first-frame')[0]?.startTime ?? null);
  await visit.close();
  if (firstFrame === null) fail('the game page left loading without marking its first frame');
  return firstFrame;
}

async function measureFirstFrame(browser, url, loads) {
  const times = [];
  for (let load = 0; load < loads; load++) times.push(await firstVisitFirstFrameMs(browser, url));
  console.log(`time to the first frame, ${loads} first visits (new context, cache disabled), ms: ` +
    times.map((ms) => ms.toFixed(0)).join(' '));
  console.log(`time to the first frame, median of ${loads} first visits: ${median(times).toFixed(0)} ms`);
}

// The two pages of a pair: how each is opened, and the state it shows while
// its frames are timed.
const pairPages = Object.freeze({
  game: { open: openGame, url: (options) => options.gameUrl, timedState: 'demo' },
  floor: { open: openFloor, url: (options) => options.floorUrl, timedState: 'cleared' },
});

async function timePage(bench, name, options, browserPid) {
  const { open, url, timedState } = pairPages[name];
  await open(bench, url(options));
  const canvas = await describeCanvas(bench.page);
  return { canvas, ...(await timeFrames(bench, options.seconds, browserPid, timedState)) };
}

async function runPair(bench, options, browserPid, gameFirst) {
  const pair = {};
  for (const name of gameFirst ? ['game', 'floor'] : ['floor', 'game']) {
    pair[name] = await timePage(bench, name, options, browserPid);
  }
  if (pair.game.canvas !== pair.floor.canvas) {
    fail(`the floor's canvas is not the game's: ${pair.floor.canvas} against ${pair.game.canvas}`);
  }
  return pair;
}

function printPair(number, gameFirst, { game, floor }) {
  console.log(`pair ${number}, ${gameFirst ? 'game' : 'floor'} first: ` +
    `game ${game.msPerFrame.toFixed(2)} ms/frame (CPU ${game.cpuMsPerFrame.toFixed(2)} ms, ${game.frames} frames), ` +
    `floor ${floor.msPerFrame.toFixed(2)} ms/frame (CPU ${floor.cpuMsPerFrame.toFixed(2)} ms, ${floor.frames} frames), ` +
    `game / floor ${(game.msPerFrame / floor.msPerFrame).toFixed(2)}, ` +
    `CPU ${(game.cpuMsPerFrame / floor.cpuMsPerFrame).toFixed(2)}`);
}

function printSummary(pairs, seconds) {
  const of = (name, figure) => median(pairs.map((pair) => pair[name][figure]));
  const ratios = (figure) => pairs.map((pair) => pair.game[figure] / pair.floor[figure]);
  console.log(`browser: game ${of('game', 'msPerFrame').toFixed(2)} ms/frame ` +
    `(CPU ${of('game', 'cpuMsPerFrame').toFixed(2)} ms), floor ${of('floor', 'msPerFrame').toFixed(2)} ms/frame ` +
    `(CPU ${of('floor', 'cpuMsPerFrame').toFixed(2)} ms), medians of ${pairs.length} pairs of ${seconds} s runs`);
  console.log(`browser: game / floor per pair (minimum, median, maximum), ` +
    `wall clock ${spread(ratios('msPerFrame'))}, CPU time ${spread(ratios('cpuMsPerFrame'))}`);
  console.log(`browser game / floor, ratio of the medians: ` +
    `wall clock ${(of('game', 'msPerFrame') / of('floor', 'msPerFrame')).toFixed(2)}, ` +
    `CPU time per frame ${(of('game', 'cpuMsPerFrame') / of('floor', 'cpuMsPerFrame')).toFixed(2)}`);
}

// A first, untimed visit to the game, which leaves its offline copy whole:
// the worker's downloads and checks would otherwise fall into a timed run.
async function settleOfflineCopy(bench, url) {
  await openGame(bench, url);
  try {
    await bench.page.waitForFunction(() => document.documentElement.dataset.offline === 'ready',
      { timeout: startTimeoutMs, polling: 100 });
  } catch {
    fail(`the game page's offline copy was not ready within ${startTimeoutMs / 1000} s`);
  }
}

async function measureFrameTimes(browser, options) {
  const browserPid = browser.process().pid;
  const bench = await newBenchPage(browser);
  await bench.page.evaluateOnNewDocument(installFrameClock);
  await settleOfflineCopy(bench, options.gameUrl);
  const pairs = [];
  for (let number = 1; number <= options.pairs; number++) {
    const gameFirst = number % 2 === 1;
    const pair = await runPair(bench, options, browserPid, gameFirst);
    printPair(number, gameFirst, pair);
    pairs.push(pair);
  }
  await bench.page.close();
  printSummary(pairs, options.seconds);
}

async function main() {
  const options = readArguments();
  const browser = await launchBrowser();
  try {
    await measureFirstFrame(browser, options.gameUrl, options.loads);
    await measureCallsAndBytes(browser, options.gameUrl, options.bytesLog);
    await measureFrameTimes(browser, options);
  } finally {
    await browser.close();
  }
}

main().catch((error) => fail(error.message));
