// sw.js — the service worker: keeps the whole site for offline play once it
// has been opened. The cache is named by the site's version, so a new
// version (a new sw.js) fills a new cache at the next visit and drops the old.
'use strict';
var CACHE = 'vantorel-@VERSION@';
var FILES = [@FILES@];

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) { return cache.addAll(FILES); })
                    .then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) { return name.indexOf('vantorel-') === 0 && name !== CACHE; })
                            .map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

self.addEventListener('fetch', function (event) {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return cache.match(event.request, { ignoreSearch: true }).then(function (hit) {
      return hit || fetch(event.request);
    });
  }));
});
