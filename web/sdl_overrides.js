// Where emscripten's JavaScript SDL 1.2 differs from the SDL the game is written
// for, and the difference cannot be mended from C++, it is mended here. Each entry
// replaces or adds one library function; SDL's own object is patched once, below.
mergeInto(LibraryManager.library, {
  // SDL_ttf takes 8-bit Latin-1 text (the HUD's pound sign is the byte 0xA3);
  // emscripten decodes it as UTF-8, which turns every byte above 0x7F into a box.
  $latin1ToString: function(ptr) {
    var text = '';
    for (var c; (c = HEAPU8[ptr]) != 0; ++ptr) text += String.fromCharCode(c);
    return text;
  },

  // The game checks before it starts SDL_ttf; emscripten has no such query.
  TTF_WasInit__deps: ['$SDL'],
  TTF_WasInit: function() {
    return SDL.ttfContext ? 1 : 0;
  },

  // Latin-1 text, on a surface as tall as the font's ascent and descent with the
  // baseline where SDL_ttf puts it (emscripten's is as tall as the point size and
  // cuts the tops of the letters off). The game renders the same few lines every
  // frame, so each is drawn with the font once and copied after that. The surface
  // is marked SDL_SRCALPHA: its background is transparent already, and colour
  // keying it would only cost time.
  $textLines: {lines: {}, count: 0, limit: 512},
  TTF_RenderText_Solid__deps: ['$SDL', '$latin1ToString', '$SDL_ttfContext', '$textLines'],
  TTF_RenderText_Solid: function(font, text, color) {
    text = latin1ToString(text) || ' ';
    var fontData = SDL.fonts[font];
    var css = SDL.loadColorToCSSRGB(color);
    var key = fontData.name + ' ' + fontData.size + ' ' + css + ' ' + text;
    var line = textLines.lines[key];
    if (!line) {
      var fontString = SDL.makeFontString(fontData.size, fontData.name);
      var measure = SDL_ttfContext();
      measure.font = fontString;
      var metrics = measure.measureText(text);
      var ascent = Math.ceil(metrics.fontBoundingBoxAscent);
      line = document.createElement('canvas');
      line.width = Math.max(1, Math.ceil(metrics.width));
      line.height = ascent + Math.ceil(metrics.fontBoundingBoxDescent);
      var ctx = line.getContext('2d');
      ctx.fillStyle = css;
      ctx.font = fontString;
      ctx.fillText(text, 0, ascent);
      if (++textLines.count > textLines.limit) {
        textLines.lines = {};
        textLines.count = 1;
      }
      textLines.lines[key] = line;
    }
    var surf = SDL.makeSurface(line.width, line.height, 0x00010000 /* SDL_SRCALPHA */, false, 'text:' + text);
    SDL.surfaces[surf].ctx.drawImage(line, 0, 0);
    return surf;
  },

  // The canvas draws text with a browser font of the name the game opened, so the
  // font file's own bytes are registered under that name before the game starts.
  $webFonts: {pending: 0},
  webRegisterFont__deps: ['$webFonts', '$FS', '$PATH'],
  webRegisterFont: function(path) {
    var name = PATH.normalize(UTF8ToString(path)); // as TTF_OpenFont names it
    var face = new FontFace(name, FS.readFile(name));
    document.fonts.add(face);
    webFonts.pending++;
    face.load().then(function() { webFonts.pending--; }, function(error) {
      err('Font ' + name + ' cannot be used: ' + error);
      webFonts.pending--;
    });
  },
  webFontsPending__deps: ['$webFonts'],
  webFontsPending: function() {
    return webFonts.pending;
  },

  // The browser build decodes pictures to 32-bit surfaces already.
  SDL_DisplayFormat__deps: ['SDL_ConvertSurface'],
  SDL_DisplayFormat: function(surf) {
    return _SDL_ConvertSurface(surf);
  },

  // Browsers list empty gamepad slots as null, which emscripten counts as pads.
  SDL_NumJoysticks__deps: ['$SDL'],
  SDL_NumJoysticks: function() {
    return Array.prototype.filter.call(SDL.getGamepads(), function(pad) { return pad; }).length;
  },

  // Counts presented frames, so a page can measure its frame rate.
  SDL_Flip: function(surf) {
    Module['framesShown'] = (Module['framesShown'] || 0) + 1;
  },

  $patchSDL__deps: ['$SDL', 'SDL_LockSurface'],
  $patchSDL__postset: 'patchSDL();',
  $patchSDL: function() {
    // Emscripten copies the whole destination canvas back into memory after every
    // blit to an off-screen surface. The game reads pixels only between
    // SDL_LockSurface and SDL_UnlockSurface, and locking copies them anyway, so the
    // blit stays on the canvas: this was over a third of every frame.
    SDL.blitSurface = function(src, srcrect, dst, dstrect) {
      var srcData = SDL.surfaces[src];
      var dstData = SDL.surfaces[dst];
      var sr = srcrect ? SDL.loadRect(srcrect) : {x: 0, y: 0, w: srcData.width, h: srcData.height};
      var dr = dstrect ? SDL.loadRect(dstrect) : {x: 0, y: 0, w: srcData.width, h: srcData.height};
      if (dstData.clipRect) {
        dr = SDL.intersectionOfRects(dstData.clipRect, dr);
        sr.w = dr.w;
        sr.h = dr.h;
        if (dstrect) SDL.updateRect(dstrect, dr);
      }
      if (sr.w === 0 || sr.h === 0) return 0;
      var oldAlpha = dstData.ctx.globalAlpha;
      dstData.ctx.globalAlpha = srcData.alpha / 255;
      dstData.ctx.drawImage(srcData.canvas, sr.x, sr.y, sr.w, sr.h, dr.x, dr.y, sr.w, sr.h);
      dstData.ctx.globalAlpha = oldAlpha;
      return 0;
    };

    // Emscripten gives a hardware surface its pixel memory only on the first lock,
    // so a write before any lock lands at address 0 and corrupts the program's own
    // memory. Every surface gets its memory when it is made, as on the desktop.
    var makeSurface = SDL.makeSurface;
    SDL.makeSurface = function() {
      var surf = makeSurface.apply(SDL, arguments);
      var surfData = SDL.surfaces[surf];
      if (!surfData.buffer && surfData.ctx) {
        _SDL_LockSurface(surf);
        surfData.locked--; // as emscripten does for loaded pictures
      }
      return surf;
    };

    // A pad in the browser's standard layout is shown to the game with its buttons
    // in SDL's game-controller order (src/platform/gamepad/Gamepad.h), so the desktop's mapping onto
    // the handheld's buttons serves the browser too. The triggers (6, 7) have no
    // button there; the left stick is axes 0 and 1 in both.
    var padButtonOfStandard = [0, 1, 2, 3, 9, 10, -1, -1, 4, 6, 7, 8, 11, 12, 13, 14, 5];
    var getGamepad = SDL.getGamepad;
    SDL.getGamepad = function(index) {
      var pad = getGamepad(index);
      if (!pad || pad.mapping != 'standard') return pad;
      var buttons = [];
      for (var i = 0; i < 15; i++) buttons.push({pressed: false, value: 0});
      for (var i = 0; i < pad.buttons.length && i < padButtonOfStandard.length; i++) {
        if (padButtonOfStandard[i] >= 0) buttons[padButtonOfStandard[i]] = pad.buttons[i];
      }
      return {id: pad.id, index: pad.index, mapping: pad.mapping, timestamp: pad.timestamp,
              axes: pad.axes, buttons: buttons};
    };

    // SDL 1.2 sends a held key once; the browser repeats it as fresh presses.
    var receiveEvent = SDL.receiveEvent;
    SDL.receiveEvent = function(event) {
      if (event.repeat && (event.type == 'keydown' || event.type == 'keypress')) {
        event.preventDefault();
        return;
      }
      receiveEvent(event);
    };
  },

  SDL_UpperBlit__deps: ['$patchSDL'],
});
