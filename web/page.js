// The page around the game: the picture at the largest whole scale that fits, full
// screen, the loading line, the touch controls and the offline copy. It runs before
// the game's script, which reads Module.
'use strict';
var game = document.getElementById('game');
var canvas = document.getElementById('canvas');
var statusLine = document.getElementById('status');
var pad = document.getElementById('pad');

// ---- The picture: whole device pixels per game pixel, so every pixel stays square
// and sharp, in the room the page leaves it.
// A browser's own full screen (its F11, where it keeps the key) counts as full screen too.
function isFullScreen() {
  return document.fullscreenElement === game ||
         (window.innerWidth == screen.width && window.innerHeight == screen.height);
}

function roomForPicture() {
  var touch = document.body.classList.contains('touch');
  var full = isFullScreen();
  var width = window.innerWidth, height = window.innerHeight;
  if (touch && width > height) return [width - 2 * 180, height - 8];
  if (touch) return [width - 8, height - pad.offsetHeight - 48];
  if (full) return [width, height];
  return [width - 32, height - 64];
}

function fitCanvas() {
  document.body.classList.toggle('landscape', window.innerWidth > window.innerHeight);
  document.body.classList.toggle('full', isFullScreen());
  var ratio = window.devicePixelRatio || 1;
  var room = roomForPicture();
  var scale = Math.max(1, Math.floor(Math.min(room[0] * ratio / 320, room[1] * ratio / 240)));
  canvas.style.width = 320 * scale / ratio + 'px';
  canvas.style.height = 240 * scale / ratio + 'px';
}

function toggleFullscreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else if (game.requestFullscreen) game.requestFullscreen().catch(function() {});
}

window.addEventListener('resize', fitCanvas);
document.addEventListener('fullscreenchange', fitCanvas);
document.querySelectorAll('[data-fullscreen]').forEach(function(button) {
  button.addEventListener('click', toggleFullscreen);
});
document.addEventListener('keydown', function(event) {
  if (event.key == 'F11' && !event.repeat) {
    event.preventDefault();
    toggleFullscreen();
  }
  showTouchControls(false); // a keyboard is in use
}, true);

// ---- Touch controls: each finger presses what is under it, and sliding it over
// another button lets go of the first. Presses reach the game as the handheld's
// joystick buttons (Module.pressButton).
var fingers = {}; // finger -> the button number it holds
var held = {};    // button number -> how many fingers hold it

function showTouchControls(shown) {
  if (document.body.classList.contains('touch') == shown) return;
  document.body.classList.toggle('touch', shown);
  fitCanvas();
}

function buttonUnder(touch) {
  var element = document.elementFromPoint(touch.clientX, touch.clientY);
  var button = element && element.closest('[data-button]');
  return button && pad.contains(button) ? Number(button.dataset.button) : -1;
}

function hold(button, down) {
  if (button < 0) return;
  held[button] = (held[button] || 0) + (down ? 1 : -1);
  var pressed = held[button] > 0;
  pad.querySelectorAll('[data-button="' + button + '"]').forEach(function(element) {
    element.classList.toggle('held', pressed);
  });
  if (down ? held[button] == 1 : held[button] == 0) {
    if (Module.pressButton) Module.pressButton(button, down);
  }
}

function followFingers(event) {
  event.preventDefault();
  var lifted = event.type == 'touchend' || event.type == 'touchcancel';
  Array.prototype.forEach.call(event.changedTouches, function(touch) {
    var now = lifted ? -1 : buttonUnder(touch);
    var was = touch.identifier in fingers ? fingers[touch.identifier] : -1;
    if (now == was) return;
    hold(was, false);
    hold(now, true);
    if (lifted) delete fingers[touch.identifier];
    else fingers[touch.identifier] = now;
  });
}

['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function(type) {
  pad.addEventListener(type, followFingers, {passive: false});
});
document.addEventListener('touchstart', function() { showTouchControls(true); }, true);
game.addEventListener('contextmenu', function(event) { event.preventDefault(); });
showTouchControls(navigator.maxTouchPoints > 0);
fitCanvas();

// ---- Loading: emscripten reports "Downloading data... (done/total)" and then
// nothing; anything that stops the game is shown here too.
function setStatus(text) {
  var progress = /^Downloading.*\((\d+)\/(\d+)\)/.exec(text || '');
  if (progress) text = 'Loading ' + Math.floor(100 * progress[1] / progress[2]) + ' %';
  else if (text) text = 'Loading…';
  statusLine.textContent = text || '';
}

function showFailure(what) {
  statusLine.textContent = 'The game stopped: ' + what;
}

window.addEventListener('error', function(event) { showFailure(event.message); });

var Module = {
  canvas: canvas,
  print: function(text) { console.log(text); },
  printErr: function(text) { console.error(text); },
  setStatus: setStatus,
  onAbort: showFailure,
  onPadUsed: function() { showTouchControls(false); },
};
canvas.focus();

// ---- Offline: the service worker keeps this build's files once they have loaded.
if ('serviceWorker' in navigator) {
  window.addEventListener('load', function() {
    navigator.serviceWorker.register('sw.js').catch(function() {});
  });
}
