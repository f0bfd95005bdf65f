// Drives the browser build in Debian's headless Chromium: the page's states
// over one table of cases, each with what the page must then show, and the
// canvas saved where browser_test.sh holds it against the desktop's.
//   node browser_test.mjs URL BUILD_DIR SCRATCH_DIR
import { readFileSync } from 'node:fs';
import puppeteer from 'puppeteer-core';

import { keyBits } from '../../web/keys.mjs';

const [url, build, scratch] = process.argv.slice(2);
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const failures = [];
const pageErrors = [];
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'],
});

// The input records the game took, each with its time, kept for a test to
// read and to wait on. A walk (window.walk: { keys, milliseconds }) cuts
// its keys from the frames once they have been held that long: the game
// moves by the time between its frames, so the walk is as long however few
// frames a loaded machine draws, and however late the test lets go.
const recordFrames = () => {
  window.takenFrames = [];
  Object.defineProperty(window, 'Module', { configurable: true, get: () => window.module, set: (module) => {
    const take = module.quorralithPage.takeFrame;
    module.quorralithPage.takeFrame = () => {
      const frame = take();
      const walk = window.walk;
      if (walk && frame.runs && (frame.keys & walk.keys) === walk.keys) {
        walk.from ??= performance.now();
        walk.done ||= performance.now() - walk.from >= walk.milliseconds;
        if (walk.done) frame.keys &= ~walk.keys;
      }
      window.takenFrames.push({ ...frame, at: performance.now() });
      return frame;
    };
    window.module = module;
  } });
};

// A page of the game at 1024 x 768 on a screen of the same size (where the
// browser's GLFW would take a resize for a fullscreen request). `serve` may
// answer a request in place of the server; `beforeScripts` runs before the
// page's own.
async function openPage(query, { scale = 1, touch = false, serve = () => false, beforeScripts = () => {},
                                  cameFrom = null } = {}) {
  const page = await browser.newPage();
  const lines = [];
  const requested = [];
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => pageErrors.push(error.message));
  const dialogs = [];
  page.on('dialog', (dialog) => dialogs.push(dialog.type()) && dialog.accept());
  // The offline copy has a test of its own (offline_test.mjs); here every
  // request reaches the server, or the answer a case gives in its place.
  await page.setBypassServiceWorker(true);
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    requested.push(request.url());
    if (!serve(request)) request.continue();
  });
  const cdp = await page.createCDPSession();
  await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: scale, isMobile: touch, hasTouch: touch });
  await cdp.send('Emulation.setDeviceMetricsOverride', { width: 1024, height: 768, deviceScaleFactor: scale,
    mobile: touch, screenWidth: 1024, screenHeight: 768 });
  await page.evaluateOnNewDocument(recordFrames);
  await page.evaluateOnNewDocument(beforeScripts);
  // A page to go back to, for a swipe that should not.
  if (cameFrom) await page.goto(new URL(cameFrom, url).href);
  await page.goto(url + query);
  const state = () => page.evaluate(() => document.documentElement.dataset.state);
  // Waits for `test`, run in the page with `args`, to hold.
  const until = (test, ...args) => page.waitForFunction(test, { timeout: 60000, polling: 50 }, ...args);
  const frames = () => page.evaluate(() => window.takenFrames.length);
  return {
    page, cdp, lines, requested, dialogs, state, until,
    // Waits for the game to take `count` more frames.
    moreFrames: async (count = 2) => until((total) => window.takenFrames.length >= total, (await frames()) + count),
    // Holds `keys` (pressed by `press`, let go by `release`) for `seconds`
    // of the game's frames.
    walk: async (keys, seconds, press, release) => {
      await page.evaluate((held, milliseconds) => { window.walk = { keys: held, milliseconds }; }, keys, seconds * 1000);
      await press();
      await until(() => window.walk.done);
      await release();
      await page.evaluate(() => { window.walk = null; });
    },
    // Moves, and waits for the game to take a frame that turns.
    turned: async (move) => {
      const from = await frames();
      await move();
      return until((first) => window.takenFrames.slice(first).some((frame) => frame.moveX), from);
    },
    playing: () => until(() => document.documentElement.dataset.state === 'playing'),
    // Clicks until the pointer locks: the browser refuses a lock asked for
    // within a second of losing one.
    lockWithClick: async (x, y) => {
      for (const start = Date.now(); Date.now() - start < 60000;) {
        await page.mouse.click(x, y);
        if (await page.waitForFunction(() => document.pointerLockElement, { timeout: 1000 }).catch(() => false)) return;
      }
    },
    // Waits for the page to leave `from` for any other state, and says which.
    leaves: async (from, seconds = 60) => {
      await page.waitForFunction((s) => document.documentElement.dataset.state !== s,
        { timeout: seconds * 1000 }, from).catch(() => {});
      return state();
    },
    shot: (name) => page.screenshot({ path: `${scratch}/${name}.png` }),
    locked: () => page.evaluate(() => document.pointerLockElement === document.querySelector('canvas')),
    message: () => page.$eval('#stopped', (panel) => panel.textContent),
    key: (type, code, key, keyCode, modifiers = 0) => cdp.send('Input.dispatchKeyEvent',
      { type, code, key, windowsVirtualKeyCode: keyCode, modifiers }),
    // Fingers at [x, y] each; a finger keeps its place in the list.
    touch: (type, fingers) => cdp.send('Input.dispatchTouchEvent',
      { type, touchPoints: fingers.map(([x, y], id) => ({ x, y, id })) }),
  };
}

