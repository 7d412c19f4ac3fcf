// The page's offline copy. Online, every file comes from the server as it would without a
// worker, so a new build is played as soon as it is served; offline, the files come from the
// copy this worker made when it was installed. The build stamps the worker with a hash of the
// files, so a new build is a new worker: it copies the new files before it takes over, and then
// drops the old copy. Anything that is not one of the page's own files is left alone.
'use strict';

// Named for the folder as well, so copies of the page in other folders keep their own.
const PREFIX = 'zephyx ' + self.registration.scope + ' ';
const CACHE = PREFIX + '@VERSION@';
const FILES = [@SITE_FILES@];
// Relative to the worker, so the page may be served from any folder.
const OWN = new Set(FILES.map(name => new URL(name, self.location).href));

self.addEventListener('install', event => {
  // Revalidated, not taken from the HTTP cache unasked: the copy must be this build's.
  const requests = FILES.map(name => new Request(name, {cache: 'no-cache'}));
  event.waitUntil(caches.open(CACHE)
                      .then(cache => cache.addAll(requests))
                      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
                      .then(names => Promise.all(names.filter(name => name.startsWith(PREFIX) && name !== CACHE)
                                                     .map(name => caches.delete(name))))
                      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
  const url = new URL(event.request.url);
  url.search = '';  // the page's options (?presenter=...) load the same files
  if (event.request.method !== 'GET' || !OWN.has(url.href)) {
    return;
  }
  event.respondWith(fetch(event.request).catch(
      () => caches.open(CACHE)
                .then(cache => cache.match(event.request, {ignoreSearch: true}))
                .then(copy => copy || Response.error())));
});
