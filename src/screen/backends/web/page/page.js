// The page around the game: the status, messages, keys kept from the browser, full screen and the
// end of the game; loading, fitting the screen and touch live in their own modules. No game rules
// live here.
import { watchFit } from './fit.js';
import { touchEnded, watchTouch } from './touch.js';
import { load } from './load.js';
import { received } from './waits.js';
import { watchWords } from './words.js';

const stage = document.getElementById('stage');
const canvas = document.getElementById('canvas');
const loading = document.getElementById('loading');
const message = document.getElementById('message');
const messageText = document.getElementById('message-text');
const again = document.getElementById('again');
const retry = document.getElementById('retry');
const panel = document.getElementById('panel');

// What the page is doing, for the player's eyes and for the browser tests.
const status = { state: 'loading', exitStatus: null, error: null };
window.skellarine = status;

// offer: the button under the message: 'restart' after the game, a function that tries again
// ("Повторить") after a failed download, none where neither can help.
function showMessage(text, offer) {
  loading.hidden = true;
  messageText.textContent = text;
  again.hidden = offer !== 'restart';
  retry.hidden = typeof offer !== 'function';
  if (typeof offer === 'function') {
    retry.onclick = () => {
      message.hidden = true;
      status.state = 'loading';
      status.error = null;
      offer();
    };
  }
  message.hidden = false;
  touchEnded();
  const offered = !again.hidden ? again : !retry.hidden ? retry : null;
  if (offered) offered.focus();
}

function fail(text, offer = 'restart') {
  if (status.state === 'error') return;
  status.state = 'error';
  status.error = text;
  showMessage(text, offer);
}

again.addEventListener('click', () => location.reload());

watchFit();

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
  // once it has ended, Enter is the page's again (the button that starts a new game), and in the
  // page's own controls they are the controls'.
  if (status.state !== 'running' || panel.contains(event.target)) return;
  if (event.key === 'Backspace' || event.key === 'Tab' || event.key === 'Enter' || /^F([1-9]|1[0-2])$/.test(event.key)) {
    event.preventDefault();
  }
}, true);
window.addEventListener('keyup', (event) => {
  if (event.key === 'F11' || (event.key === 'Enter' && event.altKey)) event.stopImmediatePropagation();
}, true);

// The right button shows the bare picture; the browser's menu would cover it.
canvas.addEventListener('contextmenu', (event) => event.preventDefault());

watchTouch();
watchWords();

window.addEventListener('error', (event) => {
  if (status.state === 'ended') return;
  // The browser's own words are English; the player gets a Russian sentence, the console the details.
  console.warn(event.message || event.error);
  fail('Игра остановилась из-за внутренней ошибки. Начните её заново.');
});

if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
  // Reloading cannot help here: no button.
  fail('Этот браузер не умеет запускать WebAssembly, без которого игра не работает. '
    + 'Откройте страницу в современном браузере.', null);
} else {
  load({
    canvas: canvas,
    running: () => {
      status.state = 'running';
      canvas.focus();
    },
    waited: received,
    exited: (code) => {
      status.state = 'ended';
      status.exitStatus = code;
      showMessage(code === 0 ? 'Игра окончена.' : 'Игра завершилась с ошибкой (код ' + code + ').', 'restart');
    },
    failed: fail,
  });
}