// The game's start view, with the panels out of the picture.
async function started(query, options) {
  const game = await openPage(query, options);
  const reached = await game.leaves('loading');
  if (reached !== 'paused' && reached !== 'demo') throw new Error(`${query} reached ${reached}`);
  await game.moreFrames();
  await game.page.addStyleTag({ content: '.panel { visibility: hidden !important; }' });
  return game;
}

// The files whose names end in `name`, answered as `change` says: the
// connection dropped, the bytes cut to a share of their length, another
// status, or the page's own HTML in their place.
function answer(name, { abort = false, share = 1, status = 200, html = false }) {
  return (request) => {
    if (!new URL(request.url()).pathname.endsWith(name)) return false;
    if (abort) request.abort('connectionreset');
    else {
      const bytes = readFileSync(`${build}/${html ? 'quorralith.html' : name}`);
      request.respond({ status, contentType: html ? 'text/html' : undefined,
        body: bytes.subarray(0, Math.floor(bytes.length * share)) });
    }
    return true;
  };
}

// Counts the game's draws in window.draws.
const countDraws = () => {
  const draw = WebGL2RenderingContext.prototype.drawElements;
  WebGL2RenderingContext.prototype.drawElements = function (...args) {
    window.draws = (window.draws ?? 0) + 1;
    return draw.apply(this, args);
  };
};

