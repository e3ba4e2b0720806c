// Keeps the page's files so that the game plays offline after the first visit. The
// build writes its own version into this file (a digest of the files), so a new build
// is a new worker: it fetches the new files, and once it takes over the old copies go.
'use strict';
var VERSION = '@PAGE_VERSION@';
var FILES = [@PAGE_FILES@];
var CACHE = 'vandal-' + VERSION;

self.addEventListener('install', function(event) {
  event.waitUntil(caches.open(CACHE).then(function(cache) {
    return cache.addAll(FILES);
  }).then(function() {
    return self.skipWaiting();
  }));
});

self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name.indexOf('vandal-') == 0 && name != CACHE;
    }).map(function(name) {
      return caches.delete(name);
    }));
  }).then(function() {
    return self.clients.claim();
  }));
});

// The page's own files come from the copy, anything else from the network.
self.addEventListener('fetch', function(event) {
  event.respondWith(caches.open(CACHE).then(function(cache) {
    return cache.match(event.request, {ignoreSearch: true}).then(function(kept) {
      return kept || fetch(event.request);
    });
  }));
});
