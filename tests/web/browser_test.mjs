// Drives the browser build in Debian's headless Chromium and saves what the
// canvas shows; browser_test.sh holds the pictures against the desktop's.
//   node browser_test.mjs URL SCRATCH_DIR
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

// The page once its four shader programs are linked and its first frame is
// shown (then it waits for a click, but for a demo), its panels hidden so
// that a screenshot holds the canvas alone. `shot` saves the canvas, `locked`
// says whether it holds the pointer lock.
async function openGame(query, beforeScripts = () => {}) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  const lines = [];
  const errors = [];
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.evaluateOnNewDocument(beforeScripts);
  await page.goto(url + query);
  for (let waited = 0; lines.filter((l) => l === 'Linking program').length < 4; waited += 100) {
    if (waited > 30000) fail('the game did not start from ' + query + ': ' + lines.join(' | '));
    await pause(100);
  }
  await pause(1000);
  await page.addStyleTag({ content: '.panel { display: none !important; }' });
  if (errors.length) fail('page errors: ' + errors.join(' | '));
  return {
    page,
    shot: (name) => page.screenshot({ path: `${scratch}/${name}.png` }),
    locked: () => page.evaluate(() => document.pointerLockElement === document.querySelector('canvas')),
  };
}

const played = await openGame('?seed=7');
await played.shot('start');
await played.page.mouse.click(512, 384);
await pause(300);
if (!(await played.locked())) fail('a click did not lock the pointer');
await played.page.keyboard.down('w');
await pause(1000);
await played.page.keyboard.up('w');
await pause(500);
await played.shot('walked');
await played.page.mouse.move(612, 384, { steps: 5 });
await pause(500);
await played.shot('turned');
// Out of the lock the game waits: a mouse move turns nothing until a click.
await played.page.evaluate(() => document.exitPointerLock());
await pause(500);
if (await played.locked()) fail('the pointer is still locked');
await played.shot('paused');
await played.page.mouse.move(300, 300, { steps: 5 });
await pause(500);
await played.shot('paused-moved');

// Without S3TC in WebGL the game decodes its textures itself.
const noS3tc = await openGame('?seed=7', () => {
  const getExtension = WebGL2RenderingContext.prototype.getExtension;
  WebGL2RenderingContext.prototype.getExtension = function (name) {
    return /s3tc/i.test(name) ? null : getExtension.call(this, name);
  };
});
await noS3tc.shot('start-without-s3tc');

// The demo moves by itself until a click hands its game to the player.
const demo = await openGame('?autoplay&seed=8');
await demo.shot('demo');
await pause(1500);
await demo.shot('demo-later');
await demo.page.mouse.click(512, 384, { delay: 100 });
await pause(500);
await demo.shot('clicked');
await pause(1000);
await demo.shot('clicked-later');
await browser.close();