const cases = [
  ['the start view, then a click locks the pointer, W by its place walks to the first cube, the mouse turns',
    async () => {
      const game = await started('?seed=7');
      await game.shot('start');
      await game.lockWithClick(512, 384);
      await game.playing();
      // W's place on an AZERTY keyboard, where the layout prints Z.
      await game.walk(keyBits.forward, 1.2, () => game.key('keyDown', 'KeyW', 'z', 90),
        () => game.key('keyUp', 'KeyW', 'z', 90));
      await game.moreFrames();
      await game.shot('walked');
      await game.turned(() => game.page.mouse.move(612, 384, { steps: 5 }));
      await game.moreFrames();
      await game.shot('turned');
      const panels = await game.page.$$eval('#prompt, #controls, #share, #licence',
        (all) => all.filter((panel) => getComputedStyle(panel).display !== 'none').length);
      return panels ? `${panels} panels cover the game in play` : '';
    }],
  ['Escape pauses; a click far from the centre resumes without a turn; chords with Control stay the game\'s',
    async () => {
      const game = await started('?seed=7');
      await game.lockWithClick(512, 384);
      await game.playing();
      await game.page.evaluate(() => addEventListener('keydown', (event) => { window.kept = event.defaultPrevented; }));
      await game.key('rawKeyDown', 'KeyA', 'a', 65, 2);
      await game.key('keyUp', 'KeyA', 'a', 65, 2);
      const kept = await game.page.evaluate(() => window.kept);
      await game.key('rawKeyDown', 'Escape', 'Escape', 27);
      await game.until(() => document.documentElement.dataset.state === 'paused');
      const prompted = await game.page.$eval('#prompt', (prompt) => getComputedStyle(prompt).display !== 'none');
      if ((await game.state()) !== 'paused' || (await game.locked()) || !prompted) return 'Escape did not pause';
      await game.shot('paused');
      await game.lockWithClick(800, 600);
      await game.playing();
      await game.moreFrames();
      await game.shot('resumed');
      if (!kept) return 'Control+A reached the browser';
      return (await game.state()) === 'playing' ? '' : 'a click did not resume';
    }],
  ['Escape pauses the demo, which then waits, and a click hands it to the player',
    async () => {
      const game = await started('?autoplay&seed=8');
      await game.shot('demo');
      await game.moreFrames(10);
      await game.shot('demo-later');
      await game.key('rawKeyDown', 'Escape', 'Escape', 27);
      await game.until(() => document.documentElement.dataset.state === 'paused');
      await game.moreFrames();
      await game.shot('demo-paused');
      await game.moreFrames(10);
      await game.shot('demo-paused-later');
      await game.lockWithClick(512, 384);
      await game.playing();
      await game.moreFrames();
      await game.shot('clicked');
      await game.moreFrames(10);
      await game.shot('clicked-later');
      await game.key('keyDown', 'KeyW', 'w', 87);
      await game.moreFrames(10);
      await game.key('keyUp', 'KeyW', 'w', 87);
      await game.moreFrames();
      await game.shot('clicked-walked');
      return (await game.state()) === 'playing' ? '' : `after the click: ${await game.state()}`;
    }],
  ['the Fullscreen button gives fullscreen and play; leaving it, a click plays; a hidden tab pauses with ' +
    'no catch-up report; leaving a game in progress asks first',
    async () => {
      const game = await openPage('?seed=7');
      await game.leaves('loading');
      await game.page.click('#fullscreen-button');
      await game.until(() => document.fullscreenElement && document.pointerLockElement).catch(() => {});
      const full = await game.page.evaluate(() => document.fullscreenElement === document.documentElement &&
        document.querySelector('canvas').parentElement === document.body);
      if (!full || !(await game.locked())) return 'no fullscreen game with the pointer locked';
      await game.page.evaluate(() => document.exitFullscreen());
      await game.lockWithClick(512, 384);
      await game.playing();
      if ((await game.state()) !== 'playing' || !(await game.locked())) return 'no game after leaving fullscreen';
      const other = await browser.newPage();
      await other.bringToFront();
      await game.until(() => document.documentElement.dataset.state === 'paused');
      // Hidden a while (a hidden tab takes no frames): a game that went on
      // would report that while.
      await pause(2500);
      await game.page.bringToFront();
      const paused = await game.state();
      await game.lockWithClick(512, 384);
      const counted = game.lines.length;
      const reports = () => game.lines.slice(counted).filter((line) => line.endsWith('ms/frame'));
      for (const start = Date.now(); !reports().length && Date.now() - start < 60000;) await game.moreFrames();
      const reported = reports();
      if (paused !== 'paused' || !reported.length || reported.some((line) => parseFloat(line) > 500)) {
        return `a hidden tab left ${paused}, then reported ${reported.join(' | ')}`;
      }
      await game.page.goto('about:blank').catch(() => {});
      return game.dialogs.includes('beforeunload') ? '' : 'a game in progress was left without asking';
    }],
  ['without S3TC in WebGL the game decodes its textures itself', async () => {
    const game = await started('?seed=7', { beforeScripts: () => {
      const getExtension = WebGL2RenderingContext.prototype.getExtension;
      WebGL2RenderingContext.prototype.getExtension = function (name) {
        return /s3tc/i.test(name) ? null : getExtension.call(this, name);
      };
    } });
    await game.shot('start-without-s3tc');
    return '';
  }],
  ['at twice the pixels the drawing buffer is twice the size; a bad seed is said, and the address shows ' +
    'the seed drawn', async () => {
    const game = await started('?seed=abc', { scale: 2 });
    const size = await game.page.$eval('canvas', (canvas) => `${canvas.width}x${canvas.height}`);
    const address = new URL(game.page.url()).searchParams.get('seed');
    const note = await game.page.$eval('#seed-note', (note) => note.textContent);
    if (size !== '2048x1536') return `drawing buffer ${size}`;
    return /^[0-9]+$/.test(address) && note.includes('abc') && note.includes(address) ? '' : `${address}: ${note}`;
  }],
  ['a lost context pauses with a reload link for the same maze, and draws nothing', async () => {
    const game = await started('?seed=7', { beforeScripts: countDraws });
    await game.page.evaluate(() => {
      window.loser = document.querySelector('canvas').getContext('webgl2').getExtension('WEBGL_lose_context');
      window.loser.loseContext();
    });
    await game.until(() => document.documentElement.dataset.state === 'context-lost');
    const drawsBefore = await game.page.evaluate(() => window.draws);
    await game.moreFrames(10);
    const draws = await game.page.evaluate((before) => window.draws - before, drawsBefore);
    await game.page.evaluate(() => window.loser.restoreContext());
    await game.moreFrames();
    const link = await game.page.$eval('#reload-link', (a) => new URL(a.href).searchParams.get('seed'));
    const state = await game.state();
    const hidden = await game.page.$eval('canvas', (canvas) => getComputedStyle(canvas).visibility === 'hidden');
    return state === 'context-lost' && draws === 0 && hidden && link === '7' && /lost/.test(await game.message())
      ? '' : `${state}, ${draws} draws in 10 frames, canvas hidden: ${hidden}, link seed ${link}`;
  }],
  ['Shift runs and C crouches through the page: the game takes both, and the view lowers', async () => {
    const game = await started('?seed=7');
    await game.lockWithClick(512, 384);
    await game.playing();
    await game.moreFrames();
    const standing = await game.page.screenshot();
    await game.key('rawKeyDown', 'ShiftLeft', 'Shift', 16);
    await game.key('keyDown', 'KeyC', 'c', 67);
    await game.until((both) => window.takenFrames.some((frame) => (frame.keys & both) === both), keyBits.run | keyBits.crouch);
    await game.moreFrames(10);
    return standing.equals(await game.page.screenshot()) ? 'crouching left the view where it was' : '';
  }],
  ['a demo hidden and shown again plays on; the jump a browser reports on locking turns nothing; Control ' +
    'with the wheel is kept from the browser in play', async () => {
    const game = await started('?autoplay&seed=8');
    await (await browser.newPage()).bringToFront();
    await game.until(() => document.documentElement.dataset.state === 'paused');
    await game.page.bringToFront();
    await game.until(() => document.documentElement.dataset.state === 'demo');
    await game.page.evaluate(() => {
      document.addEventListener('pointerlockchange', () =>
        document.dispatchEvent(new MouseEvent('mousemove', { movementX: 1015 })), { once: true });
      addEventListener('wheel', (event) => { window.wheelKept = event.defaultPrevented; });
    });
    await game.lockWithClick(512, 384);
    await game.playing();
    await game.cdp.send('Input.dispatchMouseEvent', { type: 'mouseWheel', x: 512, y: 384, deltaX: 0, deltaY: -120,
      modifiers: 2 });
    await game.moreFrames();
    const turned = await game.page.evaluate(() => window.takenFrames.some((frame) => frame.moveX));
    const kept = await game.page.evaluate(() => window.wheelKept);
    return !turned && kept ? '' : `the jump turned: ${turned}; the wheel kept: ${kept}`;
  }],
  ['a paused page resized in one direction only draws its picture again at the new size', async () => {
    const game = await started('?seed=7', { beforeScripts: countDraws });
    const drawn = await game.page.evaluate(() => window.draws);
    await game.cdp.send('Emulation.setDeviceMetricsOverride', { width: 800, height: 768, deviceScaleFactor: 1,
      mobile: false, screenWidth: 1024, screenHeight: 768 });
    return await game.until((before) => document.querySelector('canvas').width === 800 && window.draws > before, drawn)
      .then(() => '', () => 'the picture was not drawn again');
  }],
];

