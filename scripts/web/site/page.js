// page.js — the page around the game: it sets up Emscripten's Module (the
// canvas, the kept folders in IndexedDB, where the debug trace goes), keeps
// the page from acting as a page (no scrolling on the game's keys, no
// context menu, the focus on the game from the first click), loads the
// packed DATA (the images and effects before the game, the music tracks
// after its first frame) and registers the service worker.
'use strict';

(function () {
  var canvas = document.getElementById('canvas');
  // Where SDL_GetPrefPath-less POSIX code keeps its files: the XDG folders
  // under HOME, mounted as a whole on IndexedDB.
  var home = '/home/web_user';
  var storageReported = false;

  function storageFailed(what, error) {
    if (storageReported) return;
    storageReported = true;
    console.warn('Vantorel: the browser keeps no files (' + what + ': ' + (error && error.message || error) +
                 '); the game plays on without keeping scores and settings');
  }

  // FS.syncfs as a promise that never fails: the game plays on without it.
  function sync(populate) {
    return new Promise(function (resolve) {
      try {
        FS.syncfs(populate, function (error) {
          if (error) storageFailed(populate ? 'reading' : 'writing', error);
          resolve();
        });
      } catch (error) {
        storageFailed('syncing', error);
        resolve();
      }
    });
  }

  // The lock around a read-merge-write of the kept files, across tabs: taken,
  // then the folder read again from IndexedDB; on release, written back
  // first. Without navigator.locks (an insecure origin) the lock is this
  // tab's alone.
  var releases = {};
  var keptFiles = {
    hold: function (name) {
      var acquired = Promise.resolve();
      if (navigator.locks) {
        acquired = new Promise(function (granted) {
          navigator.locks.request('vantorel:' + name, function () {
            return new Promise(function (release) {
              releases[name] = release;
              granted();
            });
          }).catch(function (error) {
            storageFailed('locking', error);
            granted();
          });
        });
      }
      return acquired.then(function () { return sync(true); });
    },
    release: function (name) {
      return sync(false).then(function () {
        var release = releases[name];
        delete releases[name];
        if (release) release();
      });
    }
  };

  function mountKeptFolders() {
    try {
      FS.mount(IDBFS, {}, home);
    } catch (error) {
      storageFailed('mounting', error);
      return;
    }
    Module.addRunDependency('vt-kept-files');
    sync(true).then(function () { Module.removeRunDependency('vt-kept-files'); });
  }

  var musicRequested = false;
  // Scripts run in the order they were added.
  function loadScript(src) {
    var script = document.createElement('script');
    script.src = src;
    script.async = false;
    document.body.appendChild(script);
  }

  window.Module = {
    canvas: canvas,
    vtKeptFiles: keptFiles,
    preRun: [mountKeptFolders],
    // The game's debug trace (standard error) is information, not an error.
    print: function (text) { console.log(text); },
    printErr: function (text) { console.log(text); },
    // Called by the game's presenter after its first frame: the music may
    // come now.
    vtFirstFrame: function () {
      if (musicRequested) return;
      musicRequested = true;
      loadScript('data-music.js');
    }
  };

  // Keys the game reads must not scroll or navigate the page.
  var gameKeys = { Space: 1, ArrowUp: 1, ArrowDown: 1, ArrowLeft: 1, ArrowRight: 1, PageUp: 1, PageDown: 1,
                   Home: 1, End: 1, Backspace: 1, Tab: 1, F1: 1, F11: 1, Enter: 1, NumpadEnter: 1, Slash: 1,
                   Quote: 1, Minus: 1, Equal: 1, NumpadAdd: 1, NumpadSubtract: 1 };
  window.addEventListener('keydown', function (event) {
    if (gameKeys[event.code]) event.preventDefault();
  }, true);
  document.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  canvas.addEventListener('pointerdown', function () { canvas.focus(); window.focus(); });
  window.addEventListener('load', function () { canvas.focus(); });

  loadScript('data-first.js');
  loadScript('vantorel.js');

  if ('serviceWorker' in navigator && window.isSecureContext) {
    navigator.serviceWorker.register('sw.js').catch(function (error) {
      console.log('Vantorel: no offline copy (' + error.message + ')');
    });
  }
})();
