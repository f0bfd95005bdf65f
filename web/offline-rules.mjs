// The offline copy's decisions, shared by the worker (sw.js) and the page
// (offline.mjs): which cache holds a build, which request a cached file
// answers, and when a page may move to a newer build. Plain functions, so
// that node's test runner checks them.

const CACHE_PREFIX = 'quorralith';

// One cache per build and per place the game is served from: two copies of
// the game on one site (a release and a preview, say) never delete each
// other's. A space ends the scope, so no scope's names begin another's.
export function cacheNameFor(scope, version) {
  return `${CACHE_PREFIX} ${scope} ${version}`;
}

// The caches that earlier builds under this scope left behind.
export function staleCacheNames(names, scope, version) {
  const ours = cacheNameFor(scope, '');
  return names.filter((name) => name.startsWith(ours) && name !== cacheNameFor(scope, version));
}

// The build's file that answers a request, or null for the network. The
// page asks for the game's files as NAME?v=VERSION: another version than the
// cached one is another build's file, which only the server has. The folder's
// own address is its index.html, as a host serves it.
export function cachedFileFor(url, scope, fileNames, version) {
  const request = new URL(url);
  const base = new URL(scope);
  if (request.origin !== base.origin || !request.pathname.startsWith(base.pathname)) {
    return null;
  }
  const name = decodeURIComponent(request.pathname.slice(base.pathname.length)) || 'index.html';
  const askedVersion = request.searchParams.get('v');
  const ofThisBuild = askedVersion === null || askedVersion === version;
  return fileNames.includes(name) && ofThisBuild ? name : null;
}

// A new build takes over only the page that asked, and only when no other
// page of the game is open: another one may be in a game on the old build.
export function mayTakeOver(openPages, scope, askerId) {
  const ours = openPages.filter((page) => page.url.startsWith(scope));
  return ours.length === 1 && ours[0].id === askerId;
}

// A page moves onto a newly installed build (by reloading) only where the
// player loses nothing: once its files have arrived and before a game has
// started. A game in progress keeps its build to the end of the visit.
export function mayMoveToNewBuild({ state, hasPlayed }) {
  return !hasPlayed && state !== 'loading' && state !== 'playing';
}

// What the page says of its offline copy, given the worker's word on it
// ('whole', 'made' again after the site's storage was cleared, or
// 'missing'): it says a copy is there once, when it is new, and says so
// whenever there is none.
export function offlineNote(copy, firstVisit) {
  if (copy === 'missing') return 'Not playable offline: the copy could not be made (is the network down?). ' +
    'It is made on a visit with the network.';
  return copy === 'made' || firstVisit ? 'Playable offline' : null;
}
