// Loading: the wasm and the data arrive with one progress bar, then the game starts.
const loading = document.getElementById('loading');
const barFill = document.getElementById('bar-fill');
const loadingSize = document.getElementById('loading-size');

const files = ['skellarine.wasm', 'skellarine.data'];
const received = files.map(() => 0);
const totals = files.map(() => 0);

// Sizes with a decimal comma, as Russian writes them.
function megabytes(bytes) {
  return (bytes / 1048576).toFixed(1).replace('.', ',');
}

// Why a download failed, in a Russian sentence: the browser's own message is English.
class DownloadError extends Error {}
function reason(error) {
  if (error instanceof DownloadError) return error.message;
  return 'Нет связи с сервером.';
}

function progress() {
  const total = totals.reduce((a, b) => a + b, 0);
  const got = received.reduce((a, b) => a + b, 0);
  if (total > 0) barFill.style.width = Math.min(100, (100 * got) / total).toFixed(1) + '%';
  loadingSize.textContent = megabytes(got) + (total > 0 ? ' из ' + megabytes(total) : '') + ' МБ';
}

async function download(index) {
  const response = await fetch(files[index]);
  if (!response.ok) throw new DownloadError(`Сервер не отдал файл ${files[index]} (код ${response.status}).`);
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

// Starts the game once its files are here.
// game: { canvas, running(), waited(json), exited(code), failed(text, offer) }.
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
      // What the game waits for, from its input operations.
      gameWaits: game.waited,
      onExit: (code) => game.exited(code),
      onAbort: (what) => {
        console.warn(what);
        game.failed('Игра остановилась из-за внутренней ошибки. Начните её заново.');
      },
    };
    const script = document.createElement('script');
    script.src = 'skellarine.js';
    script.onerror = () => game.failed('Не удалось загрузить файлы игры. Нет связи с сервером.', 'retry');
    document.body.appendChild(script);
  }, (error) => {
    console.warn(error);
    game.failed('Не удалось загрузить файлы игры. ' + reason(error) + ' Проверьте соединение и нажмите «Повторить».', 'retry');
  });
}
