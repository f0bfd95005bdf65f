// The states the page can be in, each named once. The page shows one at a
// time (page.mjs's show); the style sheet says what each one shows.
export const pageStates = Object.freeze({
  loading: 'loading',  // downloading and starting the game
  failed: 'failed',  // it cannot go on: a message says why and what to do
  paused: 'paused',  // the game waits behind "Click to play"
  playing: 'playing',  // the player has the game: the page shows it alone
  demo: 'demo',  // the game plays itself until someone takes over
  contextLost: 'context-lost',  // the GPU dropped the picture: reload
});

// States the page never leaves: only a reload goes on from them.
export function isFinal(state) {
  return state === pageStates.failed || state === pageStates.contextLost;
}

// Whether the game plays its frames in this state; in every other it waits.
export function runsGame(state) {
  return state === pageStates.playing || state === pageStates.demo;
}

// The state a press of Escape, a lost pointer lock or a hidden tab leaves:
// a game in play or in its demo pauses; anything else stays as it is.
export function stateAfterPause(state) {
  return runsGame(state) ? pageStates.paused : state;
}

// Whether a click, a tap or a key hands the game to the player: from the
// prompt of a paused game, or by taking over the demo.
export function takesOver(state) {
  return state === pageStates.paused || state === pageStates.demo;
}

// The state a tab shown again returns to, `hidden` being the state it was
// hidden in: a demo plays on by itself (nobody had it to lose); a player's
// game waits for the player.
export function stateWhenShown(hidden, state) {
  return hidden === pageStates.demo && state === pageStates.paused ? pageStates.demo : state;
}
