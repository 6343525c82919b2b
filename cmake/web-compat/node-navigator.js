// node-navigator.js — run before the browser build's tools under node: SDL's
// Emscripten backend asks navigator for the gamepads, which node (before 21)
// has no navigator to answer; an empty one answers "none".
if (typeof navigator === 'undefined') globalThis.navigator = {};
