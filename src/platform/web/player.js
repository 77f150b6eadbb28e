// SPDX-License-Identifier: GPL-3.0-or-later
// The page around the web player: fetches the skin's tarnel.cfg and tarnel.dat with a
// progress bar, starts the player on them, fetches the music files as the player first opens
// them, and gives it its canvas, input (only while the pointer or the focus is on the
// canvas), sound, the media session and the error dialog. The player calls Module.vorlundePage; the page calls the
// player's exported vorlunde_web_* functions.
'use strict';

// Windows virtual-key codes of KeyboardEvent.code values, the codes skins store.
const virtualKeys = (() => {
  const keys = {
    Backspace: 0x08, Tab: 0x09, Enter: 0x0D, NumpadEnter: 0x0D, ShiftLeft: 0x10, ShiftRight: 0x10,
    ControlLeft: 0x11, ControlRight: 0x11, AltLeft: 0x12, AltRight: 0x12, Pause: 0x13, CapsLock: 0x14,
    Escape: 0x1B, Space: 0x20, PageUp: 0x21, PageDown: 0x22, End: 0x23, Home: 0x24, ArrowLeft: 0x25,
    ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, PrintScreen: 0x2C, Insert: 0x2D, Delete: 0x2E,
    MetaLeft: 0x5B, MetaRight: 0x5C, NumpadMultiply: 0x6A, NumpadAdd: 0x6B, NumpadSubtract: 0x6D,
    NumpadDecimal: 0x6E, NumpadDivide: 0x6F, NumLock: 0x90, ScrollLock: 0x91, AudioVolumeMute: 0xAD,
    AudioVolumeDown: 0xAE, AudioVolumeUp: 0xAF, MediaTrackNext: 0xB0, MediaTrackPrevious: 0xB1,
    MediaStop: 0xB2, MediaPlayPause: 0xB3, Semicolon: 0xBA, Equal: 0xBB, Comma: 0xBC, Minus: 0xBD,
    Period: 0xBE, Slash: 0xBF, Backquote: 0xC0, BracketLeft: 0xDB, Backslash: 0xDC, BracketRight: 0xDD,
    Quote: 0xDE,
  };
  for (let i = 0; i < 26; ++i) keys['Key' + String.fromCharCode(65 + i)] = 0x41 + i;
  for (let i = 0; i < 10; ++i) { keys['Digit' + i] = 0x30 + i; keys['Numpad' + i] = 0x60 + i; }
  for (let i = 1; i <= 24; ++i) keys['F' + i] = 0x6F + i;
  return keys;
})();

// EventKind and MediaRequest values of the player.
const kind = { mouseMove: 0, buttonDown: 1, buttonUp: 2, doubleClick: 3 };
const media = { play: 0, pause: 1, stop: 3, next: 4, previous: 5, seek: 6, setPosition: 7 };

