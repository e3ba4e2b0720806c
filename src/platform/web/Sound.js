// The page's SDL_mixer, over Web Audio, for what the game asks of it: one-shot effects,
// at most eight at once, a ninth dropped, the sum clipped at full scale as SDL_mixer
// clips it. Browsers keep a page quiet until the player does something; the audio
// context is made (or woken) then, and an effect asked for before it runs is dropped
// rather than kept, so nothing bursts out when sound arrives.
mergeInto(LibraryManager.library, {
  $webSound: {
    context: null,
    output: null,
    chunks: [null],
    playing: [],
    voices: 8,

    // A gesture lets a page start its sound; a pad press only once there has been one.
    start: function() {
      if (typeof AudioContext == 'undefined') return;
      if (navigator.userActivation && !navigator.userActivation.hasBeenActive) return;
      if (webSound.context) {
        if (webSound.context.state == 'suspended') webSound.context.resume();
        return;
      }
      var context = webSound.context = new AudioContext();
      var clip = webSound.output = context.createWaveShaper();
      clip.curve = new Float32Array([-1, 1]); // beyond its ends the curve holds them
      clip.connect(context.destination);
      webSound.chunks.forEach(function(chunk) { if (chunk) webSound.decode(chunk); });
    },

    heard: function() {
      return webSound.context && webSound.context.state == 'running';
    },

    decode: function(chunk) {
      if (chunk.decoding) return;
      chunk.decoding = webSound.context.decodeAudioData(chunk.bytes.buffer).catch(function() {
        return null;
      });
    },

    voice: function(buffer) {
      var source = webSound.context.createBufferSource();
      source.buffer = buffer;
      source.connect(webSound.output);
      source.onended = function() {
        webSound.playing.splice(webSound.playing.indexOf(source), 1);
      };
      source.start();
      return source;
    },
  },

  // The context waits for the player (webSound.start); nothing to open before.
  Mix_OpenAudio: function(frequency, format, channels, chunksize) {
    return 0;
  },

  Mix_CloseAudio__deps: ['$webSound', 'Mix_HaltChannel'],
  Mix_CloseAudio: function() {
    _Mix_HaltChannel(-1);
  },

  // Read from the page's files whole; decoded once there is a context to decode in.
  Mix_LoadWAV_RW__deps: ['$webSound', '$SDL', '$FS', 'SDL_FreeRW'],
  Mix_LoadWAV_RW: function(stream, freesrc) {
    var opened = SDL.rwops[stream];
    var bytes = null;
    try {
      if (opened && opened.filename) bytes = FS.readFile(opened.filename);
    } catch (missing) {
    }
    if (freesrc) _SDL_FreeRW(stream);
    if (!bytes) return 0;
    var chunk = {bytes: bytes, decoding: null};
    if (webSound.context) webSound.decode(chunk);
    webSound.chunks.push(chunk);
    return webSound.chunks.length - 1;
  },

  Mix_FreeChunk__deps: ['$webSound'],
  Mix_FreeChunk: function(id) {
    webSound.chunks[id] = null;
  },

  // A voice counts from the call, so one still decoding holds its place.
  Mix_PlayChannelTimed__deps: ['$webSound'],
  Mix_PlayChannelTimed: function(channel, id, loops, ticks) {
    var chunk = webSound.chunks[id];
    if (!chunk || !webSound.heard() || webSound.playing.length >= webSound.voices) return -1;
    var place = {stop: function() { place.stopped = true; }};
    webSound.playing.push(place);
    webSound.decode(chunk);
    chunk.decoding.then(function(buffer) {
      var at = webSound.playing.indexOf(place);
      if (at < 0) return;
      if (!buffer || place.stopped) webSound.playing.splice(at, 1);
      else webSound.playing[at] = webSound.voice(buffer);
    });
    return webSound.playing.length - 1;
  },

  Mix_HaltChannel__deps: ['$webSound'],
  Mix_HaltChannel: function(channel) {
    webSound.playing.slice().forEach(function(voice) { voice.stop(); });
    return 0;
  },
});
