// Drives the browser build in Debian's headless Chromium and saves what it
// shows; browser_test.sh compares the pictures with the desktop game's.
//   node browser_test.mjs URL SCRATCH_DIR
// Prints one line per fact it checks itself; exits 1 on the first that fails.
import puppeteer from 'puppeteer-core';

const [url, scratch] = process.argv.slice(2);
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const fail = (why) => { console.log('FAIL: ' + why); process.exit(1); };

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'],
});

// Opens the page, waits until its four shader programs are linked and the
// first frame has been shown (the game then waits for a click, but for a
// demo), and hides the page's panels, so that a screenshot holds the canvas
// alone.
async function openGame(query, beforeScripts) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  const console = [];
  const errors = [];
  page.on('console', (message) => console.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  if (beforeScripts) await page.evaluateOnNewDocument(beforeScripts);
  await page.goto(url + query);
  const linked = () => console.filter((line) => line === 'Linking program').length;
  for (let waited = 0; linked() < 4; waited += 100) {
    if (waited > 30000) fail('the game did not start from ' + query + ': ' + console.join(' | '));
    await pause(100);
  }
  await pause(1000);
  await page.addStyleTag({ content: '.panel { display: none !important; }' });
  return { page, console, errors };
}

const shot = (game, name) => game.page.screenshot({ path: `${scratch}/${name}.png` });
const locked = (game) => game.page.evaluate(
  () => document.pointerLockElement === document.getElementById('canvas'));

const played = await openGame('?seed=7');
await shot(played, 'start');
if (played.errors.length) fail('page errors: ' + played.errors.join(' | '));

await played.page.mouse.click(512, 384);
await pause(300);
if (!(await locked(played))) fail('a click did not lock the pointer');
await played.page.keyboard.down('w');
await pause(1000);
await played.page.keyboard.up('w');
await pause(500);
await shot(played, 'walked');
await played.page.mouse.move(612, 384, { steps: 5 });
await pause(500);
await shot(played, 'turned');

// Out of the lock the game waits: a mouse move turns nothing until a click.
await played.page.evaluate(() => document.exitPointerLock());
await pause(500);
if (await locked(played)) fail('the pointer is still locked');
await shot(played, 'paused');
await played.page.mouse.move(300, 300, { steps: 5 });
await pause(500);
await shot(played, 'paused-moved');
console.log('ok: a click locks the pointer, W walks, the mouse turns, leaving the lock pauses');

// Without S3TC the game decodes its textures itself.
const noS3tc = await openGame('?seed=7', () => {
  for (const context of [WebGL2RenderingContext, WebGLRenderingContext]) {
    const getExtension = context.prototype.getExtension;
    context.prototype.getExtension = function (name) {
      return /s3tc/i.test(name) ? null : getExtension.call(this, name);
    };
    const supported = context.prototype.getSupportedExtensions;
    context.prototype.getSupportedExtensions = function () {
      return supported.call(this).filter((name) => !/s3tc/i.test(name));
    };
  }
});
await shot(noS3tc, 'start-without-s3tc');

const demo = await openGame('?autoplay&seed=8');
await shot(demo, 'demo');
await pause(1500);
await shot(demo, 'demo-later');
// A click hands the demo's game to the player, who stands still.
await demo.page.mouse.click(512, 384, { delay: 100 });
await pause(500);
await shot(demo, 'clicked');
await pause(1000);
await shot(demo, 'clicked-later');
await browser.close();