const page = {
  canvas: null,
  context: null,
  skinSize: [0, 0], // the canvas's size in skin pixels
  audio: null,      // the AudioContext, made at the first gesture or the first sound
  processor: null,  // the ScriptProcessorNode feeding it while the device is open
  pointerInside: false,
  wheelRest: 0,
  times: { start: performance.now(), firstFrame: null },
  loading: document.getElementById('vorlunde-loading'),

  events() { return Module.vorlundeEvents; },

  // The canvas shows the skin's size in CSS pixels and holds `scale` pixels per skin pixel
  // each way.
  createCanvas(width, height, scale) {
    const canvas = document.createElement('canvas');
    canvas.width = width * scale;
    canvas.height = height * scale;
    this.skinSize = [width, height];
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.tabIndex = 0;
    this.canvas = canvas;
    this.context = canvas.getContext('2d');
    this.listen(canvas);
    document.getElementById('vorlunde-player').appendChild(canvas);
  },

  destroyCanvas() {
    if (this.canvas) this.canvas.remove();
    this.canvas = this.context = null;
  },

  framePresented() {
    if (this.times.firstFrame === null) this.times.firstFrame = performance.now();
  },

  // A pointer position in skin pixels.
  skinPoint(event) {
    const box = this.canvas.getBoundingClientRect();
    return [Math.floor((event.clientX - box.left) * this.skinSize[0] / box.width),
            Math.floor((event.clientY - box.top) * this.skinSize[1] / box.height)];
  },

  keyState(event) {
    return (event.buttons & 1 ? 0x01 : 0) | (event.buttons & 2 ? 0x02 : 0) | (event.buttons & 4 ? 0x10 : 0) |
           (event.shiftKey ? 0x04 : 0) | (event.ctrlKey ? 0x08 : 0);
  },

  pointer(eventKind, event) {
    if (!this.events()) return;
    const [x, y] = this.skinPoint(event);
    Module._vorlunde_web_pointer(this.events(), eventKind, event.button, x, y, this.keyState(event));
  },

  key(down, event) {
    const code = virtualKeys[event.code];
    if (!code || !this.events()) return;
    event.preventDefault();
    this.resumeAudio();
    Module._vorlunde_web_key(this.events(), down ? 1 : 0, code);
  },

  listen(canvas) {
    canvas.addEventListener('pointerdown', event => canvas.setPointerCapture(event.pointerId));
    canvas.addEventListener('mousedown', event => {
      event.preventDefault();
      canvas.focus();
      this.resumeAudio();
      this.pointer(kind.buttonDown, event);
      if (event.button === 0 && event.detail === 2) this.pointer(kind.doubleClick, event);
    });
    canvas.addEventListener('mouseup', event => this.pointer(kind.buttonUp, event));
    canvas.addEventListener('mousemove', event => this.pointer(kind.mouseMove, event));
    canvas.addEventListener('mouseenter', () => { this.pointerInside = true; });
    canvas.addEventListener('mouseleave', () => { this.pointerInside = false; });
    canvas.addEventListener('contextmenu', event => event.preventDefault());
    canvas.addEventListener('wheel', event => {
      event.preventDefault();
      // Pixels (about 100 a notch), lines (3 a notch) or pages, up being positive.
      const perNotch = event.deltaMode === 0 ? 100 : event.deltaMode === 1 ? 3 : 1;
      this.wheelRest -= event.deltaY / perNotch;
      const notches = Math.trunc(this.wheelRest);
      if (notches === 0 || !this.events()) return;
      this.wheelRest -= notches;
      const [x, y] = this.skinPoint(event);
      Module._vorlunde_web_wheel(this.events(), x, y, notches);
    }, { passive: false });
    canvas.addEventListener('focus', () => { if (this.events()) Module._vorlunde_web_focus(this.events()); });
    // Keys while the canvas has the focus, or while the pointer is over it.
    for (const [type, down] of [['keydown', true], ['keyup', false]]) {
      document.addEventListener(type, event => {
        if (this.canvas && (document.activeElement === this.canvas || this.pointerInside)) this.key(down, event);
      });
    }
  },

  makeAudio(sampleRate) {
    if (!this.audio && window.AudioContext) this.audio = new AudioContext({ sampleRate });
    return this.audio;
  },

  // Browsers start sound only after a gesture: the first click or key resumes it.
  resumeAudio() {
    const audio = this.makeAudio(44100);
    if (audio && audio.state === 'suspended') audio.resume();
  },

  connectAudio(device, sampleRate, frames) {
    const audio = this.makeAudio(sampleRate);
    if (!audio) return false;
    this.disconnectAudio();
    const processor = audio.createScriptProcessor(frames, 0, 2);
    processor.onaudioprocess = event => {
      const left = event.outputBuffer.getChannelData(0);
      const right = event.outputBuffer.getChannelData(1);
      const at = Module._vorlunde_web_render(device, left.length) >> 2;
      for (let i = 0; i < left.length; ++i) {
        left[i] = HEAPF32[at + 2 * i];
        right[i] = HEAPF32[at + 2 * i + 1];
      }
    };
    processor.connect(audio.destination);
    this.processor = processor;
    return true;
  },

  disconnectAudio() {
    if (!this.processor) return;
    this.processor.onaudioprocess = null;
    this.processor.disconnect();
    this.processor = null;
  },

  showMediaState(title, playback, length, position) {
    if (!('mediaSession' in navigator)) return;
    navigator.mediaSession.metadata = new MediaMetadata({ title });
    navigator.mediaSession.playbackState = playback;
    if (length > 0)
      navigator.mediaSession.setPositionState({ duration: length, position: Math.min(position, length), playbackRate: 1 });
  },

  listenToMediaSession() {
    if (!('mediaSession' in navigator)) return;
    const post = (request, value) => {
      if (this.events()) Module._vorlunde_web_media(this.events(), request, value || 0);
    };
    const actions = {
      play: () => post(media.play),
      pause: () => post(media.pause),
      stop: () => post(media.stop),
      nexttrack: () => post(media.next),
      previoustrack: () => post(media.previous),
      seekbackward: details => post(media.seek, -(details.seekOffset || 10) * 1e6),
      seekforward: details => post(media.seek, (details.seekOffset || 10) * 1e6),
      seekto: details => post(media.setPosition, details.seekTime * 1e6),
    };
    for (const [action, handler] of Object.entries(actions)) {
      try { navigator.mediaSession.setActionHandler(action, handler); } catch (unsupported) { /* not offered here */ }
    }
  },

  showError(caption, text) {
    const dialog = document.getElementById('vorlunde-error');
    dialog.querySelector('h2').textContent = caption;
    dialog.querySelector('p').textContent = text;
    return new Promise(resolve => {
      dialog.addEventListener('close', resolve, { once: true });
      dialog.showModal();
    });
  },

  // The player's main has returned: a quiet page with a button to start again.
  closed() {
    this.disconnectAudio();
    if ('mediaSession' in navigator) navigator.mediaSession.playbackState = 'none';
    const closed = document.getElementById('vorlunde-closed');
    closed.hidden = false;
    closed.querySelector('button').onclick = () => location.reload();
  },

  // Fetches tarnel.cfg and tarnel.dat with the progress bar; null for a file the site lacks
  // (the player says what it cannot open).
  async fetchSkin() {
    const names = ['tarnel.cfg', 'tarnel.dat'];
    const bar = this.loading.querySelector('progress');
    const responses = await Promise.all(names.map(name => fetch('skin/' + name)));
    const total = responses.reduce((sum, r) => sum + Number(r.headers.get('Content-Length') || 0), 0);
    let received = 0;
    return Promise.all(responses.map(async (response, i) => {
      if (!response.ok) return [names[i], null];
      const reader = response.body.getReader();
      const chunks = [];
      for (;;) {
        const { done, value } = await reader.read();
        if (done) break;
        chunks.push(value);
        received += value.length;
        if (total > 0) bar.value = Math.min(1, received / total);
      }
      const bytes = new Uint8Array(chunks.reduce((sum, chunk) => sum + chunk.length, 0));
      let at = 0;
      for (const chunk of chunks) { bytes.set(chunk, at); at += chunk.length; }
      return [names[i], bytes];
    }));
  },

  // Writes a file of the skin's site under /skin, making its folders.
  writeSkinFile(name, bytes) {
    const parts = name.split('/');
    for (let i = 1; i < parts.length; ++i) {
      const folder = '/skin/' + parts.slice(0, i).join('/');
      if (!FS.analyzePath(folder).exists) FS.mkdir(folder);
    }
    FS.writeFile('/skin/' + name, bytes);
  },

  // The music, fetched when the player first opens a file (TrackLoader::readable) and kept:
  // path → 'fetching', 'kept' or 'missing'.
  trackFiles: new Map(),
  trackLoaders: new Set(), // the player's loaders waiting for them (pointers into its memory)

  // Whether the player can open `path` (relative to the skin's folder) now: it has been
  // fetched, is known to be missing, or is not a file of the site. Otherwise fetches it and
  // tells the loaders once it is in.
  trackFile(path) {
    const state = this.trackFiles.get(path);
    if (state) return state !== 'fetching';
    const parts = path.split('/');
    if (parts.some(part => part === '' || part === '.' || part === '..')) return true;
    this.trackFiles.set(path, 'fetching');
    fetch('skin/' + parts.map(encodeURIComponent).join('/'))
      .then(response => (response.ok ? response.arrayBuffer() : null))
      .catch(() => null)
      .then(bytes => {
        let kept = false;
        try {
          if (bytes) this.writeSkinFile(path, new Uint8Array(bytes));
          kept = bytes !== null;
        } catch (unwritable) { /* a folder of that name is a file: missing, as on a disk */ }
        this.trackFiles.set(path, kept ? 'kept' : 'missing');
        for (const loader of [...this.trackLoaders]) Module._vorlunde_web_track_files_arrived(loader);
      });
    return false;
  },
};

var Module = {
  noInitialRun: true,
  vorlundePage: page,
  vorlundeEvents: 0,
  vorlundeWakeWait: null,
  print: text => console.log(text),
  printErr: text => console.warn(text),
};

{
  const skin = page.fetchSkin();
  const runtime = new Promise(resolve => { Module.onRuntimeInitialized = resolve; });
  page.listenToMediaSession();
  Promise.all([skin, runtime]).then(([files]) => {
    FS.mkdir('/skin');
    for (const [name, bytes] of files) if (bytes) page.writeSkinFile(name, bytes);
    page.loading.hidden = true;
    page.times.started = performance.now();
    Module.callMain(['/skin']);
  });
}
