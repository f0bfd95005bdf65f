import assert from 'node:assert/strict';
import { test } from 'node:test';
import * as rules from '../../../web/offline-rules.mjs';

const scope = 'https://games.example/quorralith/';
const files = ['index.html', 'quorralith.html', 'quorralith.wasm', 'icons/quorralith-192.png'];

test('the cache answers only its own build\'s files, under its scope', () => {
  for (const [asked, answer] of [
    ['quorralith.wasm', 'quorralith.wasm'], ['quorralith.wasm?v=v1', 'quorralith.wasm'], ['quorralith.wasm?v=v2', null],
    ['quorralith.html?seed=7&autoplay', 'quorralith.html'], ['icons/quorralith-192.png', 'icons/quorralith-192.png'],
    ['', 'index.html'], ['./?seed=7', 'index.html'], ['sw.js', null], ['../quorralith.wasm', null], ['https://elsewhere.example/quorralith/quorralith.wasm', null],
  ]) {
    assert.equal(rules.cachedFileFor(new URL(asked, scope).href, scope, files, 'v1'), answer, asked);
  }
});

test('a new build deletes its scope\'s older caches and no one else\'s', () => {
  const names = [rules.cacheNameFor(scope, 'v1'), rules.cacheNameFor(scope, 'v2'), rules.cacheNameFor(`${scope}preview/`, 'v1'), 'other'];
  assert.deepEqual(rules.staleCacheNames(names, scope, 'v2'), [rules.cacheNameFor(scope, 'v1')]);
});

test('a new build takes over only when the asking page is the game\'s only one', () => {
  const page = (id, url = `${scope}quorralith.html`) => ({ id, url });
  for (const [pages, allowed] of [[[page('a')], true], [[page('a'), page('b')], false], [[page('b')], false],
    [[page('a'), page('c', 'https://games.example/blog/')], true]]) {
    assert.equal(rules.mayTakeOver(pages, scope, 'a'), allowed, JSON.stringify(pages));
  }
});

test('a page moves to a new build only once loaded and before a game starts', () => {
  for (const state of ['loading', 'paused', 'demo', 'failed', 'context-lost', 'playing']) {
    for (const hasPlayed of [false, true]) {
      const safe = !hasPlayed && ['paused', 'demo', 'failed', 'context-lost'].includes(state);
      assert.equal(rules.mayMoveToNewBuild({ state, hasPlayed }), safe, `${state}, played: ${hasPlayed}`);
    }
  }
});

test('the page says a copy is there once, when new, and says whenever there is none', () => {
  for (const [copy, firstVisit, note] of [['whole', true, /^Playable offline$/], ['whole', false, null],
    ['made', false, /^Playable offline$/], ['missing', false, /^Not playable offline/], ['missing', true, /^Not/]]) {
    const said = rules.offlineNote(copy, firstVisit);
    assert.ok(note ? note.test(said) : said === null, `${copy}, first visit ${firstVisit}: ${said}`);
  }
});
