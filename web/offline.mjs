// Installs the page's offline copy (the worker in sw.js), tells the player
// once the game plays without a network, and moves the page onto a newly
// served build only where the player loses nothing (offline-rules.mjs).
import { mayMoveToNewBuild, offlineNote } from './offline-rules.mjs';

const NOTE_MILLISECONDS = 4000;

// `play` is the page's word on its game: now() gives { state, hasPlayed },
// and onChange(listener) has the listener hear it at every change.
export async function registerOfflineCache(play) {
  if (!('serviceWorker' in navigator)) {
    return;
  }
  let registration;
  try {
    // 'none': the browser asks the server for the worker's module too, never
    // its HTTP cache, so a new worker never runs an old build's rules.
    registration = await navigator.serviceWorker.register('sw.js', { type: 'module', updateViaCache: 'none' });
  } catch (error) {
    console.warn(`The game will need the network on every visit: ${error.message}`);
    return;
  }
  watchForNewBuild(registration, play);
  // The visitor may have cleared the site's storage meanwhile.
  document.addEventListener('visibilitychange', () => {
    if (!document.hidden) {
      registration.update().catch(() => {});
      markOfflineCopy(false);
    }
  });
  await markOfflineCopy(navigator.serviceWorker.controller === null);
}

// Once the worker answers this page, it is asked whether the copy is whole
// (and makes it again if not); the page marks the answer, for the tests and
// the style sheet, and says what offlineNote says.
async function markOfflineCopy(firstVisit) {
  await navigator.serviceWorker.ready;
  if (navigator.serviceWorker.controller === null) {
    await new Promise((resolve) =>
      navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
  }
  const channel = new MessageChannel();
  const answer = new Promise((resolve) => { channel.port1.onmessage = (event) => resolve(event.data); });
  navigator.serviceWorker.controller.postMessage('keep the copy', [channel.port2]);
  const copy = await answer;
  document.documentElement.dataset.offline = copy === 'missing' ? 'missing' : 'ready';
  const note = offlineNote(copy, firstVisit);
  if (note) {
    showNote(note);
  }
}

// A worker installed while another controls the page is a newer build.
function watchForNewBuild(registration, play) {
  const offer = (worker) => {
    if (navigator.serviceWorker.controller !== null) {
      moveWhenSafe(worker, play);
    }
  };
  if (registration.waiting !== null) {
    offer(registration.waiting);
  }
  registration.addEventListener('updatefound', () => {
    const worker = registration.installing;
    worker.addEventListener('statechange', () => {
      if (worker.state === 'installed') {
        offer(worker);
      }
    });
  });
}

function moveWhenSafe(worker, play) {
  let asked = false;
  const tryNow = (progress) => {
    if (asked || !mayMoveToNewBuild(progress)) {
      return;
    }
    asked = true;
    // A click on "play" may still land between the asking and the answer:
    // that game then keeps the build it loaded, and a later visit opens the new.
    navigator.serviceWorker.addEventListener('controllerchange', () => {
      if (mayMoveToNewBuild(play.now())) {
        location.reload();
      }
    }, { once: true });
    navigator.serviceWorker.addEventListener('message', (event) => {
      if (event.data === 'other pages open') {
        showNote('A new version is ready: it opens once every Quorralith page is closed');
      }
    });
    worker.postMessage('take over');
  };
  if (play.now().hasPlayed) {
    showNote('A new version is ready: it opens on your next visit');
  }
  play.onChange(tryNow);
  tryNow(play.now());
}

function showNote(text) {
  const note = document.createElement('div');
  note.id = 'offline-note';
  note.className = 'panel';
  note.setAttribute('role', 'status');
  note.textContent = text;
  // Along the bottom, with the link to this maze, where no other panel is.
  (document.getElementById('area-bottom') ?? document.body).append(note);
  setTimeout(() => note.remove(), NOTE_MILLISECONDS);
}
