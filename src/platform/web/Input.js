// Where emscripten's JavaScript SDL 1.2 differs from the SDL the game is written for in
// its events and files, it is mended here; SDL's own object is patched once, below.
mergeInto(LibraryManager.library, {
  // For the picture loader (Bitmap.cpp): the file a stream was opened on.
  webStreamPath__deps: ['$SDL'],
  webStreamPath: function(stream) {
    var opened = SDL.rwops[stream];
    return opened && opened.filename ? allocateUTF8(opened.filename) : 0;
  },

  // Emscripten's version also drops the reserved slot 0 once the list empties, and the
  // next file opened then gets stream 0, which reads as a failure: the first sound of
  // every load was silent.
  SDL_FreeRW__deps: ['$SDL'],
  SDL_FreeRW: function(stream) {
    SDL.rwops[stream] = null;
    while (SDL.rwops.length > 1 && SDL.rwops[SDL.rwops.length - 1] === null) SDL.rwops.pop();
  },

  // Browsers list empty gamepad slots as null, which emscripten counts as pads.
  SDL_NumJoysticks__deps: ['$SDL', '$patchSDL'],
  SDL_NumJoysticks: function() {
    return Array.prototype.filter.call(SDL.getGamepads(), function(pad) { return pad; }).length;
  },

  $patchSDL__deps: ['$SDL', '$webSound'],
  $patchSDL__postset: 'patchSDL();',
  $patchSDL: function() {
    // A tap or a click lets the sound start too.
    document.addEventListener('pointerdown', webSound.start, true);
    document.addEventListener('touchend', webSound.start, true);

    // The page's touch controls press the handheld's buttons on a joystick of their
    // own (src/platform/web/Web.cpp).
    Module['pressButton'] = function(button, down) {
      SDL.events.push({type: down ? 'joystick_button_down' : 'joystick_button_up', index: 1,
                       button: button});
    };

    // A pad in the browser's standard layout is shown to the game with its buttons in
    // SDL's game-controller order (src/platform/gamepad/Gamepad.h), so the desktop's
    // mapping onto the handheld's buttons serves the page too. The triggers (6, 7)
    // have no button there; the left stick is axes 0 and 1 in both. A press also lets
    // the sound start.
    var padButtonOfStandard = [0, 1, 2, 3, 9, 10, -1, -1, 4, 6, 7, 8, 11, 12, 13, 14, 5];
    var getGamepad = SDL.getGamepad;
    SDL.getGamepad = function(index) {
      var pad = getGamepad(index);
      if (!pad) return pad;
      if (Array.prototype.some.call(pad.buttons, function(b) { return b.pressed; })) {
        webSound.start();
        if (Module['onPadUsed']) Module['onPadUsed']();
      }
      if (pad.mapping != 'standard') return pad;
      var buttons = [];
      for (var i = 0; i < 15; i++) buttons.push({pressed: false, value: 0});
      for (var i = 0; i < pad.buttons.length && i < padButtonOfStandard.length; i++) {
        if (padButtonOfStandard[i] >= 0) buttons[padButtonOfStandard[i]] = pad.buttons[i];
      }
      return {id: pad.id, index: pad.index, mapping: pad.mapping, timestamp: pad.timestamp,
              axes: pad.axes, buttons: buttons};
    };

    // The browser's own keys stay the browser's: with Ctrl, Alt or Meta, the function
    // keys and Tab reach the game but keep what the browser does with them (reload,
    // the address bar, moving on, the developer tools). SDL 1.2 sends a held key once,
    // where the browser repeats it as fresh presses. Any key lets the sound start.
    function browsersOwn(event) {
      return event.ctrlKey || event.altKey || event.metaKey || event.keyCode == 9 ||
             (event.keyCode >= 112 && event.keyCode <= 123);
    }
    var receiveEvent = SDL.receiveEvent;
    SDL.receiveEvent = function(event) {
      var key = event.type == 'keydown' || event.type == 'keyup' || event.type == 'keypress';
      if (!key) return receiveEvent(event);
      if (event.type == 'keydown') webSound.start();
      if (event.repeat) {
        if (!browsersOwn(event)) event.preventDefault();
        return;
      }
      if (!browsersOwn(event)) return receiveEvent(event);
      receiveEvent({type: event.type, keyCode: event.keyCode, location: event.location,
                    charCode: event.charCode, preventDefault: function() {}});
    };
  },
});
