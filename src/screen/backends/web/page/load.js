// Loading: skellarine.js (an ES module the page imports), the wasm and the data package requested
// at once with the page's own files, the wasm and the data compressed where the browser can unpack
// them, with one progress bar counted in bytes against the sizes the build wrote into the page. The
// wasm compiles while it arrives. Then the game, whose pictures are files of the site fetched when
// it first opens them and, once it runs, in the background.
import { savedJournal, keepJournal, tabStorage } from './resume.js';

const loading = document.getElementById('loading');
const barFill = document.getElementById('bar-fill');
const loadingSize = document.getElementById('loading-size');
const offline = document.getElementById('offline');

const build = JSON.parse(document.getElementById('build').textContent);
const kUnpack = typeof DecompressionStream === 'function';
// Counted by the progress bar; skellarine.js, a tenth of them, comes as a module beside them.
const kCountedFiles = ['skellarine.wasm', 'skellarine.data'];
// Pictures fetched at once in the background; more would slow down the one the game waits for.
const kPrefetchAtOnce = 3;
// How long after start-up the background fetching begins: the first help page comes first.
const kPrefetchDelayMs = 1000;
const kRetryMs = 2000;
// The most of a start file that is unpacked and compiled in one task.
const kPiece = 32768;

// A file that did not come; `network` when the server could not be reached at all.
// Its message is a Russian sentence for the player: the browser's own words are English.
class LoadError extends Error {
  constructor(text, network) {
    super(text);
    this.network = network;
  }
}

// Sizes with a decimal comma, as Russian writes them.
function megabytes(bytes) {
  return (bytes / 1048576).toFixed(1).replace('.', ',');
}

const progress = { received: new Map(), expected: new Map() };
for (const name of kCountedFiles) progress.expected.set(name, build.sizes[kUnpack ? name + '.gz' : name]);

function showProgress() {
  let got = 0;
  let total = 0;
  for (const [name, size] of progress.expected) {
    total += size;
    got += Math.min(size, progress.received.get(name) || 0);
  }
  barFill.style.width = Math.min(100, (100 * got) / total).toFixed(1) + '%';
  barFill.parentElement.setAttribute('aria-valuenow', Math.floor(Math.min(100, (100 * got) / total)));
  loadingSize.textContent = megabytes(got) + ' из ' + megabytes(total) + ' МБ';
}

async function request(url) {
  let response;
  try {
    response = await fetch(url);
  } catch (error) {
    console.warn(url, error);
    throw new LoadError('Нет связи с сервером.', true);
  }
  if (!response.ok) throw new LoadError(`Сервер не отдал файл ${url} (код ${response.status}).`, false);
  return response;
}

// A task of its own, at once. Not a timeout: the browser makes each of a chain of them wait 4 ms,
// and a mobile network hands a file over a packet at a time, so the file would come slower than
// the network brings it.
function nextTask() {
  return new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      channel.port1.close();
      resolve();
    };
    channel.port2.postMessage(null);
  });
}

function isGzip(bytes) {
  return bytes.length >= 2 && bytes[0] === 0x1f && bytes[1] === 0x8b;
}

