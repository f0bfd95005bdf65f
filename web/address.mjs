// The settings a link carries: the seed of its maze and whether it shows the
// demo. Pure: the page passes in its address and acts on the answer.

const largestSeed = 4294967295;  // the game's seeds are 32-bit
const demoOffValues = new Set(['0', 'false', 'no', 'off']);

// A seed drawn for a visitor whose link names none (or a bad one).
export function drawSeed(random = () => crypto.getRandomValues(new Uint32Array(1))[0]) {
  return String(random());
}

function isSeed(text) {
  return /^[0-9]{1,10}$/.test(text) && Number(text) <= largestSeed;
}

// { seed, badSeed, demo } from the address's query: `badSeed` is the text
// that was not a seed (null when the seed was fine or absent), in which case
// `seed` is a drawn one. `?autoplay` and `?autoplay=1` show the demo;
// `?autoplay=0` (or false, no, off) does not.
export function readSettings(search, draw = drawSeed) {
  const params = new URLSearchParams(search);
  const given = params.get('seed');
  const seedIsGood = given !== null && isSeed(given);
  const demoValue = params.get('autoplay');
  return {
    seed: seedIsGood ? String(Number(given)) : draw(),
    badSeed: given !== null && !seedIsGood ? given : null,
    demo: demoValue !== null && !demoOffValues.has(demoValue.trim().toLowerCase()),
  };
}

// The page's address naming `seed`, everything else in its query kept. No
// fragment: a link that differs from the page's address only by one would
// scroll rather than reload.
export function addressWithSeed(href, seed) {
  const url = new URL(href);
  url.searchParams.set('seed', seed);
  url.hash = '';
  return url.href;
}

// The link to this maze for someone else: the page, the seed, nothing more.
export function shareLink(href, seed) {
  const url = new URL(href);
  url.search = '';
  url.hash = '';
  url.searchParams.set('seed', seed);
  return url.href;
}
