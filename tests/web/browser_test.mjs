// Drives the browser build in Debian's headless Chromium: the page's states
// over one table of cases, each with what the page must then show, and the
// canvas saved where browser_test.sh holds it against the desktop's.
//   node browser_test.mjs URL BUILD_DIR SCRATCH_DIR PORTAL_PAGE_URL VIEWS PART
// VIEWS: "NAME:PLACE ...", each place as the game's --at takes it, or none.
// PART: "pictures", "play", "host" or "page" (see inPart below).
import { readFileSync } from 'node:fs';
import puppeteer from 'puppeteer-core';

import { keyBits } from '../../web/keys.mjs';

const [url, build, scratch, portalPage, views, part] = process.argv.slice(2);
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const failures = [];
const pageErrors = [];
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run',
         // Audio only after a gesture, as a browser with a player at it.
         '--autoplay-policy=user-gesture-required'],
});

// The input records the game took, each with its time, kept for a test to
// read and to wait on. A walk (window.walk: { keys, milliseconds }) cuts
// its keys from the frames once they have been held that long: the game
// moves by the time between its frames, so the walk is as long however few
// frames a loaded machine draws, and however late the test lets go.
const recordFrames = () => {
  window.takenFrames = [];
  Object.defineProperty(window, 'Module', { configurable: true, get: () => window.module, set: (module) => {
    if (window.startAt) module.arguments.push('--at', window.startAt);
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

// The cases outside the pictures compare no pixels: they play in a smaller
// window (still above the compact layout's 700 x 500), which a software
// renderer draws in half the time, so that the parts share the machine's
// cores better.
const defaultSize = part === 'pictures' ? [1024, 768] : [704, 528];

// Waits until `selector`'s box in `target` (a page or a frame) has stood
// still for half a second: the offline note arrives after loading and moves
// the panels beside it, and a click aimed before then may miss.
const standsStill = (target, selector) => target.waitForFunction((aimed) => {
  const box = document.querySelector(aimed).getBoundingClientRect();
  const place = `${box.x},${box.y}`;
  if (window.steady?.place !== place) window.steady = { place, since: performance.now() };
  return performance.now() - window.steady.since > 500;
}, { timeout: 60000, polling: 50 }, selector);

// A page of the game at `size` on a screen of the same size (where the
// browser's GLFW would take a resize for a fullscreen request). `serve` may
// answer a request in place of the server; `beforeScripts` runs before the
// page's own.
async function openPage(query, { scale = 1, touch = false, serve = () => false, beforeScripts = () => {},
                                  cameFrom = null, size = defaultSize, path = '' } = {}) {
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
  const setSize = ([width, height]) => cdp.send('Emulation.setDeviceMetricsOverride', { width, height,
    deviceScaleFactor: scale, mobile: touch, screenWidth: width, screenHeight: height });
  // Resizes the page, and waits until it has the new size and a frame has
  // passed since: the page hears a resize in an event of its own, before that
  // frame.
  const resize = async ([width, height]) => {
    await setSize([width, height]);
    await page.waitForFunction((w, h) => innerWidth === w && innerHeight === h, { timeout: 60000 }, width, height);
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  };
  await setSize(size);
  await page.evaluateOnNewDocument(recordFrames);
  await page.evaluateOnNewDocument(beforeScripts);
  // A page to go back to, for a swipe that should not.
  if (cameFrom) await page.goto(new URL(cameFrom, url).href);
  await page.goto(new URL(path || url, url).href + query);
  const state = () => page.evaluate(() => document.documentElement.dataset.state);
  // Waits for `test`, run in the page with `args`, to hold.
  const until = (test, ...args) => page.waitForFunction(test, { timeout: 60000, polling: 50 }, ...args);
  const frames = () => page.evaluate(() => window.takenFrames.length);
  return {
    page, cdp, lines, requested, dialogs, state, resize, until,
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
    settled: (selector) => standsStill(page, selector),
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

// The game started at a place of the maze, as the desktop's --at places it
// (recordFrames hands it to the game).
const placedAt = (at) => `window.startAt = ${JSON.stringify(at)};`;
// Counts the game's draws in window.draws.
const countDraws = () => {
  for (const name of ['drawElements', 'drawElementsInstanced']) {
    const draw = WebGL2RenderingContext.prototype[name];
    WebGL2RenderingContext.prototype[name] = function (...args) {
      window.draws = (window.draws ?? 0) + 1;
      return draw.apply(this, args);
    };
  }
};
// The table's cases run in four parts, each in a browser of its own, that
// ctest runs side by side: the cases whose screenshots browser_test.sh
// compares, those of the player's input, those of the host and the address
// the page comes from or cannot load from, and the page's others.
const inPart = (name) => (entry) => Object.assign(entry, { part: name });
const pictured = inPart('pictures');
const played = inPart('play');
const hosted = inPart('host');

const cases = [
  pictured(['the views of the picture table, each started at its place (the start\'s is the next case\'s)', async () => {
    for (const [name, at] of views.split(' ').map((view) => view.split(':')).filter(([, at]) => at)) {
      const game = await started('?seed=7', { beforeScripts: placedAt(at) });
      await game.shot(`view-${name}`);
      await game.page.close();
    }
    return '';
  }]),
  hosted(['the zip, unpacked under a sub-path, plays from its folder address without the slash, inside a portal\'s ' +
    'sandboxed iframe that allows fullscreen and pointer lock; its Fullscreen button gives both', async () => {
    const page = await browser.newPage();
    await page.setViewport({ width: 1024, height: 768 });
    page.on('pageerror', (error) => pageErrors.push(error.message));
    await page.goto(portalPage);
    const frame = await (await page.waitForSelector('iframe')).contentFrame();
    await frame.waitForFunction(() => ['paused', 'failed'].includes(document.documentElement.dataset.state),
      { timeout: 60000 });
    await standsStill(frame, '#fullscreen-button');
    await (await frame.$('#fullscreen-button')).click();
    await frame.waitForFunction(() => document.documentElement.dataset.state === 'playing' &&
      document.fullscreenElement && document.pointerLockElement, { timeout: 60000 }).catch(() => {});
    const inFrame = await frame.evaluate(() => ({ state: document.documentElement.dataset.state,
      locked: document.pointerLockElement === document.querySelector('canvas'),
      fullscreen: document.fullscreenElement === document.documentElement, path: location.pathname }));
    await page.close();
    return inFrame.state === 'playing' && inFrame.locked && inFrame.fullscreen &&
      inFrame.path === '/games/quorralith/' ? '' : JSON.stringify(inFrame);
  }]),
  pictured(['the start view, then a click locks the pointer, W by its place walks to the first cube, the mouse turns',
    async () => {
      const game = await started('?seed=7');
      await game.shot('view-start');
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
    }]),
  played(['Escape pauses; a click far from the centre resumes without a turn; chords with Control stay the game\'s',
    async () => {
      const game = await started('?seed=7');
      await game.lockWithClick(352, 264);
      await game.playing();
      await game.page.evaluate(() => addEventListener('keydown', (event) => { window.kept = event.defaultPrevented; }));
      await game.key('rawKeyDown', 'KeyA', 'a', 65, 2);
      await game.key('keyUp', 'KeyA', 'a', 65, 2);
      const kept = await game.page.evaluate(() => window.kept);
      await game.key('rawKeyDown', 'Escape', 'Escape', 27);
      await game.until(() => document.documentElement.dataset.state === 'paused');
      const prompted = await game.page.$eval('#prompt', (prompt) => getComputedStyle(prompt).display !== 'none');
      if ((await game.state()) !== 'paused' || (await game.locked()) || !prompted) return 'Escape did not pause';
      const paused = await game.page.screenshot();
      await game.lockWithClick(650, 480);
      await game.playing();
      await game.moreFrames();
      if (!paused.equals(await game.page.screenshot())) return 'resuming turned the view';
      if (!kept) return 'Control+A reached the browser';
      return (await game.state()) === 'playing' ? '' : 'a click did not resume';
    }]),
  played(['Escape pauses the demo, which then waits, and a click hands it to the player, who walks on',
    async () => {
      const game = await started('?autoplay&seed=8');
      // The view after `frames` more frames of the game.
      const after = async (frames) => game.moreFrames(frames).then(() => game.page.screenshot());
      const [demo, demoLater] = [await after(0), await after(4)];
      await game.key('rawKeyDown', 'Escape', 'Escape', 27);
      await game.until(() => document.documentElement.dataset.state === 'paused');
      const [paused, pausedLater] = [await after(2), await after(4)];
      await game.lockWithClick(352, 264);
      await game.playing();
      const [clicked, clickedLater] = [await after(2), await after(4)];
      await game.key('keyDown', 'KeyW', 'w', 87);
      await game.moreFrames(4);
      await game.key('keyUp', 'KeyW', 'w', 87);
      const walked = await after(2);
      const faults = [[demo.equals(demoLater), '?autoplay did not move by itself'],
        [!paused.equals(pausedLater), 'Escape did not pause the demo'],
        [!clicked.equals(clickedLater), 'a click did not hand the demo\'s game to the player'],
        [clickedLater.equals(walked), 'the demo\'s game did not go on after its pause'],
        [(await game.state()) !== 'playing', `after the click: ${await game.state()}`]];
      return faults.filter(([fault]) => fault).map(([, why]) => why).join('; ');
    }]),
  ['the Fullscreen button gives fullscreen and play; leaving it, a click plays; a hidden tab pauses with ' +
    'no catch-up report; leaving a game in progress asks first',
    async () => {
      const game = await openPage('?seed=7');
      await game.leaves('loading');
      await game.settled('#fullscreen-button');
      await game.page.click('#fullscreen-button');
      await game.until(() => document.fullscreenElement && document.pointerLockElement).catch(() => {});
      const full = await game.page.evaluate(() => document.fullscreenElement === document.documentElement &&
        document.querySelector('canvas').parentElement === document.body);
      if (!full || !(await game.locked())) {
        return `no fullscreen game with the pointer locked: ${await game.state()}, fullscreen ${full}, ` +
          `locked ${await game.locked()}`;
      }
      await game.page.evaluate(() => document.exitFullscreen());
      await game.lockWithClick(512, 384);
      await game.playing();
      if ((await game.state()) !== 'playing' || !(await game.locked())) return 'no game after leaving fullscreen';
      const other = await browser.newPage();
      await other.bringToFront();
      await game.until(() => document.documentElement.dataset.state === 'paused');
      // Hidden a while (a hidden tab takes no frames): a game that went on
      // would report that while.
      await pause(1000);
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
  pictured(['without S3TC in WebGL the game decodes its textures itself', async () => {
    const game = await started('?seed=7', { beforeScripts: () => {
      const getExtension = WebGL2RenderingContext.prototype.getExtension;
      WebGL2RenderingContext.prototype.getExtension = function (name) {
        return /s3tc/i.test(name) ? null : getExtension.call(this, name);
      };
    } });
    await game.shot('start-without-s3tc');
    await game.page.close();
    return '';
  }]),
  hosted(['at twice the pixels the drawing buffer is twice the size; a bad seed is said, and the address shows ' +
    'the seed drawn', async () => {
    const game = await started('?seed=abc', { scale: 2, size: [1024, 768] });
    const size = await game.page.$eval('canvas', (canvas) => `${canvas.width}x${canvas.height}`);
    const address = new URL(game.page.url()).searchParams.get('seed');
    const note = await game.page.$eval('#seed-note', (note) => note.textContent);
    if (size !== '2048x1536') return `drawing buffer ${size}`;
    return /^[0-9]+$/.test(address) && note.includes('abc') && note.includes(address) ? '' : `${address}: ${note}`;
  }]),
  hosted(['a lost context pauses with a reload link for the same maze, and draws nothing', async () => {
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
  }]),
  played(['Shift runs and C crouches through the page: the game takes both, and the view lowers', async () => {
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
  }]),
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
    await game.resize([600, defaultSize[1]]);
    return await game.until((before) => document.querySelector('canvas').width === 600 && window.draws > before, drawn)
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


// Every audio context the page makes, every clip started (by its length in
// samples, and whether its context was running), and the blocks and cubes
// drawn each frame (one fewer once a food cube is eaten).
const listenForSound = () => {
  window.heard = { contexts: 0, starts: [], draws: [0] };
  window.AudioContext = class extends window.AudioContext {
    constructor(...args) { super(...args); window.heard.contexts++; }
  };
  const [start, draw, drawMany] = [AudioBufferSourceNode.prototype.start, WebGL2RenderingContext.prototype.drawElements,
    WebGL2RenderingContext.prototype.drawElementsInstanced];
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.heard.starts.push({ samples: this.buffer?.length, running: this.context.state === 'running' });
    return start.apply(this, args);
  };
  WebGL2RenderingContext.prototype.drawElements = function (...args) {
    window.heard.draws[window.heard.draws.length - 1]++;
    return draw.apply(this, args);
  };
  // An instanced draw counts each of its blocks or cubes.
  WebGL2RenderingContext.prototype.drawElementsInstanced = function (...args) {
    window.heard.draws[window.heard.draws.length - 1] += args[4];
    return drawMany.apply(this, args);
  };
  const frame = window.requestAnimationFrame;
  window.requestAnimationFrame = (callback) => frame((time) => { window.heard.draws.push(0); callback(time); });
};
const chimeSamples = (readFileSync(new URL('../../data/pickup.wav', import.meta.url)).length - 44) / 2;

cases.push(played(['the demo eats a cube without a sound or an audio context; after a click the first cube eaten ' +
  'starts the chime', async () => {
  const demo = await started('?autoplay&seed=7', { beforeScripts: listenForSound });
  await demo.page.waitForFunction(() => window.heard.draws.filter(Boolean).some((draws, _, drawn) => draws < drawn[0]),
    { timeout: 60000 });
  const before = await demo.page.evaluate(() => window.heard);
  if (before.contexts || before.starts.length) return `the demo made ${before.contexts} audio contexts`;
  const game = await started('?seed=7', { beforeScripts: listenForSound });
  await game.page.mouse.click(512, 384);
  await game.page.waitForFunction(() => document.documentElement.dataset.state === 'playing');
  await game.key('keyDown', 'KeyW', 'w', 87);
  const chimed = await game.page.waitForFunction((samples) => window.heard.starts.some((start) =>
    start.samples === samples && start.running), { timeout: 30000 }, chimeSamples).catch(() => null);
  await game.key('keyUp', 'KeyW', 'w', 87);
  return chimed ? '' : 'no chime started';
}]));

// The page's size here is 704 x 528: the stick's thumb lands low on the left, the look's on the right.
cases.push(played(['on a touch screen a swipe from the edge stays on the page; a tap plays; the stick walks to the ' +
  'first cube, whose chime starts; a drag on the right turns, and two fingers walk and look in the same frames',
  async () => {
    const game = await started('?seed=7', { touch: true, cameFrom: 'build.json', beforeScripts: listenForSound });
    const address = game.page.url();
    await game.touch('touchStart', [[2, 300]]);
    await slide(game, [[2, 300]], [[500, 310]]);
    await game.touch('touchEnd', []);
    await game.moreFrames();
    if (game.page.url() !== address || (await game.state()) !== 'paused') return 'the swipe left the page';
    await game.page.tap('#prompt');
    if (!(await game.playing().catch(() => false))) return `a tap left the page ${await game.state()}`;
    // Two thirds of the stick's reach: a walk, as W gives.
    await game.walk(keyBits.forward, 1.2, async () => {
      await game.touch('touchStart', [[150, 420]]);
      await slide(game, [[150, 420]], [[150, 380]]);
    }, () => game.touch('touchEnd', []));
    const chimed = await game.until((samples) => window.heard.starts.some((start) => start.samples === samples),
      chimeSamples).then(() => true, () => false);
    await game.touch('touchStart', [[550, 300]]);
    await game.turned(() => slide(game, [[550, 300]], [[650, 300]]));
    await game.touch('touchEnd', []);
    await game.touch('touchStart', [[150, 420]]);
    await game.touch('touchStart', [[150, 420], [550, 300]]);
    await slide(game, [[150, 420], [550, 300]], [[150, 360], [650, 280]]);
    await game.moreFrames();
    await game.touch('touchEnd', []);
    const both = await game.page.evaluate(() => window.takenFrames.filter((frame) =>
      (frame.keys & 1) && frame.moveX > 0 && frame.looks).length);
    if (!chimed) return 'the stick did not walk to the first cube';
    return both > 0 ? '' : 'no frame both walked and looked';
  }]));

// What covers what: each visible panel, hint or button over another, over
// the score line's corner (the top-left 240 x 72 of 1024 x 768, scaled), or
// past the window's edge.
const overlaps = (game) => game.page.evaluate(() => {
  const boxes = [...document.querySelectorAll('.panel, .hint, .thumb-button')].filter((e) => e.getClientRects().length)
    .map((e) => ({ name: e.id, ...e.getBoundingClientRect().toJSON() }))
    .concat({ name: 'score', left: 0, top: 0, right: innerWidth * 240 / 1024, bottom: innerHeight * 72 / 768 });
  const meet = (a, b) => a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5;
  return boxes.flatMap((a, i) => boxes.slice(i + 1).filter((b) => meet(a, b)).map((b) => `${a.name}/${b.name}`))
    .concat(boxes.filter((b) => b.left < 0 || b.top < 0 || b.right > innerWidth || b.bottom > innerHeight)
      .map((b) => `${b.name} out`)).join(' ');
});
// The page from a folder deep enough that this maze's link is 100 characters or more.
const deepFolder = `/${'q'.repeat(100 - `${new URL(url).origin}//quorralith.html?seed=0`.length)}/`;
const fromDeepFolder = (request, name = new URL(request.url()).pathname.split(deepFolder)[1]) => Boolean(name &&
  request.respond({ contentType: name.endsWith('js') ? 'text/javascript' : 'text/html', body: readFileSync(`${build}/${name}`) }));

cases.push(['no panel covers another or the score line, with a long link and a 400-digit bad seed, from ' +
  '320 x 240 to 32:9, on a phone either way up and a tablet; a phone explains its touch controls on arrival, ' +
  'and hints at the stick and the look in play until used, on this visit and later ones', async () => {
  const faults = [];
  const check = async (game, name, action) => faults.push(`${name}: ${await action().then(() => overlaps(game))}`);
  const desk = await openPage(`?seed=${'9'.repeat(400)}`, { serve: fromDeepFolder, path: `${deepFolder}quorralith.html` });
  await desk.leaves('loading');
  await desk.settled('#settings-button');
  for (const size of [[320, 240], [700, 500], [1024, 768], [3840, 1080]]) {
    await check(desk, size, () => desk.resize(size));
    await check(desk, `${size} settings`, () => desk.page.click('#settings-button'));
    await desk.page.click('#settings-done');
  }
  // At one device pixel to the CSS pixel: the panels are laid out in CSS
  // pixels, and a phone's 2.75 would only have the software renderer draw
  // seven times the pixels.
  const phone = await openPage('?seed=7', { touch: true });
  await phone.leaves('loading');
  for (const size of [[393, 851], [768, 1024], [851, 393]]) await check(phone, size, () => phone.resize(size));
  const seen = () => phone.page.$$eval('#stick-hint, #look-hint, .guide', (all) => all.map((e) => e.getClientRects().length));
  const guided = [await seen(), await check(phone, 'playing', () => phone.page.tap('#prompt h1')).then(seen)];
  await phone.touch('touchStart', [[200, 300]]);
  await phone.touch('touchEnd', []);
  guided.push(await phone.page.waitForFunction(() => document.getElementById('stick-hint').hidden).then(seen));
  // Back another day: the stick's hint stays away, the look's until used.
  await phone.page.reload();
  await phone.leaves('loading');
  guided.push(await phone.page.tap('#prompt h1').then(seen));
  faults.push(`link: ${await desk.page.$eval('#share-link', (a) => (a.textContent.length < 100 ? a.textContent : ''))}`);
  if (`${guided}` !== '0,0,1,1,1,0,0,1,0,0,1,0') {
    faults.push(`stick and look hints and guide on arrival, in play, after a touch, on a later visit: ${guided}`);
  }
  return faults.filter((fault) => !fault.endsWith(': ')).join('; ');
}]);

cases.push(played(['the arrow key walks; a look speed set in the settings turns the same mouse move twice as far',
  async () => {
    const game = await started('?seed=7');
    await game.page.mouse.click(312, 384);
    await game.page.waitForFunction(() => document.documentElement.dataset.state === 'playing');
    // The turn the game has taken since the last call, once it is at least `least`.
    const turned = async (least) => {
      await game.page.waitForFunction((x) => window.takenFrames.reduce((sum, frame) => sum + frame.moveX, 0) >= x,
        { timeout: 10000 }, least).catch(() => {});
      return game.page.evaluate(() => window.takenFrames.splice(0).reduce((sum, frame) => sum + frame.moveX, 0));
    };
    await game.key('keyDown', 'ArrowUp', 'ArrowUp', 38);
    const walked = await game.page.waitForFunction(() => window.takenFrames.some((frame) => frame.keys & 1));
    await game.key('keyUp', 'ArrowUp', 'ArrowUp', 38);
    await turned(0);
    await game.page.mouse.move(412, 384, { steps: 5 });
    const plain = await turned(1);
    await game.page.$eval('#mouse-look', (slider) => { slider.value = '2'; slider.dispatchEvent(new Event('input')); });
    await game.page.mouse.move(512, 384, { steps: 5 });
    const doubled = await turned(2 * plain);
    const kept = await game.page.evaluate(() => JSON.parse(localStorage.getItem('quorralith.settings')).mouseLook);
    return walked && plain > 0 && doubled === 2 * plain && kept === 2 ? '' : `turned ${plain}, then ${doubled}; kept ${kept}`;
  }]));

// A failed load ends in the page's message naming what failed: the page's
// wiring of the loader, whose every failure tests/web/unit proves in node.
const failedLoads = [
  ['no WebGL2', 'WebGL2', { beforeScripts: () => {
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
      return kind === 'webgl2' ? null : getContext.call(this, kind, ...rest);
    };
  } }],
  ['.data short of its last 1.6 %', 'quorralith.data.gz', { serve: answer('quorralith.data.gz', { share: 0.984 }) }],
  ['.data cut by a dropped connection', 'quorralith.data.gz',
    { serve: answer('quorralith.data.gz', { abort: true }) }],
  ['page.mjs not on the server', 'page.mjs', { serve: answer('page.mjs', { status: 404 }) }],
  ['every address answered with the page', 'page.mjs', { serve: answer('.mjs', { html: true }) }],
];
for (const [name, named, options] of failedLoads) {
  cases.push(hosted([`a failed load (${name}) is said, naming ${named}`, async () => {
    const page = await openPage('?seed=7', options);
    const state = await page.leaves('loading', 30);
    const message = await page.message();
    const startedWithoutWebGl2 = named === 'WebGL2' &&
      page.requested.some((address) => address.includes('quorralith.js'));
    return (await page.state()) === 'failed' && state === 'failed' && message.includes(named) && !startedWithoutWebGl2
      ? '' : `${state}: ${message}`;
  }]));
}

// The demo eats every cube in two and a half minutes of game time, here on a clock that gives each
// animation frame a tenth of a second, the slowest rate its autopilot is proven at. The frames come one
// after another rather than with the display, and draw nothing: what the case holds is what the game
// tells the page, and a software renderer's draws took nine tenths of its time. The same tour however
// slowly a loaded machine runs it.
const withoutDisplay = () => {
  let frames = 0;
  let waiting = [];
  const next = new MessageChannel();
  next.port1.onmessage = () => {
    const callbacks = waiting;
    waiting = [];
    frames++;
    for (const callback of callbacks) callback(frames * 100);
  };
  window.requestAnimationFrame = (callback) => {
    if (!waiting.length) next.port2.postMessage(0);
    return waiting.push(callback);
  };
  performance.now = () => frames * 100;
  for (const name of ['drawElements', 'drawElementsInstanced']) WebGL2RenderingContext.prototype[name] = () => {};
};
cases.push(['when the last cube is eaten, a panel says so, the game goes on, a new maze behind its link', async () => {
  const demo = await openPage('?autoplay&seed=8', { size: [160, 120], beforeScripts: withoutDisplay });
  await demo.page.waitForFunction(() => !document.getElementById('every-cube').hidden, { timeout: 60000, polling: 100 });
  const [seed, state] = [await demo.page.$eval('#new-maze', (a) => new URL(a.href).searchParams.get('seed')), await demo.state()];
  return demo.lines.some((line) => line.startsWith('Points: 101/101')) && state === 'demo' && seed !== '8' ? '' : `${state}, ${seed}`;
}]);

const chosen = cases.filter((entry) => (entry.part ?? 'page') === part);
for (const entry of chosen) {
  const [name, run] = entry;
  const errorsBefore = pageErrors.length;
  let why = await run().catch((error) => error.message);
  why ||= pageErrors.slice(errorsBefore).join(' | ');
  if (why) failures.push(`${name}: ${why}`);
  console.log(`${(performance.now() / 1000).toFixed(1)} s ${why ? 'FAIL' : 'ok'}: ${name}${why ? `: ${why}` : ''}`);
  // A case's pages would go on drawing, on the same CPU, through the next.
  for (const page of await browser.defaultBrowserContext().pages()) await page.close().catch(() => {});
}
for (const page of await browser.pages()) await page.close().catch(() => {});
await browser.close();
if (failures.length) process.exit(1);
