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

  // Reads the kept folders again from IndexedDB, merged into what this tab
  // holds: a file another tab wrote later replaces this tab's copy, and
  // nothing of this tab's goes (IDBFS's own populate would drop the folder and
  // the lock file the game has just made, before their first write-back).
  function pull() {
    return new Promise(function (resolve) {
      var finish = function (error) {
        if (error) storageFailed('reading', error);
        resolve();
      };
      try {
        var mount = FS.lookupPath(home).node.mount;
        IDBFS.getLocalSet(mount, function (error, local) {
          if (error) return finish(error);
          IDBFS.getRemoteSet(mount, function (error, remote) {
            if (error) return finish(error);
            var wanted = { type: 'remote', db: remote.db, entries: {} };
            Object.keys(local.entries).forEach(function (path) { wanted.entries[path] = local.entries[path]; });
            Object.keys(remote.entries).forEach(function (path) {
              var mine = local.entries[path];
              if (!mine || mine.timestamp.getTime() < remote.entries[path].timestamp.getTime())
                wanted.entries[path] = remote.entries[path];
            });
            IDBFS.reconcile(wanted, local, finish);
          });
        });
      } catch (error) {
        finish(error);
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
      return acquired.then(pull);
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
    sync(true).then(function () {
      // The user's XDG folders, as every desktop account has them.
      ['/.local', '/.local/share', '/.config'].forEach(function (folder) {
        try { FS.mkdir(home + folder); } catch (error) { /* already there */ }
      });
      Module.removeRunDependency('vt-kept-files');
    });
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