// The body as a stream of the plain file, counted as it arrives against what the build says the
// file weighs, unpacked on the way when it is a compressed copy. failure() is the LoadError that
// broke the stream, if any: what reads the stream sees only that it broke.
async function arriving(response, name, packedName) {
  const reader = response.body.getReader();
  let failure = null;
  let got = 0;
  const next = async () => {
    try {
      return await reader.read();
    } catch (error) {
      console.warn(packedName, error);
      failure = new LoadError('Связь с сервером прервалась.', true);
      throw failure;
    }
  };
  const first = await next();
  const packed = packedName !== name && !first.done && isGzip(first.value);
  // The host unpacked the copy on the way (Content-Encoding): the plain size is what comes.
  if (packedName !== name && !packed) progress.expected.set(name, build.sizes[name]);
  let rest = first.done ? null : first.value;
  let pieces = 0;
  const stream = new ReadableStream({
    async pull(controller) {
      if (!rest) {
        const part = await next();
        if (part.done) {
          controller.close();
          return;
        }
        rest = part.value;
      }
      // A piece at a time, each in a task of its own: a fast network hands over the whole file at
      // once, and unpacking and compiling it in one go would hold the page.
      if (pieces++) await nextTask();
      const piece = rest.subarray(0, kPiece);
      rest = rest.length > kPiece ? rest.subarray(kPiece) : null;
      got += piece.length;
      progress.received.set(name, got);
      showProgress();
      controller.enqueue(piece);
    },
  });
  return { stream: packed ? stream.pipeThrough(new DecompressionStream('gzip')) : stream, failure: () => failure };
}

// One of the counted files as a stream, from its compressed copy where the browser unpacks gzip.
async function startFile(name) {
  if (kUnpack) {
    let response = null;
    try {
      response = await request(name + '.gz');
    } catch (error) {
      if (error.network) throw error;
    }
    // A host without the copies still has the plain files.
    if (response) return arriving(response, name, name + '.gz');
    progress.expected.set(name, build.sizes[name]);
    progress.received.set(name, 0);
  }
  return arriving(await request(name), name, name);
}

// What reading a file's stream came to; the stream's own failure where it broke.
async function finished(file, use) {
  try {
    return await use(file.stream);
  } catch (error) {
    throw file.failure() || error;
  }
}

// The wasm compiled from the stream as it arrives, the data package whole.
const kStart = {
  'skellarine.wasm': (stream) => {
    const response = new Response(stream, { headers: { 'Content-Type': 'application/wasm' } });
    if (WebAssembly.compileStreaming) return WebAssembly.compileStreaming(response);
    return response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes));
  },
  'skellarine.data': (stream) => new Response(stream).arrayBuffer(),
};

const started = new Map();
function start(name) {
  if (!started.has(name)) {
    const promise = startFile(name).then((file) => finished(file, kStart[name]));
    started.set(name, promise);
    // A failed file is fetched afresh on the next try; the others are kept.
    promise.catch(() => started.delete(name));
  }
  return started.get(name);
}

// ---- Pictures ----

const pictures = new Set(build.pictures);
// Fetched bytes waiting for the game to open them.
const fetched = new Map();
const given = new Set();
let networkDown = false;
// Pictures the game itself waits for: only then does the page tell that the network is down.
let gameWaits = 0;

function showOffline(down) {
  networkDown = down;
  offline.hidden = !(networkDown && gameWaits > 0);
  window.skellarine.offline = !offline.hidden;
}

function waitForNetwork() {
  return new Promise((resolve) => {
    const done = () => {
      clearTimeout(timer);
      window.removeEventListener('online', done);
      resolve();
    };
    const timer = setTimeout(done, kRetryMs);
    window.addEventListener('online', done);
  });
}

// A picture's bytes, or null when the site does not have it (as a missing file on the desktop).
// A network that is down is waited out: the game's own wait goes on meanwhile, and the keys
// typed meanwhile stay queued for it.
async function fetchPicture(name) {
  for (;;) {
    try {
      const response = await fetch(name);
      // Not there, or not to be had: the same as a missing file. A busy or failing server is retried.
      if (response.status >= 400 && response.status < 500 && response.status !== 408 && response.status !== 429) return null;
      if (response.ok) {
        const bytes = new Uint8Array(await response.arrayBuffer());
        showOffline(false);
        return bytes;
      }
    } catch {
      // fetch() rejects only when no answer came.
    }
    showOffline(true);
    await waitForNetwork();
  }
}

function picture(name) {
  if (!fetched.has(name)) fetched.set(name, fetchPicture(name));
  return fetched.get(name);
}

