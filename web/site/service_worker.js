/* global self, caches, fetch, Request, Response, URL, setTimeout */
// Kelvora's service worker: after the first visit the app starts with no
// network. web/site.mjs fills in the cache's name, a hash of everything
// served, and the files to keep; a new build therefore has a new worker,
// which fetches the new files and deletes the old cache.
'use strict';

const CACHE = '@CACHE@';
const FILES = '@FILES@';
// How long a visit waits for the server before starting from the cache:
// a school network can hang rather than fail.
const NETWORK_WAIT_MS = 4000;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('kelvora-') && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page itself comes from the server when it answers in time, so a new
// build shows on the next visit; otherwise, and for everything else, from
// the cache.
function fromNetworkOrCache(request) {
  const cached = () => caches.match(request, { ignoreSearch: true })
    .then((hit) => hit || caches.match('./'));
  const network = fetch(request).then((response) => (response.ok ? response : cached().then((hit) => hit || response)));
  const timeout = new Promise((resolve) => { setTimeout(resolve, NETWORK_WAIT_MS); })
    .then(cached).then((hit) => hit || network);
  return Promise.race([network.catch(cached), timeout]).then((response) => response || Response.error());
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  if (request.mode === 'navigate') {
    event.respondWith(fromNetworkOrCache(request));
    return;
  }
  event.respondWith(caches.match(request).then((hit) => hit || fetch(request)));
});
