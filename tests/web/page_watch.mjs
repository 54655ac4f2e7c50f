// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Put into every page before its own scripts run (evaluateOnNewDocument), so that a test
// sees from outside what the page does with the browser: which sound each started source
// plays and when it stops or fades, which timers are armed, what the live region says and
// whether the page tried to close its window. The page itself carries nothing for tests.
// The function is sent to the browser as source text: it may use nothing from this module.
export function watchPage() {
  const seen = {
    sounds: [], // { name, at, stop: { at, when, currentTime } | null }
    ramps: [], // { method, value, time, currentTime, at }
    contexts: [], // 'closed' or 'suspended', as the page asks
    timersArmed: 0,
    news: [],
    closeTried: 0,
  };
  Object.defineProperty(window, '__runeshotSeen', { value: seen });

  const baseName = (url) => new URL(String(url), location.href).pathname.split('/').pop();
  const fileOfBytes = new WeakMap();
  const fileOfSound = new WeakMap();
  const playing = new WeakMap();

  const fetchOfPage = window.fetch;
  window.fetch = async function fetch(input, init) {
    const response = await fetchOfPage.call(this, input, init);
    const name = baseName(input instanceof Request ? input.url : input);
    const bytesOfResponse = response.arrayBuffer;
    response.arrayBuffer = async function arrayBuffer() {
      const bytes = await bytesOfResponse.call(this);
      fileOfBytes.set(bytes, name);
      return bytes;
    };
    return response;
  };

  const decode = BaseAudioContext.prototype.decodeAudioData;
  BaseAudioContext.prototype.decodeAudioData = function decodeAudioData(bytes, done, failed) {
    const name = fileOfBytes.get(bytes) ?? '(unnamed)';
    const named = (sound) => {
      fileOfSound.set(sound, name);
      return sound;
    };
    return decode.call(this, bytes, done && ((sound) => done(named(sound))), failed).then(named);
  };

  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    const sound = { name: fileOfSound.get(this.buffer) ?? '(unnamed)', at: performance.now(), stop: null };
    seen.sounds.push(sound);
    playing.set(this, sound);
    return start.apply(this, args);
  };
  const stop = AudioScheduledSourceNode.prototype.stop;
  AudioScheduledSourceNode.prototype.stop = function (when = 0) {
    const sound = playing.get(this);
    if (sound && !sound.stop) {
      sound.stop = { at: performance.now(), when, currentTime: this.context.currentTime };
    }
    return stop.call(this, when);
  };
  for (const method of ['linearRampToValueAtTime', 'exponentialRampToValueAtTime', 'setTargetAtTime']) {
    const real = AudioParam.prototype[method];
    AudioParam.prototype[method] = function (value, time, ...rest) {
      seen.ramps.push({ method, value, time, at: performance.now() });
      return real.call(this, value, time, ...rest);
    };
  }
  for (const [method, state] of [['close', 'closed'], ['suspend', 'suspended']]) {
    const real = AudioContext.prototype[method];
    AudioContext.prototype[method] = function () {
      seen.contexts.push(state);
      return real.call(this);
    };
  }

  // Only timers still to fire count: a fired or cleared one is gone.
  const armed = new Set();
  const watchTimers = (arm, disarm, repeats) => {
    const armOfPage = window[arm];
    const disarmOfPage = window[disarm];
    window[arm] = function (callback, ...rest) {
      const id = armOfPage.call(this, function (...args) {
        if (!repeats) armed.delete(`${arm}${id}`);
        seen.timersArmed = armed.size;
        return typeof callback === 'function' ? callback.apply(this, args) : undefined;
      }, ...rest);
      armed.add(`${arm}${id}`);
      seen.timersArmed = armed.size;
      return id;
    };
    window[disarm] = function (id) {
      armed.delete(`${arm}${id}`);
      seen.timersArmed = armed.size;
      return disarmOfPage.call(this, id);
    };
  };
  watchTimers('setTimeout', 'clearTimeout', false);
  watchTimers('setInterval', 'clearInterval', true);
  watchTimers('requestAnimationFrame', 'cancelAnimationFrame', false);

  const close = window.close;
  window.close = function () {
    seen.closeTried += 1;
    return close.call(this);
  };

  // Every sentence the live region is given, in order.
  new MutationObserver(() => {
    const region = document.getElementById('news');
    const said = region?.textContent.trim() ?? '';
    if (said && said !== seen.news[seen.news.length - 1]) seen.news.push(said);
  }).observe(document, { subtree: true, childList: true, characterData: true });
}
