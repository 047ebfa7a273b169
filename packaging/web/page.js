// The page around the game: loading with progress, scaling, keys kept from the browser, full
// screen, touch (tap, long press, keypad) and the end of the game. No game rules live here.
'use strict';

(function () {
  const kWidth = 640;
  const kHeight = 480;
  // A finger held this long shows the bare picture, as the right mouse button does.
  const kPeekMs = 400;
  // Fingers that move further than this before lifting are not a tap.
  const kTapSlop = 12;

  const stage = document.getElementById('stage');
  const canvas = document.getElementById('canvas');
  const loading = document.getElementById('loading');
  const barFill = document.getElementById('bar-fill');
  const loadingSize = document.getElementById('loading-size');
  const message = document.getElementById('message');
  const messageText = document.getElementById('message-text');
  const again = document.getElementById('again');
  const keypad = document.getElementById('keypad');

  // What the page is doing, for the player's eyes and for the browser tests.
  const status = { state: 'loading', exitStatus: null, error: null };
  window.skellarine = status;

  function showMessage(text, offerRestart) {
    loading.hidden = true;
    messageText.textContent = text;
    again.hidden = !offerRestart;
    message.hidden = false;
  }

  function fail(text) {
    if (status.state === 'error') return;
    status.state = 'error';
    status.error = text;
    showMessage(text, true);
  }

  again.addEventListener('click', () => location.reload());

  // The screen at the largest whole multiple that fits, or shrunk to fit, always 4:3.
  function fit() {
    const room = stage.getBoundingClientRect();
    let scale = Math.min(room.width / kWidth, room.height / kHeight);
    if (scale >= 1) scale = Math.floor(scale);
    scale = Math.max(scale, 0.1);
    canvas.style.width = Math.round(kWidth * scale) + 'px';
    canvas.style.height = Math.round(kHeight * scale) + 'px';
    // Whole multiples keep every pixel square and sharp; a shrunk screen reads better smoothed.
    canvas.classList.toggle('shrunk', scale < 1);
  }
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  fit();

  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else if (stage.requestFullscreen) {
      stage.requestFullscreen().catch(() => {});
    }
  }

  // Registered before the game's own listeners, so these run first.
  window.addEventListener('keydown', (event) => {
    if (event.key === 'F11' || (event.key === 'Enter' && event.altKey)) {
      // The game's full screen is the page's: the screen keeps its scaling inside it.
      event.preventDefault();
      event.stopImmediatePropagation();
      if (!event.repeat) toggleFullscreen();
      return;
    }
    // These belong to the game, not to the browser (back, focus moves, reload, help, search);
    // once it has ended, Enter is the page's again (the button that starts a new game).
    if (status.state !== 'running') return;
    if (event.key === 'Backspace' || event.key === 'Tab' || event.key === 'Enter' || /^F([1-9]|1[0-2])$/.test(event.key)) {
      event.preventDefault();
    }
  }, true);
  window.addEventListener('keyup', (event) => {
    if (event.key === 'F11' || (event.key === 'Enter' && event.altKey)) event.stopImmediatePropagation();
  }, true);

  // The right button shows the bare picture; the browser's menu would cover it.
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());

  // Mouse events as the game's SDL backend reads them, at a point of the page.
  function mouse(type, x, y, button) {
    const init = {
      bubbles: true, cancelable: true, view: window, clientX: x, clientY: y,
      button: button, buttons: type === 'mousedown' ? (button === 2 ? 2 : 1) : 0,
    };
    const target = type === 'mouseup' ? document : canvas;
    target.dispatchEvent(new MouseEvent(type, init));
  }

  // Touch: a tap is a left click, a long press the right button held (the picture peek).
  let touch = null;
  function onTouchStart(event) {
    event.preventDefault();
    event.stopImmediatePropagation();
    showKeypad();
    if (touch || event.changedTouches.length === 0) return;
    const t = event.changedTouches[0];
    touch = { id: t.identifier, x0: t.clientX, y0: t.clientY, x: t.clientX, y: t.clientY, peeking: false, moved: false };
    mouse('mouseenter', t.clientX, t.clientY, 0);
    mouse('mousemove', t.clientX, t.clientY, 0);
    const mine = touch;
    touch.timer = setTimeout(() => {
      if (touch !== mine || mine.moved) return;
      mine.peeking = true;
      mouse('mousedown', mine.x, mine.y, 2);
    }, kPeekMs);
  }
  function findTouch(event) {
    if (!touch) return null;
    for (const t of event.changedTouches) if (t.identifier === touch.id) return t;
    return null;
  }
  function onTouchMove(event) {
    event.preventDefault();
    event.stopImmediatePropagation();
    const t = findTouch(event);
    if (!t) return;
    touch.x = t.clientX;
    touch.y = t.clientY;
    if (Math.hypot(touch.x - touch.x0, touch.y - touch.y0) > kTapSlop) touch.moved = true;
    mouse('mousemove', touch.x, touch.y, 0);
  }
  function onTouchEnd(event) {
    event.preventDefault();
    event.stopImmediatePropagation();
    const t = findTouch(event);
    if (!t) return;
    clearTimeout(touch.timer);
    if (touch.peeking) {
      mouse('mouseup', touch.x, touch.y, 2);
    } else if (event.type === 'touchend') {
      // A finger slid over the list still picks where it lifts, as a mouse would.
      mouse('mousemove', touch.x, touch.y, 0);
      mouse('mousedown', touch.x, touch.y, 0);
      mouse('mouseup', touch.x, touch.y, 0);
    }
    touch = null;
  }
  const active = { passive: false, capture: true };
  canvas.addEventListener('touchstart', onTouchStart, active);
  canvas.addEventListener('touchmove', onTouchMove, active);
  canvas.addEventListener('touchend', onTouchEnd, active);
  canvas.addEventListener('touchcancel', onTouchEnd, active);

  // The keypad types short answers where there is no keyboard.
  function showKeypad() {
    if (!keypad.hidden) return;
    keypad.hidden = false;
    fit();
  }
  if (window.matchMedia && window.matchMedia('(pointer: coarse)').matches) showKeypad();

  const kCodes = { Backspace: ['Backspace', 8], Enter: ['Enter', 13], '.': ['Period', 190], Y: ['KeyY', 89], N: ['KeyN', 78] };
  function keyEvent(type, key, code, keyCode, charCode) {
    const event = new KeyboardEvent(type, { key: key, code: code, bubbles: true, cancelable: true });
    // The game's keyboard layer reads these older fields, which the constructor cannot set.
    Object.defineProperty(event, 'keyCode', { get: () => keyCode });
    Object.defineProperty(event, 'which', { get: () => keyCode });
    Object.defineProperty(event, 'charCode', { get: () => charCode });
    window.dispatchEvent(event);
  }
  function press(key) {
    let code;
    let keyCode;
    if (kCodes[key]) {
      [code, keyCode] = kCodes[key];
    } else {
      code = 'Digit' + key;
      keyCode = key.charCodeAt(0);
    }
    keyEvent('keydown', key, code, keyCode, 0);
    if (key.length === 1) keyEvent('keypress', key, code, key.charCodeAt(0), key.charCodeAt(0));
    keyEvent('keyup', key, code, keyCode, 0);
  }
  for (const button of keypad.querySelectorAll('button')) {
    // Neither focus nor a synthetic click: the press goes to the game at once.
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      press(button.dataset.key);
    });
    button.addEventListener('click', (event) => event.preventDefault());
  }

  // Loading: the wasm and the data arrive with one progress bar, then the game starts.
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    fail('Этот браузер не умеет запускать WebAssembly, без которого игра не работает. '
      + 'Откройте страницу в современном браузере.');
    return;
  }

  const files = ['skellarine.wasm', 'skellarine.data'];
  const received = files.map(() => 0);
  const totals = files.map(() => 0);
  function progress() {
    const total = totals.reduce((a, b) => a + b, 0);
    const got = received.reduce((a, b) => a + b, 0);
    if (total > 0) barFill.style.width = Math.min(100, (100 * got) / total).toFixed(1) + '%';
    loadingSize.textContent = (got / 1048576).toFixed(1) + (total > 0 ? ' из ' + (total / 1048576).toFixed(1) : '') + ' МБ';
  }

  async function download(index) {
    const response = await fetch(files[index]);
    if (!response.ok) throw new Error(files[index] + ': ' + response.status + ' ' + response.statusText);
    totals[index] = Number(response.headers.get('Content-Length')) || 0;
    if (!response.body || !response.body.getReader) {
      const buffer = await response.arrayBuffer();
      received[index] = buffer.byteLength;
      progress();
      return buffer;
    }
    const reader = response.body.getReader();
    const chunks = [];
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      chunks.push(value);
      received[index] += value.length;
      progress();
    }
    const whole = new Uint8Array(received[index]);
    let at = 0;
    for (const chunk of chunks) {
      whole.set(chunk, at);
      at += chunk.length;
    }
    return whole.buffer;
  }

  Promise.all(files.map((_, i) => download(i))).then(([wasm, data]) => {
    window.Module = {
      canvas: canvas,
      wasmBinary: wasm,
      getPreloadedPackage: () => data,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
      onRuntimeInitialized: () => {
        status.state = 'running';
        loading.hidden = true;
        canvas.focus();
      },
      onExit: (code) => {
        status.state = 'ended';
        status.exitStatus = code;
        keypad.hidden = true;
        fit();
        showMessage(code === 0 ? 'Игра окончена.' : 'Игра завершилась с ошибкой (код ' + code + ').', true);
      },
      onAbort: (what) => fail('Игра остановилась из-за ошибки: ' + what),
    };
    const script = document.createElement('script');
    script.src = 'skellarine.js';
    script.onerror = () => fail('Не удалось загрузить skellarine.js. Проверьте соединение и обновите страницу.');
    document.body.appendChild(script);
  }, (error) => {
    fail('Не удалось загрузить файлы игры (' + error.message + '). Проверьте соединение и обновите страницу.');
  });

  window.addEventListener('error', (event) => {
    if (status.state === 'ended') return;
    fail('Игра остановилась из-за ошибки: ' + (event.message || event.error));
  });
})();