// Called by the game's file reading (the web counterpart of data_file.cpp) for a file it lacks.
async function fetchSiteFile(name) {
  if (!pictures.has(name)) return null;
  ++gameWaits;
  showOffline(networkDown);
  let bytes;
  try {
    bytes = await picture(name);
  } finally {
    --gameWaits;
    showOffline(networkDown);
  }
  // The game keeps its own copy from now on.
  fetched.delete(name);
  given.add(name);
  return bytes;
}

async function prefetch() {
  // Every place's usual picture first: the next turns most likely need one of them.
  const usual = (name) => (name.endsWith('1.jpg') ? 0 : 1);
  const queue = build.pictures.slice().sort((a, b) => usual(a) - usual(b));
  const worker = async () => {
    while (queue.length > 0) {
      const name = queue.shift();
      if (given.has(name)) {
        // Through the service worker once more, so that it keeps it for play without a network.
        if (navigator.serviceWorker && navigator.serviceWorker.controller) await fetchPicture(name);
      } else {
        await picture(name);
      }
    }
  };
  await Promise.all(Array.from({ length: kPrefetchAtOnce }, worker));
}

// ---- The service worker ----

// Registered once the game runs; resolves when it controls the page (or never can).
async function serviceWorker() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  try {
    await navigator.serviceWorker.register('sw.js');
    // A browser may refuse workers without saying so.
    await Promise.race([navigator.serviceWorker.ready, new Promise((resolve, reject) => setTimeout(() => reject(new Error('no answer')), 5000))]);
  } catch (error) {
    console.warn('no service worker:', error.message);
    return;
  }
  if (navigator.serviceWorker.controller) return;
  await new Promise((resolve) => {
    navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true });
    setTimeout(resolve, 5000);
  });
}

// Asks that the kept site be spared when the device runs short of space. Only an installed game
// asks: a browser grants it to those, and some would ask a visitor of the page instead.
async function keepOffline() {
  const installed = window.matchMedia && ['fullscreen', 'standalone'].some((mode) => window.matchMedia(`(display-mode: ${mode})`).matches);
  if (!installed || !navigator.storage || !navigator.storage.persist) return;
  try {
    window.skellarine.persistent = (await navigator.storage.persisted()) || (await navigator.storage.persist());
  } catch (error) {
    console.warn('no persistent storage:', error.message);
  }
}

// A newer build's worker that waits for its turn takes over now, before anything of the game is
// loaded: the page starts again, all of it from the new build. Chromium swaps the workers once the
// one in charge stops, idle; a request reaching it then (the browser's own fetch of an icon) starts
// it again, and only a navigation makes Chromium try once more: the page reloads, once per tab. It
// does not wait for ever: if the new build has not taken over by then, the page plays the build it
// has, and the new one takes over at a later start.
const kTakeOverMs = 1500;
// Set for the start that is the page's second try.
const kTakeOverKey = 'skellarine take-over';
// The build of the worker in charge; null from one too old to say.
const kAskMs = 500;
function controllerBuild() {
  return new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = (event) => resolve(event.data);
    navigator.serviceWorker.controller.postMessage('build', [channel.port2]);
    setTimeout(resolve, kAskMs, null);
  });
}

async function newBuildFirst() {
  if (!('serviceWorker' in navigator) || !navigator.serviceWorker.controller) return;
  const store = tabStorage();
  const retry = store && store.getItem(kTakeOverKey);
  if (store) store.removeItem(kTakeOverKey);
  const reloading = new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (window.skellarine.state !== 'loading') return;
    location.reload();
    resolve(true);
  }, { once: true }));
  const registration = await navigator.serviceWorker.getRegistration();
  if (!registration) return;
  const theirs = await controllerBuild();
  if (registration.active !== navigator.serviceWorker.controller || (theirs && theirs !== build.build)) {
    // Swapped after this page came from the older build.
    location.reload();
  } else {
    if (!registration.waiting) return;
    registration.waiting.postMessage('take over');
    const late = new Promise((resolve) => setTimeout(resolve, kTakeOverMs, false));
    if (!(await Promise.race([reloading, late]))) {
      if (retry || !store) return;
      store.setItem(kTakeOverKey, '1');
      location.reload();
    }
  }
  // The page is going: nothing more of it starts.
  await new Promise(() => {});
}