// Fingers that move in steps from where they are to where they go.
async function slide(game, from, to) {
  for (let step = 1; step <= 10; step++) {
    await game.touch('touchMove', from.map(([x, y], finger) => [
      x + (to[finger][0] - x) * step / 10, y + (to[finger][1] - y) * step / 10]));
    await pause(30);
  }
}

cases.push(['on a touch screen a swipe from the edge stays on the page; a tap plays; the stick walks to the ' +
  'first cube, a drag on the right turns, and two fingers walk and look in the same frames', async () => {
  const game = await started('?seed=7', { touch: true, cameFrom: 'build.json' });
  const address = game.page.url();
  await game.touch('touchStart', [[2, 400]]);
  await slide(game, [[2, 400]], [[700, 420]]);
  await game.touch('touchEnd', []);
  await game.moreFrames();
  if (game.page.url() !== address || (await game.state()) !== 'paused') return 'the swipe left the page';
  await game.page.tap('#prompt');
  if (!(await game.playing().catch(() => false))) return `a tap left the page ${await game.state()}`;
  // Two thirds of the stick's reach: a walk, as W gives.
  await game.walk(keyBits.forward, 1.2, async () => {
    await game.touch('touchStart', [[200, 600]]);
    await slide(game, [[200, 600]], [[200, 560]]);
  }, () => game.touch('touchEnd', []));
  await game.moreFrames();
  await game.shot('touch-walked');
  await game.touch('touchStart', [[800, 400]]);
  await game.turned(() => slide(game, [[800, 400]], [[900, 400]]));
  await game.touch('touchEnd', []);
  await game.moreFrames();
  await game.shot('touch-turned');
  await game.touch('touchStart', [[200, 600]]);
  await game.touch('touchStart', [[200, 600], [800, 400]]);
  await slide(game, [[200, 600], [800, 400]], [[200, 540], [900, 380]]);
  await game.moreFrames();
  await game.touch('touchEnd', []);
  const both = await game.page.evaluate(() => window.takenFrames.filter((frame) =>
    (frame.keys & 1) && frame.moveX > 0 && frame.looks).length);
  return both > 0 ? '' : 'no frame both walked and looked';
}]);

