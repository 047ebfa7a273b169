// Loading: the wasm and the data arrive with one progress bar, then the game starts.
const loading = document.getElementById('loading');
const barFill = document.getElementById('bar-fill');
const loadingSize = document.getElementById('loading-size');

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

// Starts the game once its files are here. game: { canvas, running(), exited(code), failed(text) }.
export function load(game) {
  Promise.all(files.map((_, i) => download(i))).then(([wasm, data]) => {
    window.Module = {
      canvas: game.canvas,
      wasmBinary: wasm,
      getPreloadedPackage: () => data,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
      onRuntimeInitialized: () => {
        loading.hidden = true;
        game.running();
      },
      onExit: (code) => game.exited(code),
      onAbort: (what) => game.failed('Игра остановилась из-за ошибки: ' + what),
    };
    const script = document.createElement('script');
    script.src = 'skellarine.js';
    script.onerror = () => game.failed('Не удалось загрузить skellarine.js. Проверьте соединение и обновите страницу.');
    document.body.appendChild(script);
  }, (error) => {
    game.failed('Не удалось загрузить файлы игры (' + error.message + '). Проверьте соединение и обновите страницу.');
  });
}