// ---- The game ----

// The loading box with its poster is painted before the large files take the network, on a slow
// one for seconds. A hidden tab paints nothing: its files come at once.
const kPaintWaitMs = 3000;
function firstPaint() {
  return new Promise((resolve) => {
    if (document.hidden) {
      resolve();
      return;
    }
    document.addEventListener('visibilitychange', resolve, { once: true });
    // Decoded, then the frame after the next: the one with the poster has been shown by then.
    const painted = () => requestAnimationFrame(() => requestAnimationFrame(resolve));
    loading.querySelector('img').decode().then(painted, painted);
    // However busy the machine, the game's files are not held for longer.
    setTimeout(resolve, kPaintWaitMs);
  });
}

// A browser may keep a failed import for the page's life: a retry imports it by another name.
let imports = 0;
function importGame() {
  const url = imports++ ? './skellarine.js?' + imports : './skellarine.js';
  return import(url).catch((error) => {
    console.warn(error);
    throw new LoadError('Нет связи с сервером.', true);
  });
}

// Starts the game once its files are here.
// game: { canvas, running(), waited(json), exited(code), failed(text, offer) }.
export async function load(game) {
  window.skellarine.build = build.build;
  await newBuildFirst();
  loading.hidden = false;
  showProgress();
  await firstPaint();
  let files;
  try {
    files = await Promise.all([...kCountedFiles.map(start), importGame()]);
  } catch (error) {
    console.warn(error);
    const why = error instanceof LoadError ? error.message : 'Файлы пришли повреждёнными.';
    game.failed('Не удалось загрузить файлы игры. ' + why + ' Проверьте соединение и нажмите «Повторить».', () => load(game));
    return;
  }
  const [wasm, data, skellarine] = files;
  // The settings become the game's module: the page answers through its export (waits.js).
  const module = {
    canvas: game.canvas,
    instantiateWasm: (imports, receive) => {
      // The game starts in a task of its own, after the instance is made.
      WebAssembly.instantiate(wasm, imports).then((instance) => setTimeout(() => receive(instance, wasm), 0), (error) => {
        console.warn(error);
        game.failed('Не удалось запустить игру: ' + error.message, () => location.reload());
      });
      return {};
    },
    getPreloadedPackage: () => data,
    // The game decodes its pictures itself; the browser need not decode the preloaded ones too.
    noImageDecoding: true,
    // The data package lies beside the page.
    locateFile: (path) => path,
    fetchSiteFile: fetchSiteFile,
    // How the game gives the browser a turn in the middle of long work.
    nextTask: nextTask,
    // The journal of the tab's game, if it has one of this build: the game replays it.
    savedJournal: savedJournal(build.build),
    // What the game waits for, from its input operations; the journal goes with each wait.
    gameWaits: (json) => {
      game.waited(json);
      keepJournal(json, build.build);
    },
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onRuntimeInitialized: () => {
      loading.hidden = true;
      game.running();
      setTimeout(() => serviceWorker().then(keepOffline).then(prefetch), kPrefetchDelayMs);
    },
    onExit: (code) => game.exited(code),
    onAbort: (what) => {
      console.warn(what);
      game.failed('Игра остановилась из-за внутренней ошибки. Начните её заново.');
    },
  };
  window.Module = module;
  skellarine.default(module).catch((error) => {
    // An exit or an abort rejects it too; those have told the page already.
    if (window.skellarine.state === 'loading') {
      console.warn(error);
      game.failed('Не удалось запустить skellarine.js.', () => location.reload());
    }
  });
}