// A failed load ends in the page's message naming what failed: the page's
// wiring of the loader, whose every failure tests/web/unit proves in node.
const failedLoads = [
  ['no WebGL2', 'WebGL2', { beforeScripts: () => {
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
      return kind === 'webgl2' ? null : getContext.call(this, kind, ...rest);
    };
  } }],
  ['.data short of its last 1.6 %', 'quorralith.data', { serve: answer('quorralith.data', { share: 0.984 }) }],
  ['.data cut by a dropped connection', 'quorralith.data', { serve: answer('quorralith.data', { abort: true }) }],
  ['page.mjs not on the server', 'page.mjs', { serve: answer('page.mjs', { status: 404 }) }],
  ['every address answered with the page', 'page.mjs', { serve: answer('.mjs', { html: true }) }],
];
for (const [name, named, options] of failedLoads) {
  cases.push([`a failed load (${name}) is said, naming ${named}`, async () => {
    const page = await openPage('?seed=7', options);
    const state = await page.leaves('loading', 30);
    const message = await page.message();
    const startedWithoutWebGl2 = named === 'WebGL2' &&
      page.requested.some((address) => address.includes('quorralith.js'));
    return (await page.state()) === 'failed' && state === 'failed' && message.includes(named) && !startedWithoutWebGl2
      ? '' : `${state}: ${message}`;
  }]);
}

for (const [name, run] of cases) {
  const errorsBefore = pageErrors.length;
  let why = await run().catch((error) => error.message);
  why ||= pageErrors.slice(errorsBefore).join(' | ');
  if (why) failures.push(`${name}: ${why}`);
  console.log(`${why ? 'FAIL' : 'ok'}: ${name}${why ? `: ${why}` : ''}`);
}
for (const page of await browser.pages()) await page.close().catch(() => {});
await browser.close();
if (failures.length) process.exit(1);
