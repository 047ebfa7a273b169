// Keeps the whole site for play without a network. The cache is named by the build: a new build
// is a new worker (this file changes with the build), which fills its own cache and takes over at
// the next start, when the page lets it; then the old cache goes whole.
'use strict';

const kBuild = '@BUILD@';
// Every file of the site with a hash of its contents.
const kSums = new Map([/* @FILES@ */]);
const kFiles = [...kSums.keys()];
const kScope = new URL('./', self.location).href;
const kPrefix = 'skellarine ' + kScope + ' ';
const kCache = kPrefix + kBuild;
// What the page fetches first; the pictures follow as the game or the page's prefetch asks for them.
const kUnpack = typeof DecompressionStream === 'function';
const kPacked = ['skellarine.wasm', 'skellarine.data'];
const kStart = kFiles.filter((f) => !f.startsWith('data/') && f !== 'sw.js'
  && !(kPacked.includes(f) && kUnpack) && !(f.endsWith('.gz') && !kUnpack));
const kKnown = new Set(kFiles.map((f) => new URL(f, kScope).href));

const kPictures = kFiles.filter((f) => f.startsWith('data/'));

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    // A first visit fetches the pictures through the page, which needs them anyway; a new build
    // replacing an older one takes over only once it has all of them, so that play without a
    // network goes on after the update.
    const older = (await caches.keys()).filter((name) => name.startsWith(kPrefix) && name !== kCache);
    const files = older.length > 0 ? kStart.concat(kPictures) : kStart;
    const cache = await caches.open(kCache);
    // What an older build kept with the same contents need not come again.
    const kept = await Promise.all(older.map(keptSums));
    const missing = [];
    for (const f of files) {
      if (!(await takeOver(cache, kept, f))) missing.push(f);
    }
    // Straight from the server: an older copy in the HTTP cache would mix two builds.
    await cache.addAll(missing.map((f) => new Request(f, { cache: 'no-cache' })));
    await cache.put(kSumsKey, new Response(JSON.stringify([...kSums])));
  })());
});

// The hashes of a cache's files, kept in the cache under a name that no file of the site has.
const kSumsKey = new URL('sw-files.json?sums', kScope).href;

// An older cache with the hashes of its files (none when it kept no list).
async function keptSums(name) {
  const old = await caches.open(name);
  const sums = await old.match(kSumsKey);
  return { old, sums: new Map(sums ? await sums.json() : []) };
}

async function takeOver(cache, kept, file) {
  const url = new URL(file, kScope).href;
  for (const { old, sums } of kept) {
    if (sums.get(file) !== kSums.get(file)) continue;
    const response = await old.match(url);
    if (response) {
      await cache.put(url, response);
      return true;
    }
  }
  return false;
}

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(kPrefix) && name !== kCache) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener('message', (event) => {
  if (event.data === 'take over') self.skipWaiting();
  // A page asks whose it is: one that came from an older build reloads.
  if (event.data === 'build' && event.ports[0]) event.ports[0].postMessage(kBuild);
});

async function answer(request) {
  const cache = await caches.open(kCache);
  let url = request.url.replace(/[?#].*$/, '');
  if (url === kScope) url += 'index.html';
  if (!kKnown.has(url)) return fetch(request);
  const kept = await cache.match(url);
  if (kept) return kept;
  const response = await fetch(url);
  if (response.ok) await cache.put(url, response.clone());
  return response;
}

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || !event.request.url.startsWith(kScope)) return;
  event.respondWith(answer(event.request));
});
